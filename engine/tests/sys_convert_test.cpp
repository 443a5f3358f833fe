#include "engine/sys_convert.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

using test::error_of;
using test::u8;

struct IntTextCase {
    const char16_t* text;
    std::int64_t value; // when valid
    bool valid32;
    bool valid64;
};

class StrToInt : public testing::TestWithParam<IntTextCase> {};

TEST_P(StrToInt, ReadsDecimalAndDollarHexadecimal) {
    const IntTextCase& c = GetParam();
    std::int32_t v32 = 0;
    std::int64_t v64 = 0;
    EXPECT_EQ(try_str_to_int(c.text, v32), c.valid32);
    EXPECT_EQ(try_str_to_int64(c.text, v64), c.valid64);
    if (c.valid32) {
        EXPECT_EQ(v32, c.value);
    }
    if (c.valid64 && !c.valid32) {
        EXPECT_EQ(v64, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToInt,
    testing::Values(IntTextCase{u"0", 0, true, true}, IntTextCase{u"-17", -17, true, true},
                    IntTextCase{u"+5", 5, true, true}, IntTextCase{u" 12 ", 12, true, true},
                    IntTextCase{u"$FF", 255, true, true}, IntTextCase{u"$ff", 255, true, true},
                    IntTextCase{u"-$10", -16, true, true},
                    IntTextCase{u"$FFFFFFFF", -1, true, true}, // a 32-bit pattern
                    IntTextCase{u"2147483647", 2147483647, true, true},
                    IntTextCase{u"-2147483648", INT32_MIN, true, true},
                    IntTextCase{u"2147483648", 2147483648LL, false, true},
                    IntTextCase{u"9223372036854775807", INT64_MAX, false, true},
                    IntTextCase{u"9223372036854775808", 0, false, false},
                    IntTextCase{u"$100000000", 4294967296LL, false, true},
                    IntTextCase{u"", 0, false, false}, IntTextCase{u"abc", 0, false, false},
                    IntTextCase{u"1.5", 0, false, false}, IntTextCase{u"1e3", 0, false, false},
                    IntTextCase{u"$", 0, false, false}, IntTextCase{u"0x1F", 0, false, false},
                    IntTextCase{u"1 2", 0, false, false}, IntTextCase{u"\u0661", 0, false, false}));

TEST(Conversions, FailuresRaiseTheConversionErrorNamingTheText) {
    EXPECT_EQ(error_of([] { str_to_int(u"abc"); }),
              "EConvertError: 'abc' is not a valid integer value");
    EXPECT_EQ(error_of([] { str_to_int64(u"9x"); }),
              "EConvertError: '9x' is not a valid integer value");
    EXPECT_EQ(error_of([] { str_to_float(u"1,5", TFormatSettings{}); }),
              "EConvertError: '1,5' is not a valid floating point value");
    EXPECT_EQ(str_to_int(u"-42"), -42);
    EXPECT_EQ(str_to_int64(u"$7FFFFFFFFFFFFFFF"), INT64_MAX);
}

TEST(Conversions, StrToFloatReadsTheRegionalDecimalSeparator) {
    const TFormatSettings plain;
    const TFormatSettings german = test::german_settings();
    struct Case {
        const char16_t* text;
        const TFormatSettings& fs;
        bool valid;
        double value;
    } cases[] = {
        {u"3.25", plain, true, 3.25},       {u" -1.5e3 ", plain, true, -1500},
        {u".5", plain, true, 0.5},          {u"7", plain, true, 7},
        {u"1e400", plain, false, 0},        {u"18e307", plain, false, 0},
        {u"1e-400", plain, true, 0},        {u"0.000e999", plain, true, 0},
        {u"1.7e308", plain, true, 1.7e308}, {u"1,5", plain, false, 0},
        {u"1,5", german, true, 1.5},        {u"1.5", german, false, 0},
        {u"1.000,5", german, false, 0},     {u"", plain, false, 0},
        {u"e5", plain, false, 0},           {u"INF", plain, false, 0},
    };
    for (const Case& c : cases) {
        double value = 0;
        EXPECT_EQ(try_str_to_float(c.text, c.fs, value), c.valid) << u8(c.text);
        if (c.valid) {
            EXPECT_EQ(value, c.value) << u8(c.text);
        }
    }
}

TEST(Conversions, IntegersAndBooleansAsText) {
    EXPECT_EQ(int_to_str(0).to_utf8(), "0");
    EXPECT_EQ(int_to_str(INT64_MIN).to_utf8(), "-9223372036854775808");
    EXPECT_EQ(int_to_str(-7).vtype(), varUString);
    EXPECT_EQ(u8(bool_to_str(true)), "-1");
    EXPECT_EQ(u8(bool_to_str(false)), "0");
}

TEST(Conversions, VarToStrGivesTheEmptyStringForNull) {
    EXPECT_EQ(var_to_str(Variant::null()).to_utf8(), "");
    EXPECT_EQ(var_to_str(Variant::null()).vtype(), varUString);
    EXPECT_EQ(var_to_str(Variant(2.5)).to_utf8(), "2.5");
    EXPECT_EQ(var_to_str(Variant(true)).to_utf8(), "True");
    EXPECT_EQ(var_to_str(Variant()).to_utf8(), "");
    EXPECT_EQ(error_of([] { var_to_str(Variant::array_of({})); }).substr(0, 21),
              "EVariantTypeCastError");
}

} // namespace
} // namespace veltran
