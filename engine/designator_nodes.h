#pragma once
// The compiled forms of designators: a variable read and written in place,
// one character of a string variable, one element of an array variable, a
// call of a script procedure or a registered function, the general access
// path, and a designator resolved at its first use (late binding).

#include "engine/method_helper.h"
#include "engine/node.h"
#include "engine/run_state.h"
#include "engine/script_items.h"
#include "engine/variable_store.h"

#include <functional>
#include <type_traits>
#include <vector>

namespace veltran {

// A variable (or parameter) without read hook, read and written in place.
template <class Store> class TfsVariableNode : public TfsNode {
public:
    explicit TfsVariableNode(TfsCustomVariable& variable)
        : variable_(variable), slot_(*variable.PValue()) {}
    Variant eval() override { return slot_; }
    bool eval_bool() override { return slot_.to_bool(); }
    bool is_int() const override { return std::is_same_v<Store, TfsStoreInt>; }
    std::int64_t eval_int() override {
        return slot_.is_int32() ? slot_.int_value() : slot_.to_int64();
    }
    void assign(const Variant& value) override {
        if (!variable_.IsReadOnly) Store::put(slot_, value);
    }
    bool writable() const override { return !variable_.IsReadOnly; }
    Variant* storage() const override { return &slot_; }
    TfsCustomVariable* item() const override { return &variable_; }
    bool may_call() const override { return false; }

private:
    TfsCustomVariable& variable_;
    Variant& slot_;
};

// An item read and written through its GetValue and SetValue (a variable
// with a read hook, an accessor, a type name).
class TfsItemNode : public TfsNode {
public:
    explicit TfsItemNode(TfsCustomVariable& item) : item_(item) {}
    Variant eval() override { return item_.GetValue(); }
    void assign(const Variant& value) override { item_.SetValue(value); }
    bool writable() const override { return !item_.IsReadOnly; }
    TfsCustomVariable* item() const override { return &item_; }

private:
    TfsCustomVariable& item_;
};

// s[i] on a string variable: a one-character string.
class TfsStringIndexNode : public TfsNode {
public:
    TfsStringIndexNode(TfsCustomVariable& variable, TfsNodePtr index);
    Variant eval() override;
    void assign(const Variant& value) override;
    bool writable() const override { return true; }
    bool may_call() const override { return index_->may_call(); }

private:
    TfsCustomVariable& variable_;
    TfsNodePtr index_;
};

// a[i, j, k] on an array variable, read and written in place.
class TfsArrayIndexNode : public TfsNode {
public:
    TfsArrayIndexNode(TfsCustomVariable& variable, std::vector<TfsNodePtr> indexes);
    Variant eval() override;
    void assign(const Variant& value) override;
    bool writable() const override { return true; }
    bool may_call() const override;

private:
    int load(std::int32_t* index);
    std::int32_t first_index() {
        if (index_slot_ && index_slot_->is_int32()) return index_slot_->int_value();
        return indexes_[0]->eval().to_int();
    }

    TfsCustomVariable& variable_;
    std::vector<TfsNodePtr> indexes_;
    // A single index that is an Integer variable, read in place.
    const Variant* index_slot_ = nullptr;
};

// The argument list of a call: one node per parameter (defaults filled in),
// evaluated in order and stored into the parameters, and the by-reference
// parameters written back into their arguments afterwards.
class TfsArguments {
public:
    TfsArguments(std::vector<TfsNodePtr> args, std::vector<Variant*> params,
                 std::vector<bool> by_ref, TfsSlotStack& stack);
    void store();
    void write_back();
    // For a recursive call: the by-reference values are taken before the
    // caller's locals come back and written afterwards.
    void take_results(Variant* out) const;
    void write_results(Variant* in);
    std::size_t by_ref_count() const { return by_ref_.size(); }

private:
    Variant value_of(std::size_t i) const { return sources_[i] ? *sources_[i] : args_[i]->eval(); }

    std::vector<TfsNodePtr> args_;
    // Arguments that are a variable or a constant, read in place.
    std::vector<const Variant*> sources_;
    std::vector<Variant*> params_;
    std::vector<std::size_t> by_ref_;
    bool through_temporaries_;
    TfsSlotStack& stack_;
};

// A call of a script procedure or function.
class TfsProcCallNode : public TfsNode {
public:
    TfsProcCallNode(TfsProcVariable& proc, std::vector<TfsNodePtr> args);
    Variant eval() override;
    TfsCustomVariable* item() const override { return &proc_; }

private:
    Variant eval_recursive();

    TfsProcVariable& proc_;
    TfsRunState& run_;
    TfsArguments args_;
};

// A call of a registered function.
class TfsMethodCallNode : public TfsNode {
public:
    TfsMethodCallNode(TfsMethodHelper& method, std::vector<TfsNodePtr> args, bool need_result,
                      TfsSlotStack& stack);
    Variant eval() override;
    TfsCustomVariable* item() const override { return &method_; }
    void set_need_result(bool need) { need_result_ = need; }

private:
    TfsMethodHelper& method_;
    TfsArguments args_;
    bool need_result_;
};

// One step of a general access path.
struct TfsDesignatorItem {
    TfsCustomVariable* ref = nullptr; // the item stepped to
    TfsNodePtr nested;                // or a nested designator
    std::vector<TfsNodePtr> args;     // call arguments or indexes
    bool index = false;               // an index access
};

// A general access path (members, indexes after calls, accessors), walked
// item by item with a running value.
class TfsChainNode : public TfsNode {
public:
    TfsChainNode(std::vector<TfsDesignatorItem> items, TfsSlotStack& stack);
    Variant eval() override { return walk(nullptr); }
    void assign(const Variant& value) override { walk(&value); }
    bool writable() const override;
    void set_need_result(bool need) { need_result_ = need; }

private:
    Variant walk(const Variant* written);
    Variant step(TfsDesignatorItem& item, TfsCustomVariable* previous, Variant value,
                 const Variant* written, bool last);

    std::vector<TfsDesignatorItem> items_;
    bool need_result_ = true;
    TfsSlotStack& stack_;
};

// A designator compiled again at its first use, when the values that decide
// what its members and indexes mean are known; it then stays resolved.
class TfsLateBoundNode : public TfsNode {
public:
    using TResolver = std::function<TfsNodePtr()>;
    explicit TfsLateBoundNode(TResolver resolver) : resolver_(std::move(resolver)) {}
    Variant eval() override { return resolved().eval(); }
    void assign(const Variant& value) override { resolved().assign(value); }
    bool writable() const override { return true; }

private:
    TfsNode& resolved();

    TResolver resolver_;
    TfsNodePtr node_;
};

} // namespace veltran
