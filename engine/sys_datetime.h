#pragma once
// The library's calendar: date-time numbers (days since 30/12/1899, the
// fraction being the time of day), their parts, the clock, and reading date
// and time texts in the regional format. Valid dates run from 01/01/0001 to
// 31/12/9999 in the proleptic Gregorian calendar.

#include "engine/locale_settings.h"
#include "engine/number_text.h"

#include <string>
#include <string_view>

namespace veltran {

struct TTimeParts {
    int hour, minute, second, msec;
};

bool is_leap_year(int year);
// Days of the month; a month outside 1..12 raises the range error.
int days_in_month(int year, int month);

// The date-time number of a date or the day fraction of a time; false for a
// date or time that does not exist.
bool try_encode_date(int year, int month, int day, double& date);
bool try_encode_time(int hour, int minute, int second, int msec, double& time);
// The same, raising "Invalid argument to date encode" / "... time encode".
double encode_date(int year, int month, int day);
double encode_time(int hour, int minute, int second, int msec);

// The parts of a date-time number, rounded to the millisecond; a number
// outside the valid dates raises the range error.
TDateParts decode_date(double date_time);
TTimeParts decode_time(double date_time);
// 1 for Sunday to 7 for Saturday.
int day_of_week(double date_time);
// A date and a time of day as one number (a time of a day before 1899 counts
// backwards from it, as the number's fraction does).
double combine_date_time(double date, double time);

// The local clock.
double current_date();      // today at midnight
double current_time();      // the time of day
double current_date_time(); // both
int current_year();

// A two-digit year placed in the century the settings' window gives, seen
// from `this_year`.
int expand_two_digit_year(int year, int this_year, int window);

// Date text in the order of the short date format (day, month and year with
// the date separator; the year may be left out for the current one), time
// text as hours:minutes[:seconds[.milliseconds]] with an optional AM/PM, and
// both separated by blanks. StrTo... raise "'x' is not a valid date", "... time",
// "... date and time".
bool try_str_to_date(std::u16string_view text, const TFormatSettings& fs, double& date);
bool try_str_to_time(std::u16string_view text, const TFormatSettings& fs, double& time);
bool try_str_to_date_time(std::u16string_view text, const TFormatSettings& fs, double& value);
double str_to_date(std::u16string_view text, const TFormatSettings& fs);
double str_to_time(std::u16string_view text, const TFormatSettings& fs);
double str_to_date_time(std::u16string_view text, const TFormatSettings& fs);

} // namespace veltran
