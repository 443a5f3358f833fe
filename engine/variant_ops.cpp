#include "engine/variant_ops.h"

#include "engine/script_exception.h"

#include <cmath>

namespace veltran {
namespace {

// The numeric classes, in the order in which a mix widens.
enum class TNum { int32, int64, currency, single, dbl, date };

// An operand reduced to a number: the class and its value as integer (int32,
// int64, currency scaled by 10000) or float (single, double, date).
struct TNumber {
    TNum kind;
    std::int64_t i = 0;
    double d = 0;
};

TNumber number_of(const Variant& v) {
    switch (v.vtype()) {
    case varEmpty: return {TNum::int32};
    case varBoolean: return {TNum::int32, v.bool_value() ? -1 : 0};
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord: return {TNum::int32, v.int64_value()};
    case varLongWord:
    case varInt64: return {TNum::int64, v.int64_value()};
    case varUInt64:
        if (v.int64_value() < 0) return {TNum::dbl, 0, v.to_double()};
        return {TNum::int64, v.int64_value()};
    case varCurrency: return {TNum::currency, v.int64_value()};
    case varSingle: return {TNum::single, 0, v.to_double()};
    case varDouble: return {TNum::dbl, 0, v.double_value()};
    case varDate: return {TNum::date, 0, v.double_value()};
    case varString:
    case varOleStr:
    case varUString: return number_of(detail::string_number(v, varDouble));
    default: raise_invalid_variant_op();
    }
}

double float_of(const TNumber& n) {
    switch (n.kind) {
    case TNum::int32:
    case TNum::int64: return static_cast<double>(n.i);
    case TNum::currency: return static_cast<double>(n.i) / 10000.0;
    default: return n.d;
    }
}

bool is_integral(TNum k) {
    return k == TNum::int32 || k == TNum::int64;
}

Variant checked_float(double r, double x, double y) {
    if (std::isinf(r) && std::isfinite(x) && std::isfinite(y)) raise_float_overflow();
    return Variant(r);
}

Variant integer_result(std::int64_t r, bool overflowed, TNum kind) {
    if (overflowed) raise_variant_overflow();
    if (kind == TNum::int32) return detail::int_result(r);
    return Variant(r);
}

Variant currency_result(std::int64_t r, bool overflowed) {
    if (overflowed) raise_variant_overflow();
    return Variant::of_currency(r);
}

enum class TArith { add, sub, mul };

// +, - and * of two numbers by the widening rules.
Variant arithmetic(TArith op, const TNumber& x, const TNumber& y) {
    const TNum kind = std::max(x.kind, y.kind);
    if (is_integral(kind)) {
        std::int64_t r;
        bool overflowed = op == TArith::add   ? __builtin_add_overflow(x.i, y.i, &r)
                          : op == TArith::sub ? __builtin_sub_overflow(x.i, y.i, &r)
                                              : __builtin_mul_overflow(x.i, y.i, &r);
        return integer_result(r, overflowed, kind);
    }
    if (kind == TNum::currency && op != TArith::mul) {
        std::int64_t a = x.i, b = y.i, r = 0;
        bool overflowed = (x.kind != TNum::currency && __builtin_mul_overflow(x.i, 10000, &a)) ||
                          (y.kind != TNum::currency && __builtin_mul_overflow(y.i, 10000, &b));
        overflowed = overflowed || (op == TArith::add ? __builtin_add_overflow(a, b, &r)
                                                      : __builtin_sub_overflow(a, b, &r));
        return currency_result(r, overflowed);
    }
    if (kind == TNum::currency) {
        if (x.kind == TNum::currency && y.kind == TNum::currency) {
            // The product of two scaled values carries the scale twice.
            const long double r = static_cast<long double>(x.i) * y.i / 10000.0L;
            const bool fits = r > -9.2e18L && r < 9.2e18L;
            return currency_result(fits ? static_cast<std::int64_t>(std::nearbyint(r)) : 0, !fits);
        }
        std::int64_t r = 0;
        const bool overflowed = __builtin_mul_overflow(x.i, y.i, &r);
        return currency_result(r, overflowed);
    }
    const double a = float_of(x), b = float_of(y);
    const double r = op == TArith::add ? a + b : op == TArith::sub ? a - b : a * b;
    if (kind == TNum::date) {
        const bool both_dates = x.kind == TNum::date && y.kind == TNum::date;
        if (op == TArith::mul || (op == TArith::sub && both_dates)) return checked_float(r, a, b);
        return Variant::of_date(r);
    }
    if (kind == TNum::single && x.kind != TNum::currency && y.kind != TNum::currency)
        return Variant::of_single(static_cast<float>(r));
    return checked_float(r, a, b);
}

bool concatenates(const Variant& a, const Variant& b) {
    return (a.is_string() || a.is_empty()) && (b.is_string() || b.is_empty()) &&
           (a.is_string() || b.is_string());
}

Variant concatenation(const Variant& a, const Variant& b) {
    if (a.vtype() == varString && b.vtype() == varString)
        return Variant::from_ansi(std::string(a.ansi_view()) + std::string(b.ansi_view()));
    Variant r = a.is_wide_string() ? a : a.to_ustring();
    r.append_string(b);
    return r;
}

// The operands of an integer operation (DIV, MOD, SHL, SHR, bitwise logic).
struct TIntPair {
    std::int64_t a, b;
    bool wide; // 64-bit operation
};

TIntPair integers_of(const Variant& a, const Variant& b) {
    const TNumber x = number_of(a), y = number_of(b);
    auto value = [](const Variant& v, const TNumber& n) {
        return is_integral(n.kind) ? n.i : v.to_int64();
    };
    const std::int64_t i = value(a, x), j = value(b, y);
    auto narrow = [](std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
    const bool wide = x.kind == TNum::int64 || y.kind == TNum::int64 || !narrow(i) || !narrow(j);
    return {i, j, wide};
}

Variant integer_of_width(std::int64_t r, bool wide) {
    return wide ? Variant(r) : Variant(static_cast<std::int32_t>(r));
}

enum class TLogic { and_, or_, xor_ };

Variant logic(TLogic op, const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    const bool logical =
        (a.is_bool() && (b.is_bool() || b.is_string())) || (b.is_bool() && a.is_string());
    if (logical) {
        const bool x = a.to_bool(), y = b.to_bool();
        return Variant(op == TLogic::and_ ? x && y : op == TLogic::or_ ? x || y : x != y);
    }
    const TIntPair p = integers_of(a, b);
    const std::int64_t r = op == TLogic::and_  ? p.a & p.b
                           : op == TLogic::or_ ? p.a | p.b
                                               : p.a ^ p.b;
    return integer_of_width(r, p.wide);
}

TVarOrder order_of(double x, double y) {
    if (x < y) return TVarOrder::less;
    if (x > y) return TVarOrder::greater;
    if (x == y) return TVarOrder::equal;
    return TVarOrder::unordered;
}

template <class T> TVarOrder order_of_values(const T& x, const T& y) {
    return x < y ? TVarOrder::less : x == y ? TVarOrder::equal : TVarOrder::greater;
}

TVarOrder string_order(const Variant& a, const Variant& b) {
    if (a.vtype() == varString && b.vtype() == varString)
        return order_of_values(a.ansi_view(), b.ansi_view());
    const Variant x = a.is_wide_string() ? a : a.to_ustring();
    const Variant y = b.is_wide_string() ? b : b.to_ustring();
    return order_of_values(x.wide_view(), y.wide_view());
}

} // namespace

namespace detail {

Variant var_add_slow(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    if (concatenates(a, b)) return concatenation(a, b);
    return arithmetic(TArith::add, number_of(a), number_of(b));
}

Variant var_sub_slow(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    return arithmetic(TArith::sub, number_of(a), number_of(b));
}

Variant var_mul_slow(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    return arithmetic(TArith::mul, number_of(a), number_of(b));
}

TVarOrder var_compare_slow(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) {
        if (a.is_null() && b.is_null()) return TVarOrder::equal;
        return a.is_null() ? TVarOrder::less : TVarOrder::greater;
    }
    if (a.is_array() || b.is_array()) raise_invalid_variant_op();
    if (concatenates(a, b) || (a.is_empty() && b.is_empty())) return string_order(a, b);
    if (a.is_bool() && b.is_bool()) return order_of_values(a.bool_value(), b.bool_value());
    if ((a.is_bool() && b.is_string()) || (b.is_bool() && a.is_string()))
        return order_of_values(a.to_bool() ? 1 : 0, b.to_bool() ? 1 : 0);
    const TNumber x = number_of(a), y = number_of(b);
    if (is_integral(x.kind) && is_integral(y.kind)) return order_of_values(x.i, y.i);
    if (x.kind == TNum::currency && y.kind == TNum::currency) return order_of_values(x.i, y.i);
    return order_of(float_of(x), float_of(y));
}

} // namespace detail

Variant var_div(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    const double x = float_of(number_of(a)), y = float_of(number_of(b));
    if (y == 0) {
        if (x == 0 || std::isnan(x)) raise_float_invalid();
        raise_float_zero_divide();
    }
    return checked_float(x / y, x, y);
}

Variant var_int_div(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    const TIntPair p = integers_of(a, b);
    if (p.b == 0) raise_div_by_zero();
    if (p.a == INT64_MIN && p.b == -1) raise_variant_overflow();
    return p.wide ? Variant(p.a / p.b) : detail::int_result(p.a / p.b);
}

Variant var_mod(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    const TIntPair p = integers_of(a, b);
    if (p.b == 0) raise_div_by_zero();
    if (p.b == -1) return integer_of_width(0, p.wide);
    return integer_of_width(p.a % p.b, p.wide);
}

Variant var_shl(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    const TIntPair p = integers_of(a, b);
    if (p.wide)
        return Variant(static_cast<std::int64_t>(static_cast<std::uint64_t>(p.a) << (p.b & 63)));
    return Variant(static_cast<std::int32_t>(static_cast<std::uint32_t>(p.a) << (p.b & 31)));
}

Variant var_shr(const Variant& a, const Variant& b) {
    if (a.is_null() || b.is_null()) return Variant::null();
    const TIntPair p = integers_of(a, b);
    if (p.wide)
        return Variant(static_cast<std::int64_t>(static_cast<std::uint64_t>(p.a) >> (p.b & 63)));
    return Variant(static_cast<std::int32_t>(static_cast<std::uint32_t>(p.a) >> (p.b & 31)));
}

Variant var_and(const Variant& a, const Variant& b) {
    return logic(TLogic::and_, a, b);
}
Variant var_or(const Variant& a, const Variant& b) {
    return logic(TLogic::or_, a, b);
}
Variant var_xor(const Variant& a, const Variant& b) {
    return logic(TLogic::xor_, a, b);
}

Variant var_not(const Variant& a) {
    if (a.is_null()) return a;
    if (a.is_bool()) return Variant(!a.bool_value());
    const TNumber n = number_of(a);
    const std::int64_t i = is_integral(n.kind) ? n.i : a.to_int64();
    return integer_of_width(~i, n.kind != TNum::int32);
}

Variant var_neg(const Variant& a) {
    if (a.is_null()) return a;
    const TNumber n = number_of(a);
    switch (n.kind) {
    case TNum::int32:
    case TNum::int64: {
        std::int64_t r = 0;
        const bool overflowed = __builtin_sub_overflow(std::int64_t{0}, n.i, &r);
        return integer_result(r, overflowed, n.kind);
    }
    case TNum::currency: {
        std::int64_t r = 0;
        const bool overflowed = __builtin_sub_overflow(std::int64_t{0}, n.i, &r);
        return currency_result(r, overflowed);
    }
    case TNum::single: return Variant::of_single(static_cast<float>(-n.d));
    case TNum::date: return Variant::of_date(-n.d);
    default: return Variant(-n.d);
    }
}

} // namespace veltran
