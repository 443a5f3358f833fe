#pragma once
// Operator nodes of compiled expressions. Every binary operator evaluates its
// left operand before its right one and applies the Variant operation; the
// compiler picks the form whose operands are read in place (a variable, a
// constant) so that x + 1 costs no virtual call for its operands.

#include "engine/node.h"
#include "engine/variant_ops.h"

#include <type_traits>

namespace veltran {

// The operators, each with `apply` (and `test` for the comparisons).
struct TfsOpAdd {
    static Variant apply(const Variant& a, const Variant& b) { return var_add(a, b); }
};
struct TfsOpSub {
    static Variant apply(const Variant& a, const Variant& b) { return var_sub(a, b); }
};
struct TfsOpMul {
    static Variant apply(const Variant& a, const Variant& b) { return var_mul(a, b); }
};
struct TfsOpDiv {
    static Variant apply(const Variant& a, const Variant& b) { return var_div(a, b); }
};
struct TfsOpIntDiv {
    static Variant apply(const Variant& a, const Variant& b) {
        if (a.is_int32() && b.is_int32() && b.int_value() > 0)
            return Variant(a.int_value() / b.int_value());
        return var_int_div(a, b);
    }
};
struct TfsOpMod {
    static Variant apply(const Variant& a, const Variant& b) {
        if (a.is_int32() && b.is_int32() && b.int_value() > 0)
            return Variant(a.int_value() % b.int_value());
        return var_mod(a, b);
    }
};
struct TfsOpShl {
    static Variant apply(const Variant& a, const Variant& b) { return var_shl(a, b); }
};
struct TfsOpShr {
    static Variant apply(const Variant& a, const Variant& b) { return var_shr(a, b); }
};
struct TfsOpAnd {
    static Variant apply(const Variant& a, const Variant& b) { return var_and(a, b); }
};
struct TfsOpOr {
    static Variant apply(const Variant& a, const Variant& b) { return var_or(a, b); }
};
struct TfsOpXor {
    static Variant apply(const Variant& a, const Variant& b) { return var_xor(a, b); }
};

template <bool (*Holds)(TVarOrder)> struct TfsOpCompare {
    static bool test(const Variant& a, const Variant& b) { return Holds(var_compare(a, b)); }
    static Variant apply(const Variant& a, const Variant& b) { return Variant(test(a, b)); }
};
inline bool fs_less(TVarOrder o) {
    return o == TVarOrder::less;
}
inline bool fs_less_eq(TVarOrder o) {
    return o == TVarOrder::less || o == TVarOrder::equal;
}
inline bool fs_greater(TVarOrder o) {
    return o == TVarOrder::greater;
}
inline bool fs_greater_eq(TVarOrder o) {
    return o == TVarOrder::greater || o == TVarOrder::equal;
}
inline bool fs_equal(TVarOrder o) {
    return o == TVarOrder::equal;
}
inline bool fs_not_equal(TVarOrder o) {
    return o != TVarOrder::equal;
}
using TfsOpLess = TfsOpCompare<fs_less>;
using TfsOpLessEq = TfsOpCompare<fs_less_eq>;
using TfsOpGreater = TfsOpCompare<fs_greater>;
using TfsOpGreaterEq = TfsOpCompare<fs_greater_eq>;
using TfsOpEqual = TfsOpCompare<fs_equal>;
using TfsOpNotEqual = TfsOpCompare<fs_not_equal>;

// Operand forms: any node, a variable read in place, a constant.
struct TfsNodeOperand {
    TfsNodePtr node;
    Variant get() const { return node->eval(); }
    bool may_call() const { return node->may_call(); }
};
struct TfsSlotOperand {
    const Variant* slot;
    const Variant& get() const { return *slot; }
    bool may_call() const { return false; }
};
struct TfsConstOperand {
    Variant value;
    const Variant& get() const { return value; }
    bool may_call() const { return false; }
};

template <class Op, class L, class R> class TfsBinaryNode : public TfsNode {
public:
    TfsBinaryNode(L left, R right) : left_(std::move(left)), right_(std::move(right)) {}

    Variant eval() override {
        if constexpr (std::is_same_v<R, TfsNodeOperand>) {
            // The right side may change the left variable: take its value first.
            const Variant a = left_.get();
            return Op::apply(a, right_.get());
        } else {
            return Op::apply(left_.get(), right_.get());
        }
    }

    bool eval_bool() override {
        if constexpr (requires { Op::test(Variant(), Variant()); }) {
            if constexpr (std::is_same_v<R, TfsNodeOperand>) {
                const Variant a = left_.get();
                return Op::test(a, right_.get());
            } else {
                return Op::test(left_.get(), right_.get());
            }
        } else {
            return eval().to_bool();
        }
    }

    bool may_call() const override { return left_.may_call() || right_.may_call(); }

private:
    L left_;
    R right_;
};

// AND and OR of two Boolean operands: the right side runs only when the left
// one does not decide.
template <bool IsAnd> class TfsShortCircuitNode : public TfsNode {
public:
    TfsShortCircuitNode(TfsNodePtr left, TfsNodePtr right)
        : left_(std::move(left)), right_(std::move(right)) {}
    Variant eval() override {
        Variant a = left_->eval();
        if (a.to_bool() != IsAnd) return a;
        return right_->eval();
    }
    bool eval_bool() override {
        if (left_->eval_bool() != IsAnd) return !IsAnd;
        return right_->eval_bool();
    }
    bool may_call() const override { return left_->may_call() || right_->may_call(); }

private:
    TfsNodePtr left_;
    TfsNodePtr right_;
};

template <Variant (*Op)(const Variant&)> class TfsUnaryNode : public TfsNode {
public:
    explicit TfsUnaryNode(TfsNodePtr operand) : operand_(std::move(operand)) {}
    Variant eval() override { return Op(operand_->eval()); }
    bool may_call() const override { return operand_->may_call(); }

private:
    TfsNodePtr operand_;
};

} // namespace veltran
