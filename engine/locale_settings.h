#pragma once
// The regional settings the library's number, date and text functions follow
// (FloatToStr, StrToFloat, Format, FormatFloat, FormatDateTime, DateToStr,
// StrToDate, Uppercase, CompareText, ...). The engine has no desktop to ask:
// the application fills them (the window programs from the user's locale, by
// Qt or by format_settings_of) and everything else, the companion and the
// tests, keeps the fixed default:
//   decimal '.', thousands ',', dates "dd/mm/yyyy" with '/', times
//   "hh:nn:ss" with ':', English day and month names, currency "$1.00" and
//   "-$1.00", case mapping and collation of the "C.UTF-8" locale (Unicode
//   simple case mapping, code-point order).
// The implicit Variant conversions (a string holding a number, a date shown as
// text) do not follow these settings; they keep the engine's fixed format.

#include <array>
#include <locale>
#include <string>

namespace veltran {

struct TFormatSettings {
    char16_t decimal_separator = u'.';
    char16_t thousand_separator = u',';
    char16_t date_separator = u'/';
    char16_t time_separator = u':';
    // Pictures in FormatDateTime's notation; '/' and ':' in them stand for
    // the two separators above.
    std::u16string short_date_format = u"dd/mm/yyyy";
    std::u16string long_date_format = u"dddd, d mmmm yyyy";
    std::u16string short_time_format = u"hh:nn";
    std::u16string long_time_format = u"hh:nn:ss";
    std::u16string time_am_string = u"AM";
    std::u16string time_pm_string = u"PM";
    // January first; Sunday first.
    std::array<std::u16string, 12> short_month_names{u"Jan", u"Feb", u"Mar", u"Apr",
                                                     u"May", u"Jun", u"Jul", u"Aug",
                                                     u"Sep", u"Oct", u"Nov", u"Dec"};
    std::array<std::u16string, 12> long_month_names{
        u"January", u"February", u"March",     u"April",   u"May",      u"June",
        u"July",    u"August",   u"September", u"October", u"November", u"December"};
    std::array<std::u16string, 7> short_day_names{u"Sun", u"Mon", u"Tue", u"Wed",
                                                  u"Thu", u"Fri", u"Sat"};
    std::array<std::u16string, 7> long_day_names{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                 u"Thursday", u"Friday", u"Saturday"};
    std::u16string currency_string = u"$";
    // Where the currency string goes: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    int currency_format = 0;
    // Negative amounts, the sixteen layouts of 0 "($1)", 1 "-$1", ... 15 "(1 $)".
    int neg_curr_format = 1;
    int currency_decimals = 2;
    // A two-digit year in date text lies within this many years before the
    // current year or fewer than 100 minus it after; 0 takes the current century.
    int two_digit_year_century_window = 50;
    // Case mapping (Uppercase, Lowercase, NameCase) and collation (CompareText).
    std::locale text_locale = default_text_locale();

    static std::locale default_text_locale();
};

// The settings a C++ locale gives (the user's is std::locale("")): its
// decimal and thousands separators, the order and separator of its dates,
// its day and month names, its AM and PM strings, whether it shows hours up
// to 23, and its case mapping and collation. Currency keeps the default.
TFormatSettings format_settings_of(const std::locale& locale);

// The settings the library uses; the fixed default until the application
// replaces them. Not thread-safe: set them before scripts run.
const TFormatSettings& format_settings();
void set_format_settings(TFormatSettings settings);

} // namespace veltran
