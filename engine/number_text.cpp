#include "engine/number_text.h"

#include "engine/text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace veltran {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

int hex_digit(char c) {
    if (is_digit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::string float_to_text(double value, int precision) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*G", precision, value);
    // %G writes "1E+20" and "1E-05"; the engine's form is "1E20" and "1E-5".
    std::string text = buf;
    const std::size_t e = text.find('E');
    if (e == std::string::npos) return text;
    std::string mantissa = text.substr(0, e);
    const bool negative = text[e + 1] == '-';
    std::size_t digits = e + 2;
    while (digits + 1 < text.size() && text[digits] == '0')
        ++digits;
    return mantissa + "E" + (negative ? "-" : "") + text.substr(digits);
}

bool parse_integer_text(std::string_view text, std::int64_t& value) {
    text = trim_view(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    if (!text.empty() && text[0] == '$') {
        text.remove_prefix(1);
        if (text.empty() || text.size() > 16) return false;
        for (char c : text) {
            const int d = hex_digit(c);
            if (d < 0) return false;
            magnitude = magnitude << 4 | static_cast<unsigned>(d);
        }
        // Sixteen hex digits are a bit pattern, as in Pascal's $FFFFFFFFFFFFFFFF = -1.
        value = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
        return true;
    }
    if (text.empty()) return false;
    for (char c : text) {
        if (!is_digit(c)) return false;
        const unsigned d = static_cast<unsigned>(c - '0');
        if (magnitude > (UINT64_C(9223372036854775808) - d) / 10) return false;
        magnitude = magnitude * 10 + d;
    }
    if (!negative && magnitude > INT64_MAX) return false;
    value = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
    return true;
}

// The power of ten of the first significant digit of a well-formed number
// (digits, '.', exponent); whether it is too large or too small for a double
// when the conversion reports a value out of range.
bool overflows(std::string_view number) {
    long order = 0;
    bool seen_point = false, significant = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            seen_point = true;
        } else if (!significant && number[i] == '0') {
            if (seen_point) --order;
        } else if (!significant) {
            significant = true;
            if (seen_point) --order;
        } else if (!seen_point) {
            ++order;
        }
    }
    const std::string_view exponent = i < number.size() ? number.substr(i + 1) : "0";
    long e = 0;
    std::from_chars(exponent.data() + (exponent.starts_with('+') ? 1 : 0),
                    exponent.data() + exponent.size(), e);
    return order + e > 0;
}

bool parse_float_text(std::string_view text, double& value) {
    text = trim_view(text);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t number_start = i;
    std::size_t digits = 0;
    while (i < text.size() && is_digit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        const std::size_t exponent_start = i;
        while (i < text.size() && is_digit(text[i]))
            ++i;
        if (i == exponent_start) return false;
    }
    if (i != text.size()) return false;
    // from_chars takes no '+' and no leading '.'; hand it a canonical copy.
    std::string canonical;
    if (text[0] == '-') canonical += '-';
    if (text[number_start] == '.') canonical += '0';
    canonical.append(text.substr(number_start));
    double parsed = 0;
    const auto [end, ec] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), parsed);
    if (end != canonical.data() + canonical.size()) return false;
    // Out of range leaves the result unset: too large is an error, too small
    // is zero.
    if (ec == std::errc::result_out_of_range) {
        if (overflows(text.substr(number_start))) return false;
        parsed = text[0] == '-' ? -0.0 : 0.0;
    }
    value = parsed;
    return true;
}

std::string date_time_to_text(double date_time) {
    if (!std::isfinite(date_time) || std::abs(date_time) > 3e6) return float_to_text(date_time);
    const double whole = std::trunc(date_time);
    std::int64_t ms = std::llround(std::abs(date_time - whole) * 86400000.0);
    std::int64_t days = static_cast<std::int64_t>(whole);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += date_time < 0 ? -1 : 1;
    }
    const TDateParts d = civil_from_days(days);
    char buf[48];
    int n = std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day, d.month, d.year);
    if (ms != 0) {
        const std::int64_t seconds = ms / 1000;
        std::snprintf(buf + n, sizeof buf - static_cast<std::size_t>(n), " %02d:%02d:%02d",
                      static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                      static_cast<int>(seconds % 60));
    }
    return buf;
}

TDateParts civil_from_days(std::int64_t days) {
    // Howard Hinnant's algorithm, shifted to the 1899 epoch.
    const std::int64_t z = days - 25569 + 719468; // 25569: days from 30/12/1899 to 1/1/1970
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    TDateParts d;
    d.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    d.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    d.year = static_cast<int>(yoe + era * 400 + (d.month <= 2 ? 1 : 0));
    return d;
}

double date_of(int year, int month, int day) {
    // Days from civil (Howard Hinnant's algorithm), shifted to the 1899 epoch.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<double>(std::int64_t{era} * 146097 + doe - 719468 + 25569);
}

} // namespace veltran
