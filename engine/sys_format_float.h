#pragma once
// FormatFloat's picture language.
//
// Up to three sections separated by ';': positive values, negative values
// (shown without a sign of their own) and zero; an absent or empty section
// uses the first, a negative value then getting a leading '-'. In a section:
//   0        a digit, shown even when it is a leading or trailing zero
//   #        a digit, left out when it is a leading or trailing zero
//   .        the decimal point (the settings' separator)
//   ,        thousands separators every three integer digits
//   E+ E- e+ e-   scientific notation; the '0's after it give the least
//            exponent digits, E+ shows the sign of positive exponents too
//   'x' "x"  literal text; other characters stand for themselves
// Integer digits beyond the placeholders all appear at the first one; the
// value is rounded half away from zero to the fraction's placeholders. A
// section without placeholders shows its literal text alone. An empty
// picture gives FloatToStr's text. A value that rounds to zero shows no sign.

#include "engine/locale_settings.h"

#include <string>
#include <string_view>

namespace veltran {

std::u16string format_float(std::u16string_view picture, double value, const TFormatSettings& fs);

} // namespace veltran
