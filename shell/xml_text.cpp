#include "shell/xml_text.h"

#include "engine/text.h"

#include <charconv>

namespace veltran {
namespace {

std::string_view attribute_reference(char c) {
    switch (c) {
    case '"': return "&quot;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '&': return "&amp;";
    case '\t': return "&#9;";
    case '\n': return "&#10;";
    case '\r': return "&#13;";
    default: return {};
    }
}

std::string_view text_reference(char c) {
    switch (c) {
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '&': return "&amp;";
    default: return {};
    }
}

template <typename Reference> std::string escape(std::string_view s, Reference reference) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        const std::string_view ref = reference(c);
        if (ref.empty())
            out += c;
        else
            out += ref;
    }
    return out;
}

} // namespace

std::string escape_attribute(std::string_view value) {
    return escape(value, attribute_reference);
}

std::string escape_text(std::string_view text) {
    return escape(text, text_reference);
}

std::string escape_cdata(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0;;) {
        const std::size_t end = text.find("]]>", pos);
        if (end == std::string_view::npos) {
            out += text.substr(pos);
            return out;
        }
        out += text.substr(pos, end - pos);
        out += "]]]]><![CDATA[>";
        pos = end + 3;
    }
}

std::string element_text(const pugi::xml_node& node) {
    std::string text;
    for (const pugi::xml_node& child : node.children())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
    return text;
}

std::int32_t int_value(const pugi::xml_attribute& attribute) {
    const std::string_view s = trim_view(attribute.value());
    std::int32_t value = 0;
    const char* begin = s.data() + (s.starts_with('+') ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size() ? value : 0;
}

float float_value(const pugi::xml_attribute& attribute) {
    std::string s = trim(attribute.value());
    for (char& c : s)
        if (c == ',') c = '.';
    float value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size() ? value : 0;
}

std::string float_text(float value, char decimal_separator) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, error == std::errc() ? end : buffer);
    for (char& c : text)
        if (c == '.') c = decimal_separator;
    return text;
}

} // namespace veltran

namespace veltran {

bool parse_xml(std::string_view text, pugi::xml_document& document) {
    return document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
}

} // namespace veltran
