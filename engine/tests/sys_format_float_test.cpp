#include "engine/sys_format_float.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltran {
namespace {

using test::u8;

struct PictureCase {
    const char16_t* picture;
    double value;
    const char* expected;
};

class FormatFloat : public testing::TestWithParam<PictureCase> {};

TEST_P(FormatFloat, LaysTheValueOutByThePicture) {
    EXPECT_EQ(u8(format_float(GetParam().picture, GetParam().value, TFormatSettings{})),
              GetParam().expected)
        << u8(GetParam().picture) << " " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FormatFloat,
    testing::Values(
        PictureCase{u"0.00", 2.675, "2.68"}, PictureCase{u"0.00", 3, "3.00"},
        PictureCase{u"#,##0.00", 1234567.891, "1,234,567.89"},
        PictureCase{u"#,##0.00", -1234567.891, "-1,234,567.89"},
        PictureCase{u"0,000", 1234567, "1,234,567"}, PictureCase{u"0,000", 5, "0,005"},
        PictureCase{u"0", 2.5, "3"}, PictureCase{u"0", -2.5, "-3"}, PictureCase{u"0", -0.4, "0"},
        PictureCase{u"00000", 42, "00042"}, PictureCase{u"#", 0, ""},
        PictureCase{u"#.###", 0.5, ".5"}, PictureCase{u"0.0#", 1.5, "1.5"},
        PictureCase{u"0.0#", 1.456, "1.46"}, PictureCase{u"#.##", 12, "12"},
        PictureCase{u".00", 12.5, "12.50"}, PictureCase{u"0", 123456, "123456"},
        PictureCase{u"\"x\"0\"y\"", 7, "x7y"}, PictureCase{u"'#'0", 7, "#7"},
        PictureCase{u"0 kt", 250.4, "250 kt"}, PictureCase{u"0%", 45, "45%"},
        PictureCase{u"0.00;(0.00);zero", -3.14159, "(3.14)"},
        PictureCase{u"0.00;(0.00);zero", 0, "zero"}, PictureCase{u"0.00;(0.00);zero", 1, "1.00"},
        PictureCase{u"0.00;;zero", -1, "-1.00"}, PictureCase{u"0.00;;zero", 0.001, "0.00"},
        PictureCase{u"0.00;(0.00)", 0, "0.00"}, PictureCase{u"\"none\"", 5, "none"},
        PictureCase{u"0.000E+00", 12345.678, "1.235E+04"},
        PictureCase{u"0.000E+00", 0, "0.000E+00"}, PictureCase{u"0.0E-0", 12345.678, "1.2E4"},
        PictureCase{u"0.0e-00", 0.00012, "1.2e-04"}, PictureCase{u"##0.0E-0", 0.000123, "123.0E-6"},
        PictureCase{u"0.00E+000", -9.999, "-1.00E+001"},
        PictureCase{u"0.00", 1e20, "100000000000000000000.00"},
        PictureCase{u"0.0000000000000000000", 0.1, "0.1000000000000000000"},
        PictureCase{u"0.00000000000000000", 0.1 + 0.2, "0.30000000000000000"},
        PictureCase{u"", 1.5, "1.5"}, PictureCase{u"0.00", INFINITY, "INF"},
        PictureCase{u"0.00", NAN, "NAN"}));

TEST(FormatFloatText, FollowsTheRegionalSeparators) {
    const TFormatSettings fs = test::german_settings();
    EXPECT_EQ(u8(format_float(u"#,##0.00", 1234567.891, fs)), "1.234.567,89");
    EXPECT_EQ(u8(format_float(u"0.0E+00", 1500, fs)), "1,5E+03");
}

TEST(FormatFloatText, AnUnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(u8(format_float(u"0 'kt", 5, TFormatSettings{})), "5 kt");
}

} // namespace
} // namespace veltran
