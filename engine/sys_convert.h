#pragma once
// The library's conversions between numbers and text: IntToStr, StrToInt,
// StrToInt64, StrToFloat, BoolToStr, VarToStr, and the conversion error they
// and the date functions raise ("EConvertError").

#include "engine/locale_settings.h"
#include "engine/variant.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veltran {

[[noreturn]] void raise_convert_error(std::string message);
// "'text'" for a message.
std::string quoted(std::u16string_view text);

// Decimal text of the integer, as a string value.
Variant int_to_str(std::int64_t value);

// Integer text: blanks around, an optional sign, decimal digits or '$' and up
// to 16 hexadecimal digits. A hexadecimal text of up to 8 digits is a 32-bit
// pattern, so StrToInt('$FFFFFFFF') is -1. Anything else, or a value out of
// range, raises "'x' is not a valid integer value".
std::int32_t str_to_int(std::u16string_view text);
std::int64_t str_to_int64(std::u16string_view text);
bool try_str_to_int(std::u16string_view text, std::int32_t& value);
bool try_str_to_int64(std::u16string_view text, std::int64_t& value);

// Float text with the settings' decimal separator (no thousands separators),
// blanks around and an optional exponent; anything else raises
// "'x' is not a valid floating point value".
double str_to_float(std::u16string_view text, const TFormatSettings& fs);
bool try_str_to_float(std::u16string_view text, const TFormatSettings& fs, double& value);

// "-1" for true and "0" for false, as the script dialect has always shown them.
std::u16string_view bool_to_str(bool value);

// The value's text; Null gives the empty string.
Variant var_to_str(const Variant& value);

} // namespace veltran
