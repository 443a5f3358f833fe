#include "engine/xml_text.h"

#include "engine/codepage.h"

namespace veltran {
namespace {

constexpr std::string_view quot_entity = "&quot;";

bool needs_reference(char c) {
    return c == '\r' || c == '\n' || c == '"' || c == '<' || c == '>';
}

void append_reference(std::string& out, unsigned char code) {
    out += "&#";
    out += std::to_string(code);
    out += ';';
}

// Reads "&#N;" at raw[i]; returns its length, or 0 when it is not one.
std::size_t read_reference(std::string_view raw, std::size_t i, char& decoded) {
    std::size_t k = i + 2;
    char32_t code = 0;
    while (k < raw.size() && raw[k] >= '0' && raw[k] <= '9') {
        if (code <= 0x10FFFF) code = code * 10 + static_cast<char32_t>(raw[k] - '0');
        ++k;
    }
    if (k == i + 2 || k >= raw.size() || raw[k] != ';') return 0;
    decoded = code <= 0xFF ? static_cast<char>(code) : cp1252_from_code_point(code);
    return k + 1 - i;
}

} // namespace

void append_xml_escaped(std::string& out, std::string_view value) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const std::string_view rest = value.substr(i);
        if (needs_reference(c) ||
            (c == '&' && (rest.starts_with("&#") || rest.starts_with(quot_entity))))
            append_reference(out, static_cast<unsigned char>(c));
        else
            out += c;
    }
}

std::string xml_escape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    append_xml_escaped(out, value);
    return out;
}

std::string xml_unescape(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size();) {
        char decoded;
        std::size_t len = 0;
        if (raw.substr(i).starts_with("&#"))
            len = read_reference(raw, i, decoded);
        else if (raw.substr(i).starts_with(quot_entity))
            len = quot_entity.size(), decoded = '"';
        if (len) {
            out += decoded;
            i += len;
        } else {
            out += raw[i++];
        }
    }
    return out;
}

} // namespace veltran
