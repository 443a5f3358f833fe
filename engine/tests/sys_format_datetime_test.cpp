#include "engine/sys_datetime.h"
#include "engine/sys_format_datetime.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

using test::error_of;
using test::u8;

// Thursday 29 February 2024, 13:05:07.009.
const double leap_day = 45351 + (((13 * 60 + 5) * 60 + 7) * 1000 + 9) / 86400000.0;

struct PictureCase {
    const char16_t* picture;
    double value;
    const char* expected;
};

class FormatDateTime : public testing::TestWithParam<PictureCase> {};

TEST_P(FormatDateTime, WritesTheFieldsOfThePicture) {
    EXPECT_EQ(u8(format_date_time(GetParam().picture, GetParam().value, TFormatSettings{})),
              GetParam().expected)
        << u8(GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FormatDateTime,
    testing::Values(PictureCase{u"dd/mm/yyyy hh:nn:ss.zzz", leap_day, "29/02/2024 13:05:07.009"},
                    PictureCase{u"d/m/yy h:n:s z", 45331 + 3723004 / 86400000.0, "9/2/24 1:2:3 4"},
                    PictureCase{u"ddd dddd mmm mmmm", leap_day, "Thu Thursday Feb February"},
                    PictureCase{u"aaa aaaa", leap_day, "Thu Thursday"},
                    PictureCase{u"ddddd", leap_day, "29/02/2024"},
                    PictureCase{u"dddddd", leap_day, "Thursday, 29 February 2024"},
                    PictureCase{u"c", leap_day, "29/02/2024 13:05:07"},
                    PictureCase{u"c", 45351, "29/02/2024"},
                    PictureCase{u"", leap_day, "29/02/2024 13:05:07"},
                    PictureCase{u"t|tt", leap_day, "13:05|13:05:07"},
                    PictureCase{u"hh:mm", leap_day, "13:05"}, // m after h is the minute
                    PictureCase{u"h mm", leap_day, "13 05"},
                    PictureCase{u"mm/dd hh", leap_day, "02/29 13"},
                    PictureCase{u"hh:nn am/pm", leap_day, "01:05 pm"},
                    PictureCase{u"h AM/PM", 0.25, "6 AM"}, PictureCase{u"h a/p", 0.5, "12 p"},
                    PictureCase{u"h A/P", 0, "12 A"}, PictureCase{u"hh ampm", 0.75, "06 PM"},
                    PictureCase{u"\"Day\" d 'of' m", leap_day, "Day 29 of 2"},
                    PictureCase{u"yyyy-mm-dd\"T\"hh:nn:ss", leap_day, "2024-02-29T13:05:07"},
                    PictureCase{u"y yyy", leap_day, "24 2024"}, PictureCase{u"x#", leap_day, "x#"},
                    PictureCase{u"dd/mm/yyyy", -1.25, "29/12/1899"},
                    PictureCase{u"dd/mm/yyyy", -693593, "01/01/0001"},
                    PictureCase{u"\"literal only\"", 1e300, "literal only"}));

TEST(FormatDateTimeText, FollowsTheRegionalNamesAndSeparators) {
    TFormatSettings fs = test::german_settings();
    fs.time_separator = u'.';
    const double friday_in_march = 45366; // 15/03/2024
    EXPECT_EQ(u8(format_date_time(u"dddd, d. mmmm yyyy", friday_in_march, fs)),
              "Freitag, 15. M\u00e4rz 2024");
    EXPECT_EQ(u8(date_to_str(friday_in_march, fs)), "15.03.2024");
    EXPECT_EQ(u8(format_date_time(u"hh:nn", 0.5, fs)), "12.00");
}

TEST(FormatDateTimeText, DateAndTimeTexts) {
    const TFormatSettings fs;
    EXPECT_EQ(u8(date_to_str(leap_day, fs)), "29/02/2024");
    EXPECT_EQ(u8(time_to_str(leap_day, fs)), "13:05:07");
    EXPECT_EQ(u8(date_time_to_str(leap_day, fs)), "29/02/2024 13:05:07");
    EXPECT_EQ(u8(date_time_to_str(45351, fs)), "29/02/2024");
    EXPECT_EQ(u8(date_time_to_str(45351 + 1 / 86400000.0, fs)), "29/02/2024 00:00:00");
    // What DateToStr writes, StrToDate reads back.
    EXPECT_EQ(str_to_date(date_to_str(leap_day, fs), fs), 45351);
    EXPECT_EQ(str_to_date_time(date_time_to_str(45351.75, fs), fs), 45351.75);
}

TEST(FormatDateTimeText, AFormatThatNamesItselfDoesNotLoop) {
    TFormatSettings fs;
    fs.short_date_format = u"ddddd|c";
    EXPECT_LT(date_to_str(45351, fs).size(), 16u);
}

TEST(FormatDateTimeText, ADateOutsideTheValidRangeRaisesTheRangeError) {
    EXPECT_EQ(error_of([] { format_date_time(u"dd", 1e10, TFormatSettings{}); }),
              "ERangeError: Range check error");
}

} // namespace
} // namespace veltran
