#pragma once
// TestBit, SetBit, ChangeBit, BCDToInt and IntToBCD: the bit helpers scripts use
// to pick apart and build the packed values of simulator offsets.
//
// Values are taken as their 32-bit two's-complement pattern. Each bit
// operation works on a window of the lowest `width` bits; a width above 32 is
// the whole integer and a width of 0 or below is an empty window. A bit number
// outside the window (negative, or not below the width) makes the operation
// fail, and a failed operation returns 0.

#include <cstdint>

namespace veltran {

// Bit `bit` (0 = least significant) of `value`, as 0 or 1.
std::int32_t test_bit(std::int32_t value, std::int32_t bit, std::int32_t width);

// `value` with bit `bit` set (state 1) or cleared (state 0); any other state
// leaves it. The result keeps only the lowest `width` bits.
std::int32_t set_bit(std::int32_t value, std::int32_t bit, std::int32_t state, std::int32_t width);

// `value` with bit `bit` inverted; the result keeps only the lowest `width` bits.
std::int32_t change_bit(std::int32_t value, std::int32_t bit, std::int32_t width);

// The four packed BCD digits of the low 16 bits; nibbles above 9 count as
// their value (0xF in the tens place adds 150).
std::uint16_t bcd_to_int(std::int32_t value);

// The five lowest decimal digits of the magnitude of `value`, one per nibble,
// units in the low nibble.
std::int32_t int_to_bcd(std::int32_t value);

} // namespace veltran
