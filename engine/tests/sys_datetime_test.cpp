#include "engine/sys_datetime.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltran {
namespace {

using test::error_of;
using test::u8;

TEST(Calendar, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(is_leap_year(2024));
    EXPECT_FALSE(is_leap_year(2023));
    EXPECT_FALSE(is_leap_year(1900));
    EXPECT_TRUE(is_leap_year(2000));
    EXPECT_EQ(days_in_month(2024, 2), 29);
    EXPECT_EQ(days_in_month(2023, 2), 28);
    EXPECT_EQ(days_in_month(2023, 1), 31);
    EXPECT_EQ(days_in_month(2023, 4), 30);
    EXPECT_EQ(days_in_month(2023, 12), 31);
    EXPECT_EQ(error_of([] { days_in_month(2023, 13); }), "ERangeError: Range check error");
    EXPECT_EQ(error_of([] { days_in_month(2023, 0); }), "ERangeError: Range check error");
}

struct DateCase {
    int year, month, day;
    double number;
};

class EncodeDate : public testing::TestWithParam<DateCase> {};

TEST_P(EncodeDate, RoundTripsThroughTheDateNumber) {
    const DateCase& c = GetParam();
    EXPECT_EQ(encode_date(c.year, c.month, c.day), c.number);
    const TDateParts d = decode_date(c.number);
    EXPECT_EQ(d.year, c.year);
    EXPECT_EQ(d.month, c.month);
    EXPECT_EQ(d.day, c.day);
}

INSTANTIATE_TEST_SUITE_P(Dates, EncodeDate,
                         testing::Values(DateCase{1899, 12, 30, 0}, DateCase{1899, 12, 29, -1},
                                         DateCase{1900, 1, 1, 2}, DateCase{2000, 1, 1, 36526},
                                         DateCase{2024, 2, 29, 45351}, DateCase{1, 1, 1, -693593},
                                         DateCase{9999, 12, 31, 2958465}));

TEST(Calendar, InvalidDatesAndTimesRaiseTheConversionError) {
    const char* date_error = "EConvertError: Invalid argument to date encode";
    EXPECT_EQ(error_of([] { encode_date(2023, 2, 29); }), date_error);
    EXPECT_EQ(error_of([] { encode_date(2023, 13, 1); }), date_error);
    EXPECT_EQ(error_of([] { encode_date(2023, 4, 31); }), date_error);
    EXPECT_EQ(error_of([] { encode_date(0, 1, 1); }), date_error);
    EXPECT_EQ(error_of([] { encode_date(10000, 1, 1); }), date_error);
    EXPECT_EQ(error_of([] { encode_date(2023, 1, 0); }), date_error);
    const char* time_error = "EConvertError: Invalid argument to time encode";
    EXPECT_EQ(error_of([] { encode_time(24, 0, 0, 0); }), time_error);
    EXPECT_EQ(error_of([] { encode_time(0, 60, 0, 0); }), time_error);
    EXPECT_EQ(error_of([] { encode_time(0, 0, 60, 0); }), time_error);
    EXPECT_EQ(error_of([] { encode_time(0, 0, 0, 1000); }), time_error);
    EXPECT_EQ(error_of([] { encode_time(-1, 0, 0, 0); }), time_error);
}

TEST(Calendar, TimesAreFractionsOfADayRoundedToTheMillisecond) {
    EXPECT_EQ(encode_time(12, 0, 0, 0), 0.5);
    EXPECT_EQ(encode_time(6, 0, 0, 0), 0.25);
    const TTimeParts t = decode_time(encode_date(2024, 2, 29) + encode_time(13, 5, 7, 9));
    EXPECT_EQ(t.hour, 13);
    EXPECT_EQ(t.minute, 5);
    EXPECT_EQ(t.second, 7);
    EXPECT_EQ(t.msec, 9);
    // 23:59:59.9996 rounds into the next day.
    const double almost_midnight = 45351 + 86399999.6 / 86400000.0;
    EXPECT_EQ(decode_date(almost_midnight).day, 1);
    EXPECT_EQ(decode_time(almost_midnight).hour, 0);
    // Before 1899 the fraction still counts from midnight: -1.25 is 29/12/1899 06:00.
    EXPECT_EQ(decode_date(-1.25).day, 29);
    EXPECT_EQ(decode_time(-1.25).hour, 6);
    EXPECT_EQ(combine_date_time(-1, 0.25), -1.25);
    EXPECT_EQ(combine_date_time(2, 0.25), 2.25);
}

TEST(Calendar, NumbersOutsideTheValidDatesRaiseTheRangeError) {
    for (double bad : {-693594.0, 2958466.0, 1e300, double(NAN), double(INFINITY)})
        EXPECT_EQ(error_of([bad] { decode_date(bad); }), "ERangeError: Range check error") << bad;
}

TEST(Calendar, DayOfWeekCountsFromSunday) {
    EXPECT_EQ(day_of_week(0), 7);                        // Saturday 30/12/1899
    EXPECT_EQ(day_of_week(encode_date(2024, 2, 25)), 1); // Sunday
    EXPECT_EQ(day_of_week(encode_date(2024, 2, 29)), 5); // Thursday
    EXPECT_EQ(day_of_week(-1.5), 6);                     // Friday 29/12/1899 noon
    EXPECT_EQ(day_of_week(encode_date(1, 1, 1)), 2);     // Monday
}

TEST(Calendar, TwoDigitYearsLieInTheWindowAroundTheCurrentYear) {
    EXPECT_EQ(expand_two_digit_year(3, 2025, 50), 2003);
    EXPECT_EQ(expand_two_digit_year(74, 2025, 50), 2074);
    EXPECT_EQ(expand_two_digit_year(75, 2025, 50), 1975);
    EXPECT_EQ(expand_two_digit_year(99, 2025, 50), 1999);
    EXPECT_EQ(expand_two_digit_year(99, 2025, 0), 2099); // no window: the current century
}

TEST(Calendar, TheClockGivesTheLocalDateAndTime) {
    const double before = current_date_time();
    const double today = current_date();
    const double time = current_time();
    const double after = current_date_time();
    EXPECT_LE(before, after);
    EXPECT_EQ(today, std::floor(today));
    EXPECT_GE(today, std::floor(before));
    EXPECT_LE(today, std::floor(after));
    EXPECT_GE(time, 0);
    EXPECT_LT(time, 1);
    EXPECT_EQ(decode_date(today).year, current_year());
}

struct ParseCase {
    const char16_t* text;
    bool valid;
    double value;
};

class StrToDate : public testing::TestWithParam<ParseCase> {};

TEST_P(StrToDate, ReadsDayMonthYearInTheShortDateOrder) {
    double value = 0;
    EXPECT_EQ(try_str_to_date(GetParam().text, TFormatSettings{}, value), GetParam().valid);
    if (GetParam().valid) {
        EXPECT_EQ(value, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToDate,
    testing::Values(ParseCase{u"29/02/2024", true, 45351}, ParseCase{u"1/2/2003", true, 37653},
                    ParseCase{u" 29 / 2 / 2024 ", true, 45351},
                    ParseCase{u"29/02/2024/", true, 45351}, ParseCase{u"29/02/2023", false, 0},
                    ParseCase{u"2024/02/29", false, 0}, ParseCase{u"29-02-2024", false, 0},
                    ParseCase{u"", false, 0}, ParseCase{u"abc", false, 0},
                    ParseCase{u"29/02/2024 x", false, 0}, ParseCase{u"1/1/1234567890", false, 0}));

TEST(DateText, TheOrderOfTheShortDateFormatDecides) {
    TFormatSettings us;
    us.short_date_format = u"m/d/yyyy";
    TFormatSettings iso;
    iso.short_date_format = u"yyyy-mm-dd";
    iso.date_separator = u'-';
    EXPECT_EQ(str_to_date(u"2/29/2024", us), 45351);
    EXPECT_EQ(str_to_date(u"2024-02-29", iso), 45351);
    EXPECT_EQ(str_to_date(u"29.02.2024", test::german_settings()), 45351);
    // Without a year, the current year.
    EXPECT_EQ(decode_date(str_to_date(u"1/3", us)).year, current_year());
    EXPECT_EQ(decode_date(str_to_date(u"1/3", us)).month, 1);
    EXPECT_EQ(decode_date(str_to_date(u"1/3", TFormatSettings{})).month, 3);
}

TEST(DateText, TimesReadHoursMinutesSecondsAndAFraction) {
    const TFormatSettings fs;
    struct Case {
        const char16_t* text;
        bool valid;
        int h, m, s, ms;
    } cases[] = {
        {u"13:05:07", true, 13, 5, 7, 0},
        {u"13:05", true, 13, 5, 0, 0},
        {u"7", true, 7, 0, 0, 0},
        {u"13:05:07.5", true, 13, 5, 7, 500},
        {u"13:05:07.009", true, 13, 5, 7, 9},
        {u"1:05 PM", true, 13, 5, 0, 0},
        {u"12:00 am", true, 0, 0, 0, 0},
        {u"12:30 PM", true, 12, 30, 0, 0},
        {u"PM 1:05", true, 13, 5, 0, 0},
        {u"13:05 PM", false, 0, 0, 0, 0},
        {u"0:05 AM", false, 0, 0, 0, 0},
        {u"24:00", false, 0, 0, 0, 0},
        {u"12:60", false, 0, 0, 0, 0},
        {u"12:", false, 0, 0, 0, 0},
        {u"1:2:3.1234", false, 0, 0, 0, 0},
        {u"noon", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(try_str_to_time(c.text, fs, value), c.valid) << u8(c.text);
        if (c.valid) {
            EXPECT_EQ(value, encode_time(c.h, c.m, c.s, c.ms)) << u8(c.text);
        }
    }
}

TEST(DateText, DateAndTimeTogetherOrEitherAlone) {
    const TFormatSettings fs;
    EXPECT_EQ(str_to_date_time(u"29/02/2024 12:00", fs), 45351.5);
    EXPECT_EQ(str_to_date_time(u"29/02/2024", fs), 45351);
    EXPECT_EQ(str_to_date_time(u"06:00", fs), 0.25);
    EXPECT_EQ(str_to_date_time(u"29/12/1899 06:00", fs), -1.25);
    EXPECT_EQ(error_of([&] { str_to_date_time(u"29/02/2024 25:00", fs); }),
              "EConvertError: '29/02/2024 25:00' is not a valid date and time");
    EXPECT_EQ(error_of([&] { str_to_date(u"31/04/2024", fs); }),
              "EConvertError: '31/04/2024' is not a valid date");
    EXPECT_EQ(error_of([&] { str_to_time(u"x", fs); }), "EConvertError: 'x' is not a valid time");
}

} // namespace
} // namespace veltran
