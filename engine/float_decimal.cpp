#include "engine/float_decimal.h"

#include <charconv>
#include <cmath>

namespace veltran {
namespace {

void strip_trailing_zeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

} // namespace

TFloatDecimal float_decimal(double value) {
    TFloatDecimal d;
    d.negative = std::signbit(value);
    if (value == 0) return d;
    char buf[64];
    // Shortest round-trip form: "d.ddde+XX".
    const auto end =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific).ptr;
    const std::string_view text(buf, static_cast<std::size_t>(end - buf));
    const std::size_t e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.') d.digits += c;
    int exponent = 0;
    const std::string_view exp_text = text.substr(e + 1);
    std::from_chars(exp_text.data() + (exp_text[0] == '+'), exp_text.data() + exp_text.size(),
                    exponent);
    d.exponent = exponent + 1;
    strip_trailing_zeros(d.digits);
    return d;
}

void TFloatDecimal::round_significant(int significant) {
    if (significant < 0) significant = 0;
    if (static_cast<int>(digits.size()) <= significant) return;
    const bool up = digits[static_cast<std::size_t>(significant)] >= '5';
    digits.resize(static_cast<std::size_t>(significant));
    if (up) {
        int i = significant - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++exponent;
        }
    }
    strip_trailing_zeros(digits);
    if (digits.empty()) exponent = 0;
}

void TFloatDecimal::round_decimals(int decimals) {
    if (is_zero()) return;
    const int keep = exponent + decimals;
    if (keep < 0) {
        digits.clear();
        exponent = 0;
        return;
    }
    round_significant(keep);
}

} // namespace veltran
