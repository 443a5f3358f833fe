#include "engine/codepage.h"

#include <array>
#include <cstdint>

namespace veltran {
namespace {

// Unicode code points of bytes 0x80..0x9F; the rest of 1252 equals Latin-1.
constexpr std::array<char16_t, 32> high_controls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t code_point_of(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return high_controls[byte - 0x80];
    return byte;
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char byte_of(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < high_controls.size(); ++i)
        if (high_controls[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 if malformed.
std::size_t decode_one(std::string_view s, std::size_t i, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t len;
    char32_t min;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        len = 2, min = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        len = 3, min = 0x800, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        len = 4, min = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

constexpr char32_t replacement_character = 0xFFFD;

bool is_high_surrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool is_low_surrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

char16_t cp1252_to_utf16(unsigned char byte) {
    return static_cast<char16_t>(code_point_of(byte));
}

std::u16string utf8_to_utf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp;
        const std::size_t len = decode_one(utf8, i, cp);
        if (len == 0) {
            out += static_cast<char16_t>(replacement_character);
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t u = utf16[i];
        if (is_high_surrogate(u) && i + 1 < utf16.size() && is_low_surrogate(utf16[i + 1])) {
            u = 0x10000 + ((u - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (is_high_surrogate(u) || is_low_surrogate(u)) {
            u = replacement_character;
        }
        append_utf8(out, u);
    }
    return out;
}

std::string cp1252_to_utf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        append_utf8(out, code_point_of(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8_to_cp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp;
        const std::size_t len = decode_one(utf8, i, cp);
        out += len ? byte_of(cp) : '?';
        i += len ? len : 1;
    }
    return out;
}

char cp1252_from_code_point(char32_t cp) {
    return byte_of(cp);
}

bool is_valid_utf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const std::size_t len = decode_one(bytes, i, cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

} // namespace veltran
