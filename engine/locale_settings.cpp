#include "engine/locale_settings.h"

#include <cstdint>
#include <ctime>
#include <sstream>
#include <stdexcept>
#include <string>

namespace veltran {
namespace {

TFormatSettings& current_settings() {
    static TFormatSettings settings;
    return settings;
}

std::u16string utf16_of(std::wstring_view text) {
    std::u16string out;
    for (wchar_t c : text) {
        const auto cp = static_cast<std::uint32_t>(c);
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

// The locale's text of one strftime conversion for 29/02/2024 13:05:07 (a
// Thursday), or for the given month or week day.
class TLocaleSample {
public:
    explicit TLocaleSample(const std::locale& locale) : locale_(locale) {}

    std::wstring text(const wchar_t* conversion, int month = 1, int week_day = 4, int hour = 13) {
        std::tm t{};
        t.tm_year = 124;
        t.tm_mon = month;
        t.tm_mday = 29;
        t.tm_wday = week_day;
        t.tm_hour = hour;
        t.tm_min = 5;
        t.tm_sec = 7;
        std::wostringstream out;
        out.imbue(locale_);
        const std::wstring_view format(conversion);
        std::use_facet<std::time_put<wchar_t>>(locale_).put(out, out, L' ', &t, format.data(),
                                                            format.data() + format.size());
        return out.str();
    }

private:
    const std::locale& locale_;
};

// A date picture from the locale's date of 29/02/2024: three numbers with
// one separator. False for anything else (names, eras), which keeps the default.
bool date_picture(std::wstring_view sample, std::u16string& picture, char16_t& separator) {
    std::u16string out;
    wchar_t sep = 0;
    int fields = 0;
    for (std::size_t i = 0; i < sample.size();) {
        if (sample[i] < L'0' || sample[i] > L'9') {
            if (sep && sample[i] != sep) return false;
            sep = sample[i++];
            out += u'/';
            continue;
        }
        std::size_t end = i;
        while (end < sample.size() && sample[end] >= L'0' && sample[end] <= L'9')
            ++end;
        const std::wstring_view number = sample.substr(i, end - i);
        if (number == L"29")
            out += u"dd";
        else if (number == L"02" || number == L"2")
            out += number.size() == 2 ? u"mm" : u"m";
        else if (number == L"2024" || number == L"24")
            out += u"yyyy";
        else
            return false;
        ++fields;
        i = end;
    }
    if (fields != 3 || !sep || sep >= 0x10000) return false;
    picture = out;
    separator = static_cast<char16_t>(sep);
    return true;
}

} // namespace

TFormatSettings format_settings_of(const std::locale& locale) {
    TFormatSettings fs;
    const auto& numbers = std::use_facet<std::numpunct<wchar_t>>(locale);
    fs.decimal_separator = utf16_of(std::wstring(1, numbers.decimal_point()))[0];
    fs.thousand_separator = utf16_of(std::wstring(1, numbers.thousands_sep()))[0];
    TLocaleSample sample(locale);
    date_picture(sample.text(L"%x"), fs.short_date_format, fs.date_separator);
    const std::wstring time = sample.text(L"%X");
    const std::size_t colon = time.find_first_not_of(L"0123456789");
    if (colon != std::wstring::npos && time[colon] < 0x10000)
        fs.time_separator = static_cast<char16_t>(time[colon]);
    if (time.find(L"13") == std::wstring::npos) {
        fs.short_time_format = u"h:nn AMPM";
        fs.long_time_format = u"h:nn:ss AMPM";
    }
    for (int m = 0; m < 12; ++m) {
        fs.short_month_names[static_cast<std::size_t>(m)] = utf16_of(sample.text(L"%b", m));
        fs.long_month_names[static_cast<std::size_t>(m)] = utf16_of(sample.text(L"%B", m));
    }
    for (int d = 0; d < 7; ++d) {
        fs.short_day_names[static_cast<std::size_t>(d)] = utf16_of(sample.text(L"%a", 1, d));
        fs.long_day_names[static_cast<std::size_t>(d)] = utf16_of(sample.text(L"%A", 1, d));
    }
    if (const std::wstring am = sample.text(L"%p", 1, 4, 1); !am.empty())
        fs.time_am_string = utf16_of(am);
    if (const std::wstring pm = sample.text(L"%p"); !pm.empty()) fs.time_pm_string = utf16_of(pm);
    fs.text_locale = locale;
    return fs;
}

std::locale TFormatSettings::default_text_locale() {
    try {
        return std::locale("C.UTF-8");
    } catch (const std::runtime_error&) {
        return std::locale::classic(); // a system without it: ASCII case mapping
    }
}

const TFormatSettings& format_settings() {
    return current_settings();
}

void set_format_settings(TFormatSettings settings) {
    current_settings() = std::move(settings);
}

} // namespace veltran
