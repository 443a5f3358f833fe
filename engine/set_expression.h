#pragma once
// A set constructor such as [1, 3..5, 'x']: single values and inclusive
// ranges. It tests membership for IN and CASE, and as a value it is a Variant
// array with one element per entry (null between the bounds of a range).

#include "engine/node.h"

#include <vector>

namespace veltran {

class TfsSetExpression {
public:
    // An entry is a value, or the bounds of a range when `high` is set.
    void add_value(TfsNodePtr value) { entries_.push_back({std::move(value), nullptr}); }
    void add_range(TfsNodePtr low, TfsNodePtr high) {
        entries_.push_back({std::move(low), std::move(high)});
    }

    bool Check(const Variant& value) const;
    Variant GetValue() const;
    bool may_call() const;

private:
    struct TEntry {
        TfsNodePtr low;
        TfsNodePtr high;
    };
    std::vector<TEntry> entries_;
};

// A set constructor as an operand.
class TfsSetNode : public TfsNode {
public:
    explicit TfsSetNode(std::unique_ptr<TfsSetExpression> set) : set_(std::move(set)) {}
    Variant eval() override { return set_->GetValue(); }
    bool may_call() const override { return set_->may_call(); }
    const TfsSetExpression& set() const { return *set_; }

private:
    std::unique_ptr<TfsSetExpression> set_;
};

// x IN [set constructor].
class TfsInSetNode : public TfsNode {
public:
    TfsInSetNode(TfsNodePtr value, std::unique_ptr<TfsSetNode> set)
        : value_(std::move(value)), set_(std::move(set)) {}
    Variant eval() override { return Variant(eval_bool()); }
    bool eval_bool() override { return set_->set().Check(value_->eval()); }
    bool may_call() const override { return value_->may_call() || set_->may_call(); }

private:
    TfsNodePtr value_;
    std::unique_ptr<TfsSetNode> set_;
};

// x IN array: an element equals x, or x lies within an element, a null
// element and a further element (the form a set constructor takes as a value).
class TfsInArrayNode : public TfsNode {
public:
    TfsInArrayNode(TfsNodePtr value, TfsNodePtr array)
        : value_(std::move(value)), array_(std::move(array)) {}
    Variant eval() override { return Variant(eval_bool()); }
    bool eval_bool() override;
    bool may_call() const override { return value_->may_call() || array_->may_call(); }

private:
    TfsNodePtr value_;
    TfsNodePtr array_;
};

} // namespace veltran
