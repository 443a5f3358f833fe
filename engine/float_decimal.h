#pragma once
// A float as decimal digits, rounded the way the library's number texts
// round: half away from zero on the decimal digits. The digits start from
// the shortest decimal that reads back as the same double, so 2.675 rounds
// to 2.68 and 0.1 + 0.2 shows as 0.3 at 15 digits, as a user reading the
// value expects, rather than from the binary value's exact expansion.

#include <string>

namespace veltran {

// value = 0.d1 d2 d3 ... x 10^exponent; no leading or trailing zero digits,
// and no digits at all for zero.
struct TFloatDecimal {
    bool negative = false;
    int exponent = 0;
    std::string digits;

    bool is_zero() const { return digits.empty(); }
    // The digit at place 10^(exponent - 1 - index): '0' beyond the digits.
    char digit(int index) const {
        return index >= 0 && index < static_cast<int>(digits.size())
                   ? digits[static_cast<std::size_t>(index)]
                   : '0';
    }
    // At most `significant` significant digits.
    void round_significant(int significant);
    // At most `decimals` digits after the decimal point.
    void round_decimals(int decimals);
};

// A finite value's digits.
TFloatDecimal float_decimal(double value);

} // namespace veltran
