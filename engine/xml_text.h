#pragma once
// Attribute values of the engine's XML documents. Writing escapes carriage
// return, line feed, '"', '<' and '>' as decimal character references and
// leaves '&' alone, except where it would start a reference on reading
// ("&#" or "&quot;"): that one becomes "&#38;" so every value reads back as
// written. Reading decodes "&#N;" and "&quot;" and nothing else.

#include <string>
#include <string_view>

namespace veltran {

void append_xml_escaped(std::string& out, std::string_view value);
std::string xml_escape(std::string_view value);
std::string xml_unescape(std::string_view raw);

} // namespace veltran
