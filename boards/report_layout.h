#pragma once
// The byte layout of the board reports: where each group of inputs and
// outputs lives, how bits become '0'/'1' strings, how axes are built from
// their two bytes, and the seven-segment character patterns. Both the
// program's decoder and the board simulator read the reports through these.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltran {

// Command bytes (B[1]) the program writes.
namespace command {
inline constexpr std::uint8_t acknowledge = 0;
inline constexpr std::uint8_t outputs = 1;  // main board
inline constexpr std::uint8_t displays = 2; // main board
inline constexpr std::uint8_t servo_position = 3;
inline constexpr std::uint8_t main_adc_enable = 4;
inline constexpr std::uint8_t configuration = 255;
inline constexpr std::uint8_t adc_enable = 1;   // joystick, servo/ADC board
inline constexpr std::uint8_t servo_enable = 2; // servo/ADC board
inline constexpr std::uint8_t motor = 1;        // DC motor board
} // namespace command

// Report types (D[0]) of main and DC motor boards.
namespace report_type {
inline constexpr std::uint8_t inputs = 0;
inline constexpr std::uint8_t adc = 1;
inline constexpr std::uint8_t motor_feedback = 2;
inline constexpr std::uint8_t configuration = 255;
} // namespace report_type

// A group of inputs in an input report: `count` inputs from data byte `first`.
struct TInputGroup {
    int address; // expansion address, 64 for the board itself, 65 for joystick buttons
    std::size_t first;
    int count;
};

inline constexpr int joystick_buttons = 65;

// Input report of a main board (D[0] = 0, D[1] = 0), in decoding order.
inline constexpr std::array<TInputGroup, 11> input_layout{{
    {0, 2, 64},
    {1, 10, 64},
    {2, 18, 64},
    {3, 26, 64},
    {4, 34, 64},
    {10, 42, 32},
    {11, 46, 32},
    {12, 50, 32},
    {13, 54, 32},
    {14, 58, 32},
    {64, 62, 16},
}};
inline constexpr TInputGroup joystick_button_group{joystick_buttons, 16, 32};

// The input count of a group kind: 64 for addresses 0..4, 32 for 10..14 and
// the joystick buttons, 16 for the board itself, 0 for anything else.
int input_count(int kind);

// The output bytes of an address in the output report (command 1).
struct TOutputGroup {
    std::size_t first; // index in the 65-byte buffer
    int count;         // outputs the group has
    bool lsb_first;    // the board's own outputs count from bit 0
};

// Nothing for addresses without output bytes (0..4, 15..24, 30..63).
std::optional<TOutputGroup> output_group(int address);

struct TOutputBit {
    std::size_t byte;
    std::uint8_t mask;
};

// Output n (1-based, within the group's count) of a group.
TOutputBit output_bit(const TOutputGroup& group, int output);

// Bit k (1-based) of a bit string starting at `bytes`: bit 7 first.
inline bool bit_of(const std::uint8_t* bytes, int k) {
    return (bytes[(k - 1) / 8] >> (7 - (k - 1) % 8)) & 1;
}
inline void set_bit_of(std::uint8_t* bytes, int k, bool on) {
    const std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> ((k - 1) % 8));
    if (on)
        bytes[(k - 1) / 8] |= mask;
    else
        bytes[(k - 1) / 8] &= static_cast<std::uint8_t>(~mask);
}

// Writes the `count` characters '0'/'1' of the bit string into out.
void bits_to_string(const std::uint8_t* bytes, int count, char* out);

// An axis from its low and high byte: L + 255 * H.
inline std::int32_t axis_value(std::uint8_t low, std::uint8_t high) {
    return low + 255 * high;
}

// v rounded to a multiple of step, halves to the even multiple; step <= 0
// leaves v unchanged.
std::int32_t round_to_step(std::int32_t v, std::int32_t step);

// Expansion address a is present in a configuration report.
inline bool expansion_present(const std::uint8_t* data, int a) {
    return bit_of(data + 2, a + 1);
}

// The seven-segment pattern of a character; bit 7 is the decimal point.
std::uint8_t caracter_a_segmentos(char c, bool dp);
inline constexpr std::uint8_t decimal_point = 0x80;

// The character a pattern (without its decimal point) shows: ' ' when dark,
// '?' when no character has that pattern.
char segments_character(std::uint8_t pattern);

// "V." + major + "." + minor.
std::string firmware_version_text(int major, int minor);

} // namespace veltran
