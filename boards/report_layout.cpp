#include "boards/report_layout.h"

#include <cstdint>

namespace veltran {
namespace {

struct TSegmentPattern {
    char character;
    std::uint8_t pattern;
};

// Segments a..g are bits 6..0.
constexpr std::array<TSegmentPattern, 25> segment_patterns{{
    {' ', 0x00}, {'-', 0x01}, {'0', 0x7E}, {'1', 0x30}, {'2', 0x6D}, {'3', 0x79}, {'4', 0x33},
    {'5', 0x5B}, {'6', 0x5F}, {'7', 0x70}, {'8', 0x7F}, {'9', 0x7B}, {'A', 0x77}, {'B', 0x1F},
    {'C', 0x4E}, {'D', 0x3D}, {'T', 0x0F}, {'E', 0x4F}, {'F', 0x47}, {'H', 0x17}, {'J', 0x3C},
    {'N', 0x76}, {'O', 0x1D}, {'P', 0x67}, {'U', 0x3E},
}};

constexpr std::size_t main_outputs_first = 63;
constexpr std::size_t outputs64_first = 3;
constexpr std::size_t outputs32_first = 43;

} // namespace

int input_count(int kind) {
    if (kind >= 0 && kind <= 4) return 64;
    if ((kind >= 10 && kind <= 14) || kind == joystick_buttons) return 32;
    if (kind == 64) return 16;
    return 0;
}

std::optional<TOutputGroup> output_group(int address) {
    if ((address >= 5 && address <= 9) || (address >= 25 && address <= 29))
        return TOutputGroup{outputs64_first + 8 * static_cast<std::size_t>((address - 5) % 20), 64,
                            false};
    if (address >= 10 && address <= 14)
        return TOutputGroup{outputs32_first + 4 * static_cast<std::size_t>(address - 10), 32,
                            false};
    if (address == 64) return TOutputGroup{main_outputs_first, 16, true};
    return std::nullopt;
}

TOutputBit output_bit(const TOutputGroup& group, int output) {
    const int g = (output - 1) / 8;
    const int p = (output - 1) % 8;
    const int bit = group.lsb_first ? p : 7 - p;
    return {group.first + static_cast<std::size_t>(g), static_cast<std::uint8_t>(1u << bit)};
}

void bits_to_string(const std::uint8_t* bytes, int count, char* out) {
    for (int k = 1; k <= count; ++k)
        out[k - 1] = bit_of(bytes, k) ? '1' : '0';
}

std::int32_t round_to_step(std::int32_t v, std::int32_t step) {
    if (step <= 0) return v;
    const std::int64_t r = step;
    std::int64_t q = v / r;
    if (q * r > v) --q; // floor, so that the rest below counts up from q * r
    const std::int64_t twice_rest = 2 * (v - q * r);
    if (twice_rest > r || (twice_rest == r && q % 2 != 0)) ++q;
    std::int64_t rounded = q * r;
    if (rounded > INT32_MAX) rounded -= r;
    if (rounded < INT32_MIN) rounded += r;
    return static_cast<std::int32_t>(rounded);
}

std::uint8_t caracter_a_segmentos(char c, bool dp) {
    std::uint8_t pattern = 0;
    for (const TSegmentPattern& p : segment_patterns)
        if (p.character == c) {
            pattern = p.pattern;
            break;
        }
    return dp ? static_cast<std::uint8_t>(pattern | decimal_point) : pattern;
}

char segments_character(std::uint8_t pattern) {
    for (const TSegmentPattern& p : segment_patterns)
        if (p.pattern == pattern) return p.character;
    return '?';
}

std::string firmware_version_text(int major, int minor) {
    return "V." + std::to_string(major) + "." + std::to_string(minor);
}

} // namespace veltran
