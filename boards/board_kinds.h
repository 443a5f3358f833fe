#pragma once
// The board family as the program knows it: the HID ids and the kind flags
// they give a board record, the serial prefixes and what the hardware tree
// and the main window show for each, and the kinds of the expansion
// addresses 0..63 of a main board's bus.

#include <cstdint>
#include <optional>
#include <string_view>

namespace veltran {

inline constexpr std::uint16_t talux_vendor_id = 0x04D8;

namespace product_id {
inline constexpr std::uint16_t main = 0xDDD0;
inline constexpr std::uint16_t joystick = 0xDDD1;
inline constexpr std::uint16_t dc_motor = 0xDDD2;
inline constexpr std::uint16_t servo_adc = 0xDDD3;
inline constexpr std::uint16_t bootloader = 0xDDE1;
} // namespace product_id

// The four kind flags of a board record; they decide how reports decode.
struct TKindFlags {
    bool esjoy = false;
    bool es_adcser = false;
    bool es_boot = false;
    bool es_main = false;
};

// The flags of a board with these HID ids, or nothing for any other device.
std::optional<TKindFlags> kind_flags(std::uint16_t vendor, std::uint16_t product);

// Images of the hardware tree's board and expansion nodes (the "Hardware"
// node above them is tree_image::hardware).
namespace board_image {
inline constexpr int main = 0;
inline constexpr int inputs = 1;
inline constexpr int outputs = 2;
inline constexpr int displays = 4;
inline constexpr int joystick = 17;
inline constexpr int bootloader = 18;
inline constexpr int servo_adc = 19;
inline constexpr int dc_motor = 22;
inline constexpr int none = -1;
} // namespace board_image

// What the first six characters of a serial say about a board.
struct TSerialKind {
    std::string_view prefix;
    std::string_view kind_name; // shown by the test window; empty for the DC motor board
    int image;
    std::string_view description;
    std::uint16_t product;
};

// The kind of a serial by its prefix, or nothing for an unknown prefix.
const TSerialKind* serial_kind(std::string_view serial);

// The kind of an expansion address.
struct TExpansionKind {
    std::string_view suffix; // tree label suffix; empty for 30..63
    int image;               // board_image::none for 30..63
};

TExpansionKind expansion_kind(int address);

inline constexpr int expansion_count = 64;
inline constexpr int own_slot = 64; // slot of talux_exp holding the board's own state

} // namespace veltran
