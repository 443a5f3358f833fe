#pragma once
// Integer expressions evaluated as 64-bit integers: an operator over
// operands that are integer expressions themselves (see TfsNode::is_int).
// eval() keeps the Variant semantics; eval_int() and the comparisons'
// eval_bool() compute the same values without Variants. An intermediate
// result beyond 64 bits raises "Variant overflow", as the Variant path does.

#include "engine/expression_nodes.h"
#include "engine/script_exception.h"

#include <cstdint>

namespace veltran {

struct TfsIntAdd : TfsOpAdd {
    static std::int64_t apply_int(std::int64_t a, std::int64_t b) {
        std::int64_t r;
        if (__builtin_add_overflow(a, b, &r)) raise_variant_overflow();
        return r;
    }
};
struct TfsIntSub : TfsOpSub {
    static std::int64_t apply_int(std::int64_t a, std::int64_t b) {
        std::int64_t r;
        if (__builtin_sub_overflow(a, b, &r)) raise_variant_overflow();
        return r;
    }
};
struct TfsIntMul : TfsOpMul {
    static std::int64_t apply_int(std::int64_t a, std::int64_t b) {
        std::int64_t r;
        if (__builtin_mul_overflow(a, b, &r)) raise_variant_overflow();
        return r;
    }
};
struct TfsIntDiv : TfsOpIntDiv {
    static std::int64_t apply_int(std::int64_t a, std::int64_t b) {
        if (b == 0) raise_div_by_zero();
        if (a == INT64_MIN && b == -1) raise_variant_overflow();
        return a / b;
    }
};
struct TfsIntMod : TfsOpMod {
    static std::int64_t apply_int(std::int64_t a, std::int64_t b) {
        if (b == 0) raise_div_by_zero();
        return b == -1 ? 0 : a % b;
    }
};

template <class Op, bool (*Holds)(std::int64_t, std::int64_t)> struct TfsIntCompare : Op {
    static bool test_int(std::int64_t a, std::int64_t b) { return Holds(a, b); }
};
inline bool fs_int_less(std::int64_t a, std::int64_t b) {
    return a < b;
}
inline bool fs_int_less_eq(std::int64_t a, std::int64_t b) {
    return a <= b;
}
inline bool fs_int_greater(std::int64_t a, std::int64_t b) {
    return a > b;
}
inline bool fs_int_greater_eq(std::int64_t a, std::int64_t b) {
    return a >= b;
}
inline bool fs_int_equal(std::int64_t a, std::int64_t b) {
    return a == b;
}
inline bool fs_int_not_equal(std::int64_t a, std::int64_t b) {
    return a != b;
}
using TfsIntLess = TfsIntCompare<TfsOpLess, fs_int_less>;
using TfsIntLessEq = TfsIntCompare<TfsOpLessEq, fs_int_less_eq>;
using TfsIntGreater = TfsIntCompare<TfsOpGreater, fs_int_greater>;
using TfsIntGreaterEq = TfsIntCompare<TfsOpGreaterEq, fs_int_greater_eq>;
using TfsIntEqual = TfsIntCompare<TfsOpEqual, fs_int_equal>;
using TfsIntNotEqual = TfsIntCompare<TfsOpNotEqual, fs_int_not_equal>;

// Integer operand forms: a variable of kind Integer, a constant, a node.
struct TfsIntSlotOperand {
    const Variant* slot;
    std::int64_t get_int() const { return slot->is_int32() ? slot->int_value() : slot->to_int64(); }
    const Variant& get() const { return *slot; }
};
struct TfsIntConstOperand {
    Variant value;
    std::int64_t get_int() const { return value.int64_value(); }
    const Variant& get() const { return value; }
};
struct TfsIntNodeOperand {
    TfsNodePtr node;
    std::int64_t get_int() const { return node->eval_int(); }
    Variant get() const { return node->eval(); }
};

template <class Op, class L, class R> class TfsIntBinaryNode : public TfsNode {
public:
    static constexpr bool comparison = requires { Op::test_int(0, 0); };

    TfsIntBinaryNode(L left, R right) : left_(std::move(left)), right_(std::move(right)) {}

    Variant eval() override {
        if constexpr (comparison) {
            return Variant(eval_bool());
        } else {
            const Variant a = left_.get();
            return Op::apply(a, right_.get());
        }
    }
    bool eval_bool() override {
        if constexpr (comparison) {
            const std::int64_t a = left_.get_int();
            return Op::test_int(a, right_.get_int());
        } else {
            return eval().to_bool();
        }
    }
    bool is_int() const override { return !comparison; }
    std::int64_t eval_int() override {
        if constexpr (comparison) {
            return eval().to_int64();
        } else {
            const std::int64_t a = left_.get_int();
            return Op::apply_int(a, right_.get_int());
        }
    }
    bool may_call() const override { return false; }

private:
    L left_;
    R right_;
};

class TfsIntNegNode : public TfsNode {
public:
    explicit TfsIntNegNode(TfsNodePtr operand) : operand_(std::move(operand)) {}
    Variant eval() override { return var_neg(operand_->eval()); }
    bool is_int() const override { return true; }
    std::int64_t eval_int() override { return TfsIntSub::apply_int(0, operand_->eval_int()); }
    bool may_call() const override { return false; }

private:
    TfsNodePtr operand_;
};

// The integer an integer expression gives, as it is stored into an Integer.
inline std::int32_t fs_int32_of(std::int64_t v) {
    if (v < INT32_MIN || v > INT32_MAX) raise_variant_overflow();
    return static_cast<std::int32_t>(v);
}

} // namespace veltran
