#pragma once
// Helpers shared by the built-in library's tests.

#include "engine/codepage.h"
#include "engine/locale_settings.h"
#include "engine/script_exception.h"

#include <functional>
#include <string>
#include <string_view>

namespace veltran::test {

inline std::string u8(std::u16string_view text) {
    return utf16_to_utf8(text);
}

inline std::u16string u16(std::string_view utf8) {
    return utf8_to_utf16(utf8);
}

// "Class: message" of the error a call raises, or "" when it raises none.
inline std::string error_of(const std::function<void()>& call) {
    try {
        call();
    } catch (const TfsException& e) {
        return e.class_name() + ": " + e.message();
    }
    return "";
}

// A locale unlike the default in every setting the library reads.
inline TFormatSettings german_settings() {
    TFormatSettings fs;
    fs.decimal_separator = u',';
    fs.thousand_separator = u'.';
    fs.date_separator = u'.';
    fs.short_date_format = u"dd/mm/yyyy";
    fs.long_date_format = u"dddd, d. mmmm yyyy";
    fs.long_month_names[2] = u"M\u00e4rz";
    fs.long_day_names[5] = u"Freitag";
    fs.currency_string = u"\u20ac";
    fs.currency_format = 3;
    fs.neg_curr_format = 8;
    return fs;
}

} // namespace veltran::test
