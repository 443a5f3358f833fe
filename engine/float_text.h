#pragma once
// Float values as the library writes them: the general, scientific, fixed,
// number and money forms of FloatToStr and Format. Infinities and NaN read
// "INF", "-INF" and "NAN" in every form.

#include "engine/locale_settings.h"

#include <string>

namespace veltran {

// Shortest of fixed and scientific notation with up to `precision` significant
// digits and no trailing zeros: "3.5", "0.0001", "1E-5", "1E15" (FloatToStr
// uses 15 digits).
std::u16string float_general_text(double value, int precision, char16_t decimal_separator);
// "-d.dddE+ddd" with `precision` significant digits.
std::u16string float_exponent_text(double value, int precision, char16_t decimal_separator);
// "-ddd.dd" with `decimals` digits after the point; thousands separators when
// `grouped`.
std::u16string float_fixed_text(double value, int decimals, bool grouped,
                                const TFormatSettings& fs);
// The amount with thousands separators and the currency string placed by the
// settings' positive and negative currency layouts.
std::u16string float_money_text(double value, int decimals, const TFormatSettings& fs);

// FloatToStr.
inline std::u16string float_to_str(double value, const TFormatSettings& fs) {
    return float_general_text(value, 15, fs.decimal_separator);
}

} // namespace veltran
