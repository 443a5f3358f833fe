#include "engine/designator_nodes.h"

#include "engine/run_state.h"
#include "engine/script.h"

#include <algorithm>
#include <optional>

namespace veltran {
namespace {

// Saves the locals of a procedure that is already running and puts them back
// when the inner call is done, also when an error passes: the inner call
// starts from the outer call's values and leaves them as they were.
class TSavedFrame {
public:
    TSavedFrame(TfsProcVariable& proc, TfsSlotStack& stack)
        : frame_(proc.frame()), saved_(stack, frame_.size()) {
        for (std::size_t i = 0; i < frame_.size(); ++i)
            saved_[i] = *frame_[i];
    }
    ~TSavedFrame() { restore(); }
    TSavedFrame(const TSavedFrame&) = delete;
    TSavedFrame& operator=(const TSavedFrame&) = delete;
    void restore() {
        if (restored_) return;
        restored_ = true;
        for (std::size_t i = 0; i < frame_.size(); ++i)
            *frame_[i] = std::move(saved_[i]);
        saved_.all_moved();
    }

private:
    const std::vector<Variant*>& frame_;
    TfsStackSlots saved_;
    bool restored_ = false;
};

bool reads_no_parameter(const TfsNode& arg, const std::vector<Variant*>& params) {
    if (arg.constant()) return true;
    return arg.storage() && std::find(params.begin(), params.end(), arg.storage()) == params.end();
}

} // namespace

TfsStringIndexNode::TfsStringIndexNode(TfsCustomVariable& variable, TfsNodePtr index)
    : variable_(variable), index_(std::move(index)) {}

Variant TfsStringIndexNode::eval() {
    const std::int32_t n = index_->eval().to_int();
    return string_char_at(variable_.GetValue(), n);
}

void TfsStringIndexNode::assign(const Variant& value) {
    const std::int32_t n = index_->eval().to_int();
    variable_.SetValue(string_with_char(variable_.GetValue(), n, value));
}

TfsArrayIndexNode::TfsArrayIndexNode(TfsCustomVariable& variable, std::vector<TfsNodePtr> indexes)
    : variable_(variable), indexes_(std::move(indexes)) {
    if (indexes_.size() == 1 && indexes_[0]->is_int()) index_slot_ = indexes_[0]->storage();
}

bool TfsArrayIndexNode::may_call() const {
    return std::any_of(indexes_.begin(), indexes_.end(),
                       [](const TfsNodePtr& n) { return n->may_call(); });
}

// The dimensions the indexes apply to, evaluated; 0 when the value is not an
// array of one to three dimensions indexed by enough expressions.
int TfsArrayIndexNode::load(std::int32_t* index) {
    const int given = static_cast<int>(indexes_.size());
    for (int i = 0; i < std::min(given, 3); ++i)
        index[i] = indexes_[static_cast<std::size_t>(i)]->eval().to_int();
    const int dims = variable_.PValue()->array_dim_count();
    return dims >= 1 && dims <= 3 && dims <= given ? dims : 0;
}

Variant TfsArrayIndexNode::eval() {
    if (indexes_.size() == 1) {
        const std::int32_t i = first_index();
        const Variant& a = *variable_.PValue();
        if (a.array_dim_count() != 1) return Variant::null();
        return a.array_get1(i);
    }
    std::int32_t index[3];
    const int dims = load(index);
    if (dims == 0) return Variant::null();
    return variable_.PValue()->array_get(std::span(index, static_cast<std::size_t>(dims)));
}

void TfsArrayIndexNode::assign(const Variant& value) {
    if (indexes_.size() == 1) {
        const std::int32_t i = first_index();
        Variant& a = *variable_.PValue();
        if (variable_.IsReadOnly || a.try_array_put1(i, value) || a.array_dim_count() != 1) return;
        a.array_put1(i, value);
        return;
    }
    std::int32_t index[3];
    const int dims = load(index);
    if (dims == 0 || variable_.IsReadOnly) return;
    if (dims == 1)
        variable_.PValue()->array_put1(index[0], value);
    else
        variable_.PValue()->array_put(std::span(index, static_cast<std::size_t>(dims)), value);
}

TfsArguments::TfsArguments(std::vector<TfsNodePtr> args, std::vector<Variant*> params,
                           std::vector<bool> by_ref, TfsSlotStack& stack)
    : args_(std::move(args)), params_(std::move(params)), stack_(stack) {
    for (const TfsNodePtr& a : args_)
        sources_.push_back(a->constant() ? a->constant() : a->storage());
    for (std::size_t i = 0; i < by_ref.size() && i < args_.size(); ++i)
        if (by_ref[i]) by_ref_.push_back(i);
    // Storing one argument must not change what a later one reads.
    through_temporaries_ =
        args_.size() > 1 && !std::all_of(args_.begin(), args_.end(), [&](const TfsNodePtr& a) {
            return reads_no_parameter(*a, params_);
        });
}

void TfsArguments::store() {
    const std::size_t n = args_.size();
    if (!through_temporaries_) {
        for (std::size_t i = 0; i < n; ++i)
            *params_[i] = value_of(i);
        return;
    }
    TfsStackSlots values(stack_, n);
    for (std::size_t i = 0; i < n; ++i)
        values[i] = value_of(i);
    for (std::size_t i = 0; i < n; ++i)
        *params_[i] = std::move(values[i]);
    values.all_moved();
}

void TfsArguments::write_back() {
    for (std::size_t i : by_ref_)
        args_[i]->assign(*params_[i]);
}

void TfsArguments::take_results(Variant* out) const {
    for (std::size_t k = 0; k < by_ref_.size(); ++k)
        out[k] = *params_[by_ref_[k]];
}

void TfsArguments::write_results(Variant* in) {
    for (std::size_t k = 0; k < by_ref_.size(); ++k)
        args_[by_ref_[k]]->assign(in[k]);
}

namespace {

std::vector<Variant*> parameter_slots(TfsCustomVariable& callee) {
    std::vector<Variant*> slots;
    for (int i = 0; i < callee.Count(); ++i)
        slots.push_back(callee.GetParam(i).PValue());
    return slots;
}

std::vector<bool> by_reference(const TfsCustomVariable& callee) {
    std::vector<bool> flags;
    for (int i = 0; i < callee.Count(); ++i)
        flags.push_back(callee.GetParam(i).IsVarParam);
    return flags;
}

std::vector<Variant*> argument_slots(TfsMethodHelper& method) {
    std::vector<Variant*> slots;
    for (Variant& v : method.arguments())
        slots.push_back(&v);
    return slots;
}

} // namespace

TfsProcCallNode::TfsProcCallNode(TfsProcVariable& proc, std::vector<TfsNodePtr> args)
    : proc_(proc), run_(proc.Program().run_state()),
      args_(std::move(args), parameter_slots(proc), by_reference(proc), run_.slots) {}

Variant TfsProcCallNode::eval() {
    if (proc_.Executing) return eval_recursive();
    args_.store();
    Variant result = proc_.invoke();
    args_.write_back();
    return result;
}

Variant TfsProcCallNode::eval_recursive() {
    TSavedFrame saved(proc_, run_.slots);
    args_.store();
    Variant result = proc_.invoke();
    if (args_.by_ref_count() == 0) return result;
    TfsStackSlots results(run_.slots, args_.by_ref_count());
    args_.take_results(results.data());
    saved.restore();
    args_.write_results(results.data());
    return result;
}

TfsMethodCallNode::TfsMethodCallNode(TfsMethodHelper& method, std::vector<TfsNodePtr> args,
                                     bool need_result, TfsSlotStack& stack)
    : method_(method), args_(std::move(args), argument_slots(method), by_reference(method), stack),
      need_result_(need_result) {}

Variant TfsMethodCallNode::eval() {
    args_.store();
    method_.NeedResult = need_result_;
    Variant result = method_.call();
    args_.write_back();
    return result;
}

TfsChainNode::TfsChainNode(std::vector<TfsDesignatorItem> items, TfsSlotStack& stack)
    : items_(std::move(items)), stack_(stack) {}

bool TfsChainNode::writable() const {
    const TfsDesignatorItem& last = items_.back();
    return last.ref && !last.ref->IsReadOnly;
}

Variant TfsChainNode::walk(const Variant* written) {
    Variant value = Variant::null();
    TfsCustomVariable* previous = nullptr;
    for (std::size_t k = 0; k < items_.size(); ++k) {
        value = step(items_[k], previous, std::move(value), written, k + 1 == items_.size());
        previous = items_[k].ref;
    }
    return value;
}

Variant TfsChainNode::step(TfsDesignatorItem& item, TfsCustomVariable* previous, Variant value,
                           const Variant* written, bool last) {
    if (item.nested) return item.nested->eval();
    TfsCustomVariable& ref = *item.ref;
    auto* proc = dynamic_cast<TfsProcVariable*>(&ref);
    std::optional<TSavedFrame> saved;
    if (proc && proc->Executing) saved.emplace(*proc, stack_);

    const std::size_t n = item.args.size();
    if (n) {
        TfsStackSlots values(stack_, n);
        for (std::size_t i = 0; i < n; ++i)
            values[i] = item.args[i]->eval();
        for (std::size_t i = 0; i < n; ++i)
            ref.GetParam(static_cast<int>(i)).SetValue(values[i]);
    }
    if (auto* helper = dynamic_cast<TfsCustomHelper*>(&ref)) {
        helper->ParentRef = previous;
        helper->ParentValue = std::move(value);
    }
    Variant result;
    if (written && last) {
        ref.SetValue(*written);
    } else {
        ref.NeedResult = !last || need_result_;
        result = ref.GetValue();
    }
    if (auto* helper = dynamic_cast<TfsCustomHelper*>(&ref)) helper->ParentValue = Variant();

    std::vector<Variant> by_ref;
    for (std::size_t i = 0; i < n; ++i)
        if (ref.GetParam(static_cast<int>(i)).IsVarParam)
            by_ref.push_back(ref.GetParam(static_cast<int>(i)).GetValue());
    if (saved) saved->restore();
    for (std::size_t i = 0, k = 0; i < n; ++i)
        if (ref.GetParam(static_cast<int>(i)).IsVarParam) item.args[i]->assign(by_ref[k++]);
    return result;
}

TfsNode& TfsLateBoundNode::resolved() {
    if (!node_) {
        node_ = resolver_();
        resolver_ = nullptr;
    }
    return *node_;
}

} // namespace veltran
