#include "engine/float_text.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltran {
namespace {

using test::u8;

struct FloatCase {
    double value;
    const char* expected;
};

class FloatToStr : public testing::TestWithParam<FloatCase> {};

TEST_P(FloatToStr, WritesTheGeneralFormWithFifteenDigits) {
    EXPECT_EQ(u8(float_to_str(GetParam().value, TFormatSettings{})), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FloatToStr,
    testing::Values(FloatCase{0, "0"}, FloatCase{-0.0, "0"}, FloatCase{3.5, "3.5"},
                    FloatCase{-2.25, "-2.25"}, FloatCase{0.1 + 0.2, "0.3"},
                    FloatCase{1.0 / 3, "0.333333333333333"},
                    FloatCase{2.0 / 3, "0.666666666666667"}, FloatCase{0.0001, "0.0001"},
                    FloatCase{0.00001, "1E-5"}, FloatCase{-2.5e-10, "-2.5E-10"},
                    FloatCase{1e14, "100000000000000"}, FloatCase{1e15, "1E15"},
                    FloatCase{123456789012345678.0, "1.23456789012346E17"},
                    FloatCase{999999999999999.9, "1E15"},
                    FloatCase{1.7976931348623157e308, "1.79769313486232E308"},
                    FloatCase{5e-324, "5E-324"}, FloatCase{INFINITY, "INF"},
                    FloatCase{-INFINITY, "-INF"}, FloatCase{NAN, "NAN"}));

TEST(FloatText, FollowsTheDecimalSeparatorOfTheSettings) {
    const TFormatSettings fs = test::german_settings();
    EXPECT_EQ(u8(float_to_str(-1234.5, fs)), "-1234,5");
    EXPECT_EQ(u8(float_fixed_text(1234567.891, 2, true, fs)), "1.234.567,89");
    EXPECT_EQ(u8(float_exponent_text(1.5, 3, fs.decimal_separator)), "1,50E+000");
}

TEST(FloatText, ExponentFormHasTheGivenDigitsAndAThreeDigitExponent) {
    const TFormatSettings fs;
    EXPECT_EQ(u8(float_exponent_text(1.5, 15, u'.')), "1.50000000000000E+000");
    EXPECT_EQ(u8(float_exponent_text(-1234567.891, 3, u'.')), "-1.23E+006");
    EXPECT_EQ(u8(float_exponent_text(0, 4, u'.')), "0.000E+000");
    EXPECT_EQ(u8(float_exponent_text(9.96, 2, u'.')), "1.0E+001"); // the carry moves the exponent
    EXPECT_EQ(u8(float_exponent_text(1e-300, 1, u'.')), "1E-300");
}

TEST(FloatText, FixedFormRoundsHalvesAwayFromZero) {
    const TFormatSettings fs;
    EXPECT_EQ(u8(float_fixed_text(2.5, 0, false, fs)), "3");
    EXPECT_EQ(u8(float_fixed_text(-2.5, 0, false, fs)), "-3");
    EXPECT_EQ(u8(float_fixed_text(2.675, 2, false, fs)), "2.68");
    EXPECT_EQ(u8(float_fixed_text(0.125, 2, false, fs)), "0.13");
    EXPECT_EQ(u8(float_fixed_text(-0.001, 2, false, fs)), "0.00"); // no sign on a zero
    EXPECT_EQ(u8(float_fixed_text(999.999, 2, true, fs)), "1,000.00");
    EXPECT_EQ(u8(float_fixed_text(0.1, 20, false, fs)), "0.10000000000000000000");
    EXPECT_EQ(u8(float_fixed_text(1e30, 2, false, fs)), "1E30"); // too large for fixed digits
}

TEST(FloatText, MoneyFollowsTheCurrencyLayouts) {
    TFormatSettings fs;
    EXPECT_EQ(u8(float_money_text(1234.5, 2, fs)), "$1,234.50");
    EXPECT_EQ(u8(float_money_text(-1234.5, 2, fs)), "-$1,234.50");
    const char* positive[] = {"$1.50", "1.50$", "$ 1.50", "1.50 $"};
    for (int layout = 0; layout < 4; ++layout) {
        fs.currency_format = layout;
        EXPECT_EQ(u8(float_money_text(1.5, 2, fs)), positive[layout]) << layout;
    }
    const char* negative[] = {"($1.50)", "-$1.50",  "$-1.50",   "$1.50-",  "(1.50$)", "-1.50$",
                              "1.50-$",  "1.50$-",  "-1.50 $",  "-$ 1.50", "1.50 $-", "$ 1.50-",
                              "$ -1.50", "1.50- $", "($ 1.50)", "(1.50 $)"};
    for (int layout = 0; layout < 16; ++layout) {
        fs.neg_curr_format = layout;
        EXPECT_EQ(u8(float_money_text(-1.5, 2, fs)), negative[layout]) << layout;
    }
    const TFormatSettings german = test::german_settings();
    EXPECT_EQ(u8(float_money_text(-1234.5, 2, german)), "-1.234,50 \u20ac");
}

} // namespace
} // namespace veltran
