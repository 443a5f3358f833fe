#include "engine/token_value.h"

#include "engine/codepage.h"
#include "engine/number_text.h"

namespace veltran {

Variant ansi_text_value(std::string_view ansi) {
    std::u16string wide;
    wide.reserve(ansi.size());
    for (char c : ansi)
        wide += cp1252_to_utf16(static_cast<unsigned char>(c));
    return Variant(std::u16string_view(wide));
}

Variant token_value(std::string_view token) {
    if (token.empty()) return Variant::null();
    if (token.front() == '\'')
        return ansi_text_value(token.size() < 2 ? std::string_view()
                                                : token.substr(1, token.size() - 2));
    std::int64_t i;
    if (parse_integer_text(token, i)) {
        const auto bits = static_cast<std::uint64_t>(i);
        const auto upper = static_cast<std::int32_t>(bits >> 32);
        if (upper < 0) return Variant(static_cast<std::int32_t>(bits & 0xFFFFFFFFu));
        if (upper == 0 && (bits & 0xFFFFFFFFu) < 0x80000000u)
            return Variant(static_cast<std::int32_t>(i));
        return Variant(i);
    }
    double d;
    if (parse_float_text(token, d)) return Variant(d);
    return Variant::null();
}

} // namespace veltran
