#pragma once
// Arithmetic, logic and comparison of Variants. The integer cases are inline;
// everything else follows the Variant rules:
// - Null in an operation gives Null; Empty counts as 0 (or '' beside a string).
// - Two strings added concatenate; a string beside a number is read as a
//   number (integer, float or True/False), and raises the conversion error
//   when it is none.
// - Booleans count as -1 (True) and 0 in arithmetic; AND, OR, XOR and NOT are
//   logical on two Booleans and bitwise on integers.
// - Integers stay Integer while the result fits, else become Int64; an Int64
//   result that does not fit raises "Variant overflow". Any float makes the
//   result Double (Single when only Singles and integers meet), currency
//   stays Currency in addition, subtraction and multiplication by integers,
//   and a date plus or minus a number stays a date.
// - "/" always gives a float; DIV, MOD, SHL and SHR are integer operations.
// - Comparison: numbers by value, strings by UTF-16 code units, False < True;
//   Null equals only Null and is less than every other value.

#include "engine/variant.h"

#include <cstdint>

namespace veltran {

enum class TVarOrder { less, equal, greater, unordered };

namespace detail {
Variant var_add_slow(const Variant& a, const Variant& b);
Variant var_sub_slow(const Variant& a, const Variant& b);
Variant var_mul_slow(const Variant& a, const Variant& b);
TVarOrder var_compare_slow(const Variant& a, const Variant& b);
inline Variant int_result(std::int64_t r) {
    if (r >= INT32_MIN && r <= INT32_MAX) return Variant(static_cast<std::int32_t>(r));
    return Variant(r);
}
} // namespace detail

inline Variant var_add(const Variant& a, const Variant& b) {
    if (a.is_int32() && b.is_int32())
        return detail::int_result(std::int64_t{a.int_value()} + b.int_value());
    return detail::var_add_slow(a, b);
}

inline Variant var_sub(const Variant& a, const Variant& b) {
    if (a.is_int32() && b.is_int32())
        return detail::int_result(std::int64_t{a.int_value()} - b.int_value());
    return detail::var_sub_slow(a, b);
}

inline Variant var_mul(const Variant& a, const Variant& b) {
    if (a.is_int32() && b.is_int32())
        return detail::int_result(std::int64_t{a.int_value()} * b.int_value());
    return detail::var_mul_slow(a, b);
}

Variant var_div(const Variant& a, const Variant& b); // "/"
Variant var_int_div(const Variant& a, const Variant& b);
Variant var_mod(const Variant& a, const Variant& b);
Variant var_shl(const Variant& a, const Variant& b);
Variant var_shr(const Variant& a, const Variant& b);
Variant var_and(const Variant& a, const Variant& b);
Variant var_or(const Variant& a, const Variant& b);
Variant var_xor(const Variant& a, const Variant& b);
Variant var_not(const Variant& a);
Variant var_neg(const Variant& a);

inline TVarOrder var_compare(const Variant& a, const Variant& b) {
    if (a.is_int32() && b.is_int32()) {
        const std::int32_t x = a.int_value(), y = b.int_value();
        return x < y ? TVarOrder::less : x == y ? TVarOrder::equal : TVarOrder::greater;
    }
    return detail::var_compare_slow(a, b);
}

inline bool var_equal(const Variant& a, const Variant& b) {
    return var_compare(a, b) == TVarOrder::equal;
}

} // namespace veltran
