// Lowering operators to executable nodes, with the operand forms read in
// place (a variable's slot, a constant) chosen once here.
#include "engine/expression_builder.h"
#include "engine/expression_nodes.h"
#include "engine/int_nodes.h"
#include "engine/script_exception.h"
#include "engine/set_expression.h"

namespace veltran {
namespace {

// STRCAT of other grammars: text joins as text, anything else adds.
struct TfsOpStrCat {
    static Variant apply(const Variant& a, const Variant& b) {
        if (!a.is_string()) return var_add(a, b);
        Variant joined = a.to_ustring();
        joined.append_string(b.to_ustring());
        return joined;
    }
};

// x IS TClass. Objects are carried as integers without run-time type
// information, so only a nil object can be tested (it is no instance).
class TfsIsNode : public TfsNode {
public:
    explicit TfsIsNode(TfsNodePtr object) : object_(std::move(object)) {}
    Variant eval() override { return Variant(eval_bool()); }
    bool eval_bool() override {
        const Variant object = object_->eval();
        if (object.is_null() || object.is_empty() ||
            (object.is_integer() && object.int64_value() == 0))
            return false;
        raise_error("Invalid class typecast");
    }

private:
    TfsNodePtr object_;
};

template <class Op, class L, class R> TfsNodePtr make(L left, R right) {
    return std::make_unique<TfsBinaryNode<Op, L, R>>(std::move(left), std::move(right));
}

template <class Op, class L> TfsNodePtr with_right(L left, TfsNodePtr right) {
    if (const Variant* c = right->constant()) return make<Op>(std::move(left), TfsConstOperand{*c});
    if (Variant* s = right->storage()) return make<Op>(std::move(left), TfsSlotOperand{s});
    return make<Op>(std::move(left), TfsNodeOperand{std::move(right)});
}

template <class Op> TfsNodePtr binary(TfsNodePtr left, TfsNodePtr right) {
    if (const Variant* c = left->constant())
        return with_right<Op>(TfsConstOperand{*c}, std::move(right));
    if (Variant* s = left->storage()) return with_right<Op>(TfsSlotOperand{s}, std::move(right));
    return with_right<Op>(TfsNodeOperand{std::move(left)}, std::move(right));
}

template <class Op, class L, class R> TfsNodePtr make_int(L left, R right) {
    return std::make_unique<TfsIntBinaryNode<Op, L, R>>(std::move(left), std::move(right));
}

template <class Op, class L> TfsNodePtr int_with_right(L left, TfsNodePtr right) {
    if (const Variant* c = right->constant())
        return make_int<Op>(std::move(left), TfsIntConstOperand{*c});
    if (Variant* s = right->storage()) return make_int<Op>(std::move(left), TfsIntSlotOperand{s});
    return make_int<Op>(std::move(left), TfsIntNodeOperand{std::move(right)});
}

template <class Op> TfsNodePtr int_binary(TfsNodePtr left, TfsNodePtr right) {
    if (const Variant* c = left->constant())
        return int_with_right<Op>(TfsIntConstOperand{*c}, std::move(right));
    if (Variant* s = left->storage())
        return int_with_right<Op>(TfsIntSlotOperand{s}, std::move(right));
    return int_with_right<Op>(TfsIntNodeOperand{std::move(left)}, std::move(right));
}

// The integer form of an operator over two integer expressions, or null.
TfsNodePtr integer_operator(TfsOp op, TfsNodePtr& left, TfsNodePtr& right) {
    switch (op) {
    case TfsOp::plus: return int_binary<TfsIntAdd>(std::move(left), std::move(right));
    case TfsOp::minus: return int_binary<TfsIntSub>(std::move(left), std::move(right));
    case TfsOp::mul: return int_binary<TfsIntMul>(std::move(left), std::move(right));
    case TfsOp::div_int: return int_binary<TfsIntDiv>(std::move(left), std::move(right));
    case TfsOp::mod: return int_binary<TfsIntMod>(std::move(left), std::move(right));
    case TfsOp::less: return int_binary<TfsIntLess>(std::move(left), std::move(right));
    case TfsOp::less_eq: return int_binary<TfsIntLessEq>(std::move(left), std::move(right));
    case TfsOp::great: return int_binary<TfsIntGreater>(std::move(left), std::move(right));
    case TfsOp::great_eq: return int_binary<TfsIntGreaterEq>(std::move(left), std::move(right));
    case TfsOp::eq: return int_binary<TfsIntEqual>(std::move(left), std::move(right));
    case TfsOp::non_eq: return int_binary<TfsIntNotEqual>(std::move(left), std::move(right));
    default: return nullptr;
    }
}

TfsNodePtr in_node(TfsNodePtr value, TfsNodePtr right) {
    if (dynamic_cast<TfsSetNode*>(right.get())) {
        std::unique_ptr<TfsSetNode> set(static_cast<TfsSetNode*>(right.release()));
        return std::make_unique<TfsInSetNode>(std::move(value), std::move(set));
    }
    return std::make_unique<TfsInArrayNode>(std::move(value), std::move(right));
}

} // namespace

TfsNodePtr operator_node(TfsOp op, bool optimize_bool, TfsNodePtr left, TfsNodePtr right) {
    if (right && left->is_int() && right->is_int())
        if (TfsNodePtr integer = integer_operator(op, left, right)) return integer;
    if (op == TfsOp::un_minus && left->is_int())
        return std::make_unique<TfsIntNegNode>(std::move(left));
    switch (op) {
    case TfsOp::great: return binary<TfsOpGreater>(std::move(left), std::move(right));
    case TfsOp::less: return binary<TfsOpLess>(std::move(left), std::move(right));
    case TfsOp::less_eq: return binary<TfsOpLessEq>(std::move(left), std::move(right));
    case TfsOp::great_eq: return binary<TfsOpGreaterEq>(std::move(left), std::move(right));
    case TfsOp::non_eq: return binary<TfsOpNotEqual>(std::move(left), std::move(right));
    case TfsOp::eq: return binary<TfsOpEqual>(std::move(left), std::move(right));
    case TfsOp::plus: return binary<TfsOpAdd>(std::move(left), std::move(right));
    case TfsOp::strcat: return binary<TfsOpStrCat>(std::move(left), std::move(right));
    case TfsOp::minus: return binary<TfsOpSub>(std::move(left), std::move(right));
    case TfsOp::mul: return binary<TfsOpMul>(std::move(left), std::move(right));
    case TfsOp::div_float: return binary<TfsOpDiv>(std::move(left), std::move(right));
    case TfsOp::div_int: return binary<TfsOpIntDiv>(std::move(left), std::move(right));
    case TfsOp::mod: return binary<TfsOpMod>(std::move(left), std::move(right));
    case TfsOp::shl: return binary<TfsOpShl>(std::move(left), std::move(right));
    case TfsOp::shr: return binary<TfsOpShr>(std::move(left), std::move(right));
    case TfsOp::xor_: return binary<TfsOpXor>(std::move(left), std::move(right));
    case TfsOp::and_:
        if (optimize_bool)
            return std::make_unique<TfsShortCircuitNode<true>>(std::move(left), std::move(right));
        return binary<TfsOpAnd>(std::move(left), std::move(right));
    case TfsOp::or_:
        if (optimize_bool)
            return std::make_unique<TfsShortCircuitNode<false>>(std::move(left), std::move(right));
        return binary<TfsOpOr>(std::move(left), std::move(right));
    case TfsOp::not_: return std::make_unique<TfsUnaryNode<var_not>>(std::move(left));
    case TfsOp::un_minus: return std::make_unique<TfsUnaryNode<var_neg>>(std::move(left));
    case TfsOp::in: return in_node(std::move(left), std::move(right));
    case TfsOp::is: return std::make_unique<TfsIsNode>(std::move(left));
    default: raise_error("Expression expected");
    }
}

TfsNodePtr fold_constant(TfsNodePtr node) {
    try {
        return std::make_unique<TfsConstNode>(node->eval());
    } catch (const TfsException&) {
        return node;
    }
}

} // namespace veltran
