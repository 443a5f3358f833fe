#pragma once
// Format: printf-style formatting of a list of values.
//
// A directive is '%' [index ':'] ['-'] [width] ['.' precision] letter, where
// index, width and precision are numbers or '*' (taken from the next value);
// "%%" is a '%'. The letters: d (decimal; precision = least digits), u
// (unsigned), x (hexadecimal, upper case), p (an object reference, as 8 or 16
// hexadecimal digits), e (scientific; precision = significant digits, 15 by
// default), f (fixed; precision = decimals, 2 by default), g (general), n
// (fixed with thousands separators), m (money, the settings' currency
// layout), s (text; precision = most characters). Width pads with blanks, on
// the left unless '-' is given.
//
// Each value counts by its Variant type: integers of up to 32 bits as Integer
// arguments, 64-bit integers as Int64, single, double, currency and date as
// floats, 8-bit and OleStr strings as text cut to 255 characters, UTF-16
// strings as text, Booleans as Boolean arguments (which no letter takes),
// arrays as Variant arguments converted as each letter needs, and anything
// else (empty, null) as the integer 0. A letter that does not take its value
// raises "Format 'fmt' invalid or incompatible with argument", a value too
// few "No argument for format 'fmt'" (both EConvertError).

#include "engine/locale_settings.h"
#include "engine/variant.h"

#include <span>
#include <string>
#include <string_view>

namespace veltran {

std::u16string format_text(std::u16string_view format, std::span<const Variant> args,
                           const TFormatSettings& fs);

} // namespace veltran
