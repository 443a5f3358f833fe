#pragma once
// Writing values into the project's line-by-line XML, and reading them back.
// Text without the characters XML reserves is written exactly as it stands.

#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace veltran {

// For attribute values: ", <, >, & and the line and tab characters become
// references, so that a value read back equals the value written.
std::string escape_attribute(std::string_view value);
// For element text: <, > and &.
std::string escape_text(std::string_view text);
// For the inside of a CDATA section: "]]>" is split over two sections.
std::string escape_cdata(std::string_view text);

// The whole text of an element: its character data and CDATA sections.
std::string element_text(const pugi::xml_node& node);

// Decimal integers as written by the system; malformed text reads as 0.
std::int32_t int_value(const pugi::xml_attribute& attribute);
// A floating-point number written with either decimal separator; malformed
// text reads as 0.
float float_value(const pugi::xml_attribute& attribute);
// The shortest text that reads back as the same single, with the given
// decimal separator.
std::string float_text(float value, char decimal_separator);

} // namespace veltran

namespace veltran {

// Parses a project or code file; false when it is not well-formed XML.
bool parse_xml(std::string_view text, pugi::xml_document& document);

} // namespace veltran
