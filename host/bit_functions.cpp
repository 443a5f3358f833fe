#include "host/bit_functions.h"

#include <algorithm>
#include <cstdlib>

namespace veltran {
namespace {

constexpr std::int32_t integer_bits = 32;

struct TBitWindow {
    std::uint32_t mask; // the lowest `width` bits
    bool holds(std::int32_t bit) const {
        return bit >= 0 && bit < integer_bits && (mask >> bit) & 1u;
    }
};

TBitWindow window_of(std::int32_t width) {
    const std::int32_t w = std::clamp(width, 0, integer_bits);
    return {w == integer_bits ? ~0u : (1u << w) - 1u};
}

std::uint32_t bits_of(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}
std::int32_t value_of(std::uint32_t bits) {
    return static_cast<std::int32_t>(bits);
}
std::uint32_t bit_mask(std::int32_t bit) {
    return 1u << bit;
}

} // namespace

std::int32_t test_bit(std::int32_t value, std::int32_t bit, std::int32_t width) {
    if (!window_of(width).holds(bit)) return 0;
    return value_of((bits_of(value) >> bit) & 1u);
}

std::int32_t set_bit(std::int32_t value, std::int32_t bit, std::int32_t state, std::int32_t width) {
    const TBitWindow window = window_of(width);
    if (!window.holds(bit)) return 0;
    std::uint32_t bits = bits_of(value);
    if (state == 1) bits |= bit_mask(bit);
    if (state == 0) bits &= ~bit_mask(bit);
    return value_of(bits & window.mask);
}

std::int32_t change_bit(std::int32_t value, std::int32_t bit, std::int32_t width) {
    const TBitWindow window = window_of(width);
    if (!window.holds(bit)) return 0;
    return value_of((bits_of(value) ^ bit_mask(bit)) & window.mask);
}

std::uint16_t bcd_to_int(std::int32_t value) {
    const std::uint32_t bits = bits_of(value);
    std::uint32_t result = 0;
    for (std::uint32_t place = 1, shift = 0; shift < 16; place *= 10, shift += 4)
        result += ((bits >> shift) & 0xFu) * place;
    return static_cast<std::uint16_t>(result);
}

std::int32_t int_to_bcd(std::int32_t value) {
    // The magnitude in 64 bits so that the most negative integer has one.
    std::int64_t rest = std::llabs(static_cast<std::int64_t>(value));
    std::uint32_t packed = 0;
    for (std::uint32_t shift = 0; shift < 20; shift += 4, rest /= 10)
        packed |= static_cast<std::uint32_t>(rest % 10) << shift;
    return value_of(packed);
}

} // namespace veltran
