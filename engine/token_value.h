#pragma once
// The value of a literal token as the tokenizer gives it (8-bit text): a
// string literal in single quotes, an integer (decimal, or hexadecimal after
// '$') or a float.

#include "engine/variant.h"

#include <string_view>

namespace veltran {

// Empty text gives null; a quoted literal a UTF-16 string; an integer that
// fits 31 bits an Integer, a larger one an Int64 (sixteen hexadecimal digits
// with the top bit set give the Integer of their low 32 bits); anything else
// the Double it reads as (null when it is no number).
Variant token_value(std::string_view token);

// 8-bit (Windows-1252) text as a UTF-16 string Variant.
Variant ansi_text_value(std::string_view ansi);

} // namespace veltran
