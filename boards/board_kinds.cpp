#include "boards/board_kinds.h"

#include <array>

namespace veltran {
namespace {

constexpr std::array<TSerialKind, 7> serial_kinds{{
    {"TALUX0", "USB-MAIN", board_image::main, "Talux Board USB MAIN", product_id::main},
    {"TALUX1", "USB-JOY", board_image::joystick, "Talux Board JOYSTICK", product_id::joystick},
    {"TALUX2", "", board_image::dc_motor, "Talux Board DC MOTORS", product_id::dc_motor},
    {"TALUX3", "8 SERVOS/8 ADCs", board_image::servo_adc, "Talux Board USB 8 ADCs and 8 SERVOS",
     product_id::servo_adc},
    {"TALUX7", "USB-BOOTLOADER ADCSERVO", board_image::bootloader, "Talux Board BOOTLOADER",
     product_id::bootloader},
    {"TALUX8", "USB-BOOTLOADER MAIN 2.0", board_image::bootloader, "Talux Board BOOTLOADER",
     product_id::bootloader},
    {"TALUX9", "USB-BOOTLOADER JOYSTICK", board_image::bootloader, "Talux Board BOOTLOADER",
     product_id::bootloader},
}};

} // namespace

std::optional<TKindFlags> kind_flags(std::uint16_t vendor, std::uint16_t product) {
    if (vendor != talux_vendor_id) return std::nullopt;
    switch (product) {
    case product_id::main: return TKindFlags{.es_main = true};
    case product_id::joystick: return TKindFlags{.esjoy = true};
    case product_id::dc_motor: return TKindFlags{};
    case product_id::servo_adc: return TKindFlags{.es_adcser = true};
    case product_id::bootloader: return TKindFlags{.es_boot = true};
    default: return std::nullopt;
    }
}

const TSerialKind* serial_kind(std::string_view serial) {
    const std::string_view prefix = serial.substr(0, 6);
    for (const TSerialKind& kind : serial_kinds)
        if (kind.prefix == prefix) return &kind;
    return nullptr;
}

TExpansionKind expansion_kind(int address) {
    if (address < 0 || address >= 30) return {"", board_image::none};
    switch (address / 5) {
    case 0: return {" (64INs)", board_image::inputs};
    case 1: return {" (64OUTs)", board_image::outputs};
    case 2: return {" (32I32Os)", board_image::inputs};
    case 3: return {" (32DISs)", board_image::displays};
    case 4: return {" (16SER16ADCs)", board_image::servo_adc};
    default: return {" (64OUTs)", board_image::outputs};
    }
}

} // namespace veltran
