#include "engine/sys_strings.h"

#include "engine/script_exception.h"

#include <algorithm>

namespace veltran {
namespace {

// The longest string a Variant holds; a longer SetLength fails at once rather
// than after building the text.
constexpr std::int64_t max_text_length = std::int64_t{1} << 28;

bool is_surrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Maps every BMP character through the facet; surrogates stay as they are,
// since the facet knows no case for characters beyond the BMP we could write
// back in one unit.
template <class Map> std::u16string map_units(std::u16string_view s, Map map) {
    std::u16string out(s);
    for (char16_t& c : out)
        if (!is_surrogate(c)) c = static_cast<char16_t>(map(static_cast<wchar_t>(c)));
    return out;
}

const std::ctype<wchar_t>& ctype_of(const std::locale& locale) {
    return std::use_facet<std::ctype<wchar_t>>(locale);
}

std::wstring wide_of(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

} // namespace

std::u16string_view copy_text(std::u16string_view s, std::int64_t from, std::int64_t count) {
    const auto size = static_cast<std::int64_t>(s.size());
    if (from < 1) from = 1;
    if (from > size || count <= 0) return {};
    count = std::min(count, size - from + 1);
    return s.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count));
}

std::int32_t pos_text(std::u16string_view needle, std::u16string_view haystack) {
    if (needle.empty()) return 0;
    const std::size_t at = haystack.find(needle);
    return at == std::u16string_view::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

std::u16string delete_text(std::u16string_view s, std::int64_t from, std::int64_t count) {
    const auto size = static_cast<std::int64_t>(s.size());
    std::u16string out(s);
    if (from < 1 || from > size || count <= 0) return out;
    count = std::min(count, size - from + 1);
    out.erase(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count));
    return out;
}

std::u16string insert_text(std::u16string_view piece, std::u16string_view s, std::int64_t at) {
    at = std::clamp<std::int64_t>(at, 1, static_cast<std::int64_t>(s.size()) + 1);
    std::u16string out;
    out.reserve(s.size() + piece.size());
    out.append(s.substr(0, static_cast<std::size_t>(at - 1)));
    out.append(piece);
    out.append(s.substr(static_cast<std::size_t>(at - 1)));
    return out;
}

std::u16string resize_text(std::u16string_view s, std::int64_t length) {
    if (length <= 0) return {};
    if (length > max_text_length) raise_out_of_memory();
    std::u16string out(s.substr(0, static_cast<std::size_t>(length)));
    out.resize(static_cast<std::size_t>(length), u' ');
    return out;
}

std::u16string upper_text(std::u16string_view s, const std::locale& locale) {
    const auto& ct = ctype_of(locale);
    return map_units(s, [&](wchar_t c) { return ct.toupper(c); });
}

std::u16string lower_text(std::u16string_view s, const std::locale& locale) {
    const auto& ct = ctype_of(locale);
    return map_units(s, [&](wchar_t c) { return ct.tolower(c); });
}

std::u16string name_case(std::u16string_view s, const std::locale& locale) {
    const auto& ct = ctype_of(locale);
    std::u16string out = lower_text(s, locale);
    for (std::size_t i = 0; i < out.size(); ++i)
        if ((i == 0 || out[i - 1] == u' ') && !is_surrogate(out[i]))
            out[i] = static_cast<char16_t>(ct.toupper(static_cast<wchar_t>(out[i])));
    return out;
}

int compare_text(std::u16string_view a, std::u16string_view b, const std::locale& locale) {
    const std::wstring x = wide_of(lower_text(a, locale));
    const std::wstring y = wide_of(lower_text(b, locale));
    return std::use_facet<std::collate<wchar_t>>(locale).compare(x.data(), x.data() + x.size(),
                                                                 y.data(), y.data() + y.size());
}

std::u16string_view trim_text(std::u16string_view s) {
    while (!s.empty() && s.front() <= u' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() <= u' ')
        s.remove_suffix(1);
    return s;
}

std::u16string chr_text(std::int64_t code) {
    if (code < 0 || code > 0x10FFFF) raise_range_error();
    if (code < 0x10000) return std::u16string(1, static_cast<char16_t>(code));
    const auto v = static_cast<std::uint32_t>(code - 0x10000);
    return {static_cast<char16_t>(0xD800 + (v >> 10)), static_cast<char16_t>(0xDC00 + (v & 0x3FF))};
}

std::int32_t ord_text(std::u16string_view s) {
    if (s.empty()) raise_range_error();
    const char16_t c = s[0];
    if (c >= 0xD800 && c <= 0xDBFF && s.size() > 1 && s[1] >= 0xDC00 && s[1] <= 0xDFFF)
        return 0x10000 + ((c - 0xD800) << 10) + (s[1] - 0xDC00);
    return c;
}

std::u16string_view extract_file_path(std::u16string_view file_name) {
    const std::size_t at = file_name.find_last_of(u"\\/:");
    return at == std::u16string_view::npos ? std::u16string_view() : file_name.substr(0, at + 1);
}

} // namespace veltran
