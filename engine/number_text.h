#pragma once
// Numbers and dates as the engine writes and reads them in text. The format
// is fixed rather than taken from the desktop's regional settings, so that a
// project behaves the same on every machine: '.' is the decimal separator,
// dates read dd/mm/yyyy and times hh:nn:ss.

#include <cstdint>
#include <string>
#include <string_view>

namespace veltran {

// General float format with up to `precision` significant digits (15 for
// doubles, 7 for singles): "3.5", "0.0001", "1E-5", "1E20"; "NAN", "INF" and
// "-INF" for the special values.
std::string float_to_text(double value, int precision = 15);

// Integer text after trimming blanks: an optional sign, then decimal digits
// or '$' and hexadecimal digits. False when malformed or out of 64-bit range.
bool parse_integer_text(std::string_view text, std::int64_t& value);

// Float text after trimming blanks: an optional sign, digits with an optional
// '.' fraction (at least one digit in all) and an optional exponent.
bool parse_float_text(std::string_view text, double& value);

// A date-time number (days since 30/12/1899, the fraction being the time of
// day) as "dd/mm/yyyy", followed by " hh:nn:ss" unless the time is midnight.
std::string date_time_to_text(double date_time);

struct TDateParts {
    int year, month, day;
};

// The date-time number of a calendar date, and the calendar date of a day
// number (days since 30/12/1899); proleptic Gregorian, no validation.
double date_of(int year, int month, int day);
TDateParts civil_from_days(std::int64_t days);

} // namespace veltran
