#include "engine/sys_convert.h"

#include "engine/codepage.h"
#include "engine/number_text.h"
#include "engine/script_exception.h"
#include "engine/text.h"
#include "engine/wide_text.h"

#include <algorithm>
#include <charconv>

namespace veltran {
namespace {

bool is_short_hex(std::string_view text) {
    text = trim_view(text);
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    return text.size() >= 2 && text.size() <= 9 && text[0] == '$';
}

// The number reader takes a text beyond the doubles, such as "1e400", for 0.
// A zero read from a text with a significant digit is either that or an
// underflow ("1e-400", rightly 0); the magnitude of the first significant
// digit tells them apart.
bool beyond_doubles(std::string_view text) {
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return false; // a true zero
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    long long magnitude =
        static_cast<long long>(point) - static_cast<long long>(first) - (first < point ? 1 : 0);
    if (e != std::string_view::npos) {
        long long exponent = 0;
        std::string_view digits = text.substr(e + 1);
        const bool negative = !digits.empty() && digits[0] == '-';
        if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
        for (char c : digits)
            exponent = std::min(exponent * 10 + (c - '0'), 100000LL);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude > 0;
}

} // namespace

void raise_convert_error(std::string message) {
    throw TfsException("EConvertError", std::move(message));
}

std::string quoted(std::u16string_view text) {
    const std::string inner = utf16_to_utf8(text);
    std::string out;
    out.reserve(inner.size() + 2);
    out.append(1, '\'').append(inner).append(1, '\'');
    return out;
}

Variant int_to_str(std::int64_t value) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return Variant::from_utf8(std::string_view(buf, static_cast<std::size_t>(end - buf)));
}

bool try_str_to_int64(std::u16string_view text, std::int64_t& value) {
    std::string ascii;
    return ascii_of(text, ascii) && parse_integer_text(ascii, value);
}

bool try_str_to_int(std::u16string_view text, std::int32_t& value) {
    std::string ascii;
    std::int64_t wide;
    if (!ascii_of(text, ascii) || !parse_integer_text(ascii, wide)) return false;
    if (wide > INT32_MAX && wide <= UINT32_MAX && is_short_hex(ascii))
        wide = static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
    if (wide < INT32_MIN || wide > INT32_MAX) return false;
    value = static_cast<std::int32_t>(wide);
    return true;
}

std::int32_t str_to_int(std::u16string_view text) {
    std::int32_t value;
    if (!try_str_to_int(text, value))
        raise_convert_error(quoted(text) + " is not a valid integer value");
    return value;
}

std::int64_t str_to_int64(std::u16string_view text) {
    std::int64_t value;
    if (!try_str_to_int64(text, value))
        raise_convert_error(quoted(text) + " is not a valid integer value");
    return value;
}

bool try_str_to_float(std::u16string_view text, const TFormatSettings& fs, double& value) {
    std::string ascii;
    if (!ascii_of(text, ascii)) return false;
    if (fs.decimal_separator != u'.') {
        // The number reader knows only '.': the settings' separator stands in
        // for it, and a '.' of the text is no separator at all.
        if (ascii.find('.') != std::string::npos || fs.decimal_separator >= 0x80) return false;
        const std::size_t at = ascii.find(static_cast<char>(fs.decimal_separator));
        if (at != std::string::npos) ascii[at] = '.';
    }
    return parse_float_text(trim(ascii), value) && !(value == 0 && beyond_doubles(trim(ascii)));
}

double str_to_float(std::u16string_view text, const TFormatSettings& fs) {
    double value;
    if (!try_str_to_float(text, fs, value))
        raise_convert_error(quoted(text) + " is not a valid floating point value");
    return value;
}

std::u16string_view bool_to_str(bool value) {
    return value ? u"-1" : u"0";
}

Variant var_to_str(const Variant& value) {
    if (value.is_null()) return Variant(std::u16string_view());
    return value.to_ustring();
}

} // namespace veltran
