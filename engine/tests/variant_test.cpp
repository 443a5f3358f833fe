#include "engine/script_exception.h"
#include "engine/variant.h"
#include "engine/variant_ops.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace veltran {
namespace {

Variant str(const char* utf8) {
    return Variant::from_utf8(utf8);
}

// The error class a call raises, or "" when it raises nothing.
std::string error_of(const std::function<void()>& call) {
    try {
        call();
    } catch (const TfsException& e) {
        return e.class_name();
    }
    return "";
}

std::string text_of(const Variant& v) {
    return Variant::type_name(v.vtype()) + ":" + (v.is_null() ? "" : v.to_utf8());
}

TEST(Variant, IsATagAndAPayload) {
    EXPECT_EQ(sizeof(Variant), 16u);
}

TEST(Variant, CopyingAStringSharesItsBuffer) {
    const Variant a = str("cockpit");
    const Variant b = a;
    EXPECT_EQ(a.wide_view().data(), b.wide_view().data());
    EXPECT_EQ(b.to_utf8(), "cockpit");
}

TEST(Variant, AppendingToASharedStringLeavesTheOtherCopyAlone) {
    Variant a = str("ab");
    const Variant b = a;
    a.append_string(str("c"));
    EXPECT_EQ(a.to_utf8(), "abc");
    EXPECT_EQ(b.to_utf8(), "ab");
}

TEST(Variant, RepeatedAppendsReuseTheBuffer) {
    Variant s = str("");
    const Variant tail = str("x");
    int moves = 0;
    const char16_t* buffer = nullptr;
    for (int i = 0; i < 1000; ++i) {
        s.append_string(tail);
        if (s.wide_view().data() != buffer) ++moves, buffer = s.wide_view().data();
    }
    EXPECT_EQ(s.wide_view().size(), 1000u);
    EXPECT_LE(moves, 11); // the capacity doubles
}

TEST(Variant, WideLiteralsAreStringsNotBooleans) {
    EXPECT_EQ(Variant(u"").vtype(), varUString);
    EXPECT_EQ(Variant(u"").to_utf8(), "");
    EXPECT_EQ(Variant(u"ab").to_utf8(), "ab");
}

TEST(Variant, TextCrossesBetweenUtf8AndUtf16) {
    const Variant v = Variant::from_utf8("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(v.vtype(), varUString);
    EXPECT_EQ(v.wide_view(), u"\u00e9t\u00e9 \u20ac");
    EXPECT_EQ(v.to_utf8(), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(Variant::from_ansi("\x80").to_utf8(), "\xE2\x82\xAC");
    EXPECT_EQ(v.as_type(varString).ansi_view(), "\xE9t\xE9 \x80");
}

// ---- conversions ---------------------------------------------------------

struct ToIntCase {
    const char* name;
    Variant value;
    std::int32_t expected;
    const char* error; // class raised instead, or ""
};

class VariantToInt : public testing::TestWithParam<ToIntCase> {};

TEST_P(VariantToInt, FollowsTheRules) {
    const ToIntCase& c = GetParam();
    std::int32_t got = 0;
    EXPECT_EQ(error_of([&] { got = c.value.to_int(); }), c.error);
    if (!*c.error) {
        EXPECT_EQ(got, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VariantToInt,
    testing::Values(ToIntCase{"empty", Variant(), 0, ""},
                    ToIntCase{"null", Variant::null(), 0, "EVariantTypeCastError"},
                    ToIntCase{"true", Variant(true), -1, ""},
                    ToIntCase{"byte", Variant::of_integer(varByte, 200), 200, ""},
                    ToIntCase{"double_half_even_down", Variant(2.5), 2, ""},
                    ToIntCase{"double_half_even_up", Variant(3.5), 4, ""},
                    ToIntCase{"double_rounds", Variant(2.7), 3, ""},
                    ToIntCase{"negative_double", Variant(-2.5), -2, ""},
                    ToIntCase{"currency", Variant::of_currency(15000), 2, ""},
                    ToIntCase{"digits", str(" 42 "), 42, ""}, ToIntCase{"hex", str("$FF"), 255, ""},
                    ToIntCase{"float_text", str("2.7"), 3, ""},
                    ToIntCase{"true_text", str("TRUE"), -1, ""},
                    ToIntCase{"letters", str("abc"), 0, "EVariantTypeCastError"},
                    ToIntCase{"empty_text", str(""), 0, "EVariantTypeCastError"},
                    ToIntCase{"too_big", Variant(std::int64_t{1} << 40), 0,
                              "EVariantOverflowError"},
                    ToIntCase{"nan", Variant(std::nan("")), 0, "EVariantOverflowError"},
                    ToIntCase{"array", Variant::array_of({}), 0, "EVariantTypeCastError"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ToTextCase {
    const char* name;
    Variant value;
    const char* expected;
};

class VariantToText : public testing::TestWithParam<ToTextCase> {};

TEST_P(VariantToText, FollowsTheRules) {
    EXPECT_EQ(GetParam().value.to_utf8(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VariantToText,
    testing::Values(ToTextCase{"empty", Variant(), ""}, ToTextCase{"true", Variant(true), "True"},
                    ToTextCase{"false", Variant(false), "False"},
                    ToTextCase{"negative", Variant(-17), "-17"},
                    ToTextCase{"int64", Variant(std::int64_t{1} << 40), "1099511627776"},
                    ToTextCase{"half", Variant(3.5), "3.5"},
                    ToTextCase{"fifteen_digits", Variant(0.1 + 0.2), "0.3"},
                    ToTextCase{"small", Variant(0.0001), "0.0001"},
                    ToTextCase{"smaller", Variant(0.00001), "1E-5"},
                    ToTextCase{"large", Variant(1e20), "1E20"},
                    ToTextCase{"large_integral", Variant(123456789012345.0), "123456789012345"},
                    ToTextCase{"single", Variant::of_single(0.1f), "0.1"},
                    ToTextCase{"currency", Variant::of_currency(123456), "12.3456"},
                    ToTextCase{"date", Variant::of_date(45292), "01/01/2024"},
                    ToTextCase{"date_time", Variant::of_date(45292.75), "01/01/2024 18:00:00"},
                    ToTextCase{"epoch", Variant::of_date(0), "30/12/1899"},
                    ToTextCase{"ansi", Variant::from_ansi("caf\xE9"), "caf\xC3\xA9"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Variant, NullHasNoText) {
    EXPECT_EQ(error_of([] { (void)Variant::null().to_u16string(); }), "EVariantTypeCastError");
}

struct ToBoolCase {
    const char* name;
    Variant value;
    bool expected;
    const char* error;
};

class VariantToBool : public testing::TestWithParam<ToBoolCase> {};

TEST_P(VariantToBool, FollowsTheRules) {
    const ToBoolCase& c = GetParam();
    bool got = false;
    EXPECT_EQ(error_of([&] { got = c.value.to_bool(); }), c.error);
    if (!*c.error) {
        EXPECT_EQ(got, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VariantToBool,
    testing::Values(ToBoolCase{"empty", Variant(), false, ""},
                    ToBoolCase{"zero", Variant(0), false, ""},
                    ToBoolCase{"minus_one", Variant(-1), true, ""},
                    ToBoolCase{"float", Variant(0.5), true, ""},
                    ToBoolCase{"true_text", str("True"), true, ""},
                    ToBoolCase{"false_text", str("false"), false, ""},
                    ToBoolCase{"number_text", str("2"), true, ""},
                    ToBoolCase{"word", str("abc"), false, "EVariantTypeCastError"},
                    ToBoolCase{"null", Variant::null(), false, "EVariantTypeCastError"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Variant, AsTypeChecksTheTargetRange) {
    EXPECT_EQ(text_of(Variant(300).as_type(varWord)), "Word:300");
    EXPECT_EQ(error_of([] { (void)Variant(300).as_type(varByte); }), "EVariantOverflowError");
    EXPECT_EQ(error_of([] { (void)Variant(-1).as_type(varLongWord); }), "EVariantOverflowError");
    EXPECT_EQ(text_of(Variant(2).as_type(varCurrency)), "Currency:2");
    EXPECT_EQ(text_of(str("1.25").as_type(varDouble)), "Double:1.25");
    EXPECT_EQ(text_of(Variant(7).as_type(varUString)), "UnicodeString:7");
    EXPECT_EQ(error_of([] { (void)str("x").as_type(varInteger); }), "EVariantTypeCastError");
}

TEST(Variant, FloatTextBeyondADoubleFailsAndBelowItIsZero) {
    EXPECT_EQ(error_of([] { (void)str("1e400").to_double(); }), "EVariantTypeCastError");
    EXPECT_EQ(error_of([] { (void)str("-0.5e309").to_double(); }), "EVariantTypeCastError");
    EXPECT_EQ(error_of([] { (void)str("120000e304").to_double(); }), "EVariantTypeCastError");
    EXPECT_EQ(str("1e-400").to_double(), 0.0);
    EXPECT_EQ(str("0.0001e-330").to_double(), 0.0);
    EXPECT_EQ(str("1.5e308").to_double(), 1.5e308);
}

TEST(Variant, ConversionErrorNamesBothTypes) {
    try {
        (void)str("abc").to_int();
        FAIL();
    } catch (const TfsException& e) {
        EXPECT_EQ(e.message(),
                  "Could not convert variant of type (UnicodeString) into type (Integer)");
    }
}

// ---- arithmetic ----------------------------------------------------------

using TBinary = Variant (*)(const Variant&, const Variant&);

struct ArithmeticCase {
    const char* name;
    TBinary op;
    Variant a, b;
    const char* expected; // "Type:text", or the error class
};

class VariantArithmetic : public testing::TestWithParam<ArithmeticCase> {};

TEST_P(VariantArithmetic, FollowsTheRules) {
    const ArithmeticCase& c = GetParam();
    std::string got;
    const std::string error = error_of([&] { got = text_of(c.op(c.a, c.b)); });
    EXPECT_EQ(error.empty() ? got : error, c.expected);
}

const Variant big = Variant(std::int32_t{2147483647});
const Variant day = Variant::of_date(45292);

INSTANTIATE_TEST_SUITE_P(
    Cases, VariantArithmetic,
    testing::Values(
        ArithmeticCase{"int_add", var_add, Variant(2), Variant(3), "Integer:5"},
        ArithmeticCase{"int_overflow_widens", var_add, big, Variant(1), "Int64:2147483648"},
        ArithmeticCase{"int64_overflow", var_mul, Variant(INT64_MAX), Variant(2),
                       "EVariantOverflowError"},
        ArithmeticCase{"int_float", var_add, Variant(1), Variant(0.5), "Double:1.5"},
        ArithmeticCase{"single_int", var_mul, Variant::of_single(1.5f), Variant(2), "Single:3"},
        ArithmeticCase{"currency_int", var_add, Variant::of_currency(15000), Variant(1),
                       "Currency:2.5"},
        ArithmeticCase{"currency_times_currency", var_mul, Variant::of_currency(15000),
                       Variant::of_currency(20000), "Currency:3"},
        ArithmeticCase{"date_plus_days", var_add, day, Variant(1), "Date:02/01/2024"},
        ArithmeticCase{"date_minus_date", var_sub, day, Variant::of_date(45290), "Double:2"},
        ArithmeticCase{"strings_concatenate", var_add, str("ab"), str("cd"), "UnicodeString:abcd"},
        ArithmeticCase{"string_plus_empty", var_add, str("ab"), Variant(), "UnicodeString:ab"},
        ArithmeticCase{"ansi_strings", var_add, Variant::from_ansi("a"), Variant::from_ansi("b"),
                       "String:ab"},
        ArithmeticCase{"digits_add_numerically", var_add, str("5"), Variant(1), "Integer:6"},
        ArithmeticCase{"float_text_adds", var_add, str("1.5"), Variant(1), "Double:2.5"},
        ArithmeticCase{"letters_do_not_add", var_add, str("a"), Variant(1),
                       "EVariantTypeCastError"},
        ArithmeticCase{"null_propagates", var_add, Variant::null(), Variant(1), "Null:"},
        ArithmeticCase{"empty_is_zero", var_sub, Variant(), Variant(4), "Integer:-4"},
        ArithmeticCase{"boolean_is_minus_one", var_add, Variant(true), Variant(1), "Integer:0"},
        ArithmeticCase{"array_is_invalid", var_add, Variant::array_of({}), Variant(1),
                       "EVariantInvalidOpError"},
        ArithmeticCase{"slash_gives_float", var_div, Variant(7), Variant(2), "Double:3.5"},
        ArithmeticCase{"slash_by_zero", var_div, Variant(1), Variant(0), "EZeroDivide"},
        ArithmeticCase{"zero_by_zero", var_div, Variant(0), Variant(0), "EInvalidOp"},
        ArithmeticCase{"float_overflow", var_mul, Variant(1e308), Variant(10.0), "EOverflow"},
        ArithmeticCase{"div", var_int_div, Variant(7), Variant(2), "Integer:3"},
        ArithmeticCase{"div_negative", var_int_div, Variant(-7), Variant(2), "Integer:-3"},
        ArithmeticCase{"div_by_zero", var_int_div, Variant(7), Variant(0), "EDivByZero"},
        ArithmeticCase{"div_rounds_floats", var_int_div, Variant(7.6), Variant(2), "Integer:4"},
        ArithmeticCase{"mod", var_mod, Variant(7), Variant(2), "Integer:1"},
        ArithmeticCase{"mod_negative", var_mod, Variant(-7), Variant(2), "Integer:-1"},
        ArithmeticCase{"mod_by_zero", var_mod, Variant(7), Variant(0), "EDivByZero"},
        ArithmeticCase{"mod_min_by_minus_one", var_mod, Variant(INT64_MIN), Variant(-1), "Int64:0"},
        ArithmeticCase{"shl", var_shl, Variant(1), Variant(4), "Integer:16"},
        ArithmeticCase{"shl_into_sign", var_shl, Variant(1), Variant(31), "Integer:-2147483648"},
        ArithmeticCase{"shl_masks_count", var_shl, Variant(1), Variant(33), "Integer:2"},
        ArithmeticCase{"shr_is_logical", var_shr, Variant(-1), Variant(28), "Integer:15"},
        ArithmeticCase{"and_bools", var_and, Variant(true), Variant(false), "Boolean:False"},
        ArithmeticCase{"or_bools", var_or, Variant(false), Variant(true), "Boolean:True"},
        ArithmeticCase{"xor_bools", var_xor, Variant(true), Variant(true), "Boolean:False"},
        ArithmeticCase{"and_ints", var_and, Variant(12), Variant(10), "Integer:8"},
        ArithmeticCase{"or_ints", var_or, Variant(12), Variant(3), "Integer:15"},
        ArithmeticCase{"xor_ints", var_xor, Variant(12), Variant(10), "Integer:6"},
        ArithmeticCase{"bool_and_text", var_and, Variant(true), str("True"), "Boolean:True"},
        ArithmeticCase{"and_null", var_and, Variant::null(), Variant(true), "Null:"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Variant, UnaryOperations) {
    EXPECT_EQ(text_of(var_not(Variant(true))), "Boolean:False");
    EXPECT_EQ(text_of(var_not(Variant(0))), "Integer:-1");
    EXPECT_EQ(text_of(var_not(Variant(std::int64_t{0}))), "Int64:-1");
    EXPECT_EQ(text_of(var_not(Variant::null())), "Null:");
    EXPECT_EQ(text_of(var_neg(Variant(5))), "Integer:-5");
    EXPECT_EQ(text_of(var_neg(Variant(INT32_MIN))), "Int64:2147483648");
    EXPECT_EQ(text_of(var_neg(Variant(2.5))), "Double:-2.5");
    EXPECT_EQ(text_of(var_neg(str("3"))), "Integer:-3");
    EXPECT_EQ(error_of([] { (void)var_neg(Variant(INT64_MIN)); }), "EVariantOverflowError");
}

// ---- comparison ----------------------------------------------------------

struct CompareCase {
    const char* name;
    Variant a, b;
    TVarOrder expected;
};

class VariantCompare : public testing::TestWithParam<CompareCase> {};

TEST_P(VariantCompare, FollowsTheRules) {
    EXPECT_EQ(var_compare(GetParam().a, GetParam().b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VariantCompare,
    testing::Values(
        CompareCase{"ints", Variant(1), Variant(2), TVarOrder::less},
        CompareCase{"int_float", Variant(2), Variant(1.5), TVarOrder::greater},
        CompareCase{"int_int64", Variant(5), Variant(std::int64_t{5}), TVarOrder::equal},
        CompareCase{"currency_double", Variant::of_currency(25000), Variant(2.5), TVarOrder::equal},
        CompareCase{"strings", str("abc"), str("abd"), TVarOrder::less},
        CompareCase{"strings_case_sensitive", str("a"), str("A"), TVarOrder::greater},
        CompareCase{"prefix", str("ab"), str("abc"), TVarOrder::less},
        CompareCase{"ansi_and_wide", Variant::from_ansi("x"), str("x"), TVarOrder::equal},
        CompareCase{"numeric_text", str("1"), Variant(1), TVarOrder::equal},
        CompareCase{"numeric_text_order", str("10"), Variant(9), TVarOrder::greater},
        CompareCase{"bools", Variant(false), Variant(true), TVarOrder::less},
        CompareCase{"bool_text", str("True"), Variant(true), TVarOrder::equal},
        CompareCase{"null_null", Variant::null(), Variant::null(), TVarOrder::equal},
        CompareCase{"null_first", Variant::null(), Variant(0), TVarOrder::less},
        CompareCase{"null_last", str(""), Variant::null(), TVarOrder::greater},
        CompareCase{"empty_zero", Variant(), Variant(0), TVarOrder::equal},
        CompareCase{"empty_text", Variant(), str(""), TVarOrder::equal},
        CompareCase{"nan", Variant(std::nan("")), Variant(1.0), TVarOrder::unordered}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Variant, ComparingTextWithANumberNeedsNumericText) {
    EXPECT_EQ(error_of([] { (void)var_compare(str("abc"), Variant(1)); }), "EVariantTypeCastError");
}

// ---- arrays --------------------------------------------------------------

TEST(Variant, ArraysHaveBoundsPerDimension) {
    const TArrayBound bounds[] = {{1, 3}, {0, 1}};
    Variant a = Variant::array(bounds);
    EXPECT_EQ(a.vtype(), varArray | varVariant);
    EXPECT_EQ(a.array_dim_count(), 2);
    EXPECT_EQ(a.array_bound(0).low, 1);
    EXPECT_EQ(a.array_bound(1).high, 1);
    const std::int32_t at[] = {3, 1};
    a.array_put(at, str("x"));
    EXPECT_EQ(a.array_get(at).to_utf8(), "x");
    EXPECT_TRUE(a.array_items().front().is_empty());
    EXPECT_EQ(a.array_items().back().to_utf8(), "x");
}

TEST(Variant, IndexesOutsideTheBoundsRaise) {
    const TArrayBound bound{0, 2};
    Variant a = Variant::array(std::span(&bound, 1));
    EXPECT_EQ(error_of([&] { (void)a.array_get1(3); }), "EVariantBadIndexError");
    EXPECT_EQ(error_of([&] { a.array_put1(-1, Variant(1)); }), "EVariantBadIndexError");
    EXPECT_EQ(error_of([&] { (void)a.array_get1(INT32_MIN); }), "EVariantBadIndexError");
    const std::int32_t two[] = {0, 0};
    EXPECT_EQ(error_of([&] { (void)a.array_get(two); }), "EVariantBadIndexError");
    EXPECT_EQ(error_of([] { (void)Variant(1).array_get1(0); }), "EVariantInvalidOpError");
}

TEST(Variant, ArraysAreCopiedOnWrite) {
    const TArrayBound bound{0, 1};
    Variant a = Variant::array(std::span(&bound, 1));
    a.array_put1(0, Variant(1));
    Variant b = a;
    b.array_put1(0, Variant(2));
    EXPECT_EQ(a.array_get1(0).to_int(), 1);
    EXPECT_EQ(b.array_get1(0).to_int(), 2);
}

TEST(Variant, TypedArraysConvertWhatTheyStore) {
    const TArrayBound bound{0, 0};
    Variant a = Variant::array(std::span(&bound, 1), varInteger);
    a.array_put1(0, str("12"));
    EXPECT_EQ(text_of(a.array_get1(0)), "Integer:12");
    EXPECT_EQ(error_of([&] { a.array_put1(0, str("x")); }), "EVariantTypeCastError");
}

TEST(Variant, RedimKeepsElements) {
    const TArrayBound bound{0, 1};
    Variant a = Variant::array(std::span(&bound, 1));
    a.array_put1(1, Variant(9));
    a.array_redim(4);
    EXPECT_EQ(a.array_bound(0).high, 4);
    EXPECT_EQ(a.array_get1(1).to_int(), 9);
    EXPECT_TRUE(a.array_get1(4).is_empty());
    EXPECT_EQ(error_of([&] { a.array_redim(-5); }), "EVariantBadIndexError");
}

TEST(Variant, HugeArraysAreRefused) {
    const TArrayBound bound{0, INT32_MAX};
    EXPECT_EQ(error_of([&] { (void)Variant::array(std::span(&bound, 1)); }), "EOutOfMemory");
    const TArrayBound reversed{5, 1};
    EXPECT_EQ(error_of([&] { (void)Variant::array(std::span(&reversed, 1)); }),
              "EVariantBadIndexError");
}

} // namespace
} // namespace veltran
