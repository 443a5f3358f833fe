#pragma once
// The board record: everything the program keeps about one board between
// two device changes. Every image, mask and last value starts zeroed or
// empty, so the first command after a device change sends zeroed images.

#include "boards/board_kinds.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace veltran {

class THidDevice;
class TTreeNode;

inline constexpr std::size_t report_data_size = 64;
inline constexpr std::size_t report_buffer_size = 65; // report ID + 64 data bytes

using TReportBuffer = std::array<std::uint8_t, report_buffer_size>;
using TReportData = std::array<std::uint8_t, report_data_size>;

// One expansion slot of a main board (slot 64 holds the board itself).
struct TTaluxExp {
    std::uint8_t activo = 0; // 1 when the configuration report lists the address
    std::uint8_t activo_servo_b1 = 0;
    std::uint8_t activo_servo_b2 = 0;
    std::string entradas; // '0'/'1' per input; empty until the first input report
    std::array<std::int32_t, 16> adcs_servos{};
    TReportBuffer escritura_dis{};
    bool enviado_intensidad = false;
};

// Arrays the protocol numbers from 1 (axes, servos) have an unused entry 0,
// so that entry k is axis or servo k.
struct ThidComponent {
    std::shared_ptr<THidDevice> Hiddev;
    std::string sn;
    TReportData lectura64{};
    TReportBuffer salidas{};
    TReportBuffer escritura64{};
    std::uint8_t activo_servo = 0;
    std::uint8_t activo_adc_main = 0;
    std::array<std::int32_t, 6> main_ejes_round{}; // axes 1..5
    std::array<TTaluxExp, expansion_count + 1> talux_exp{};
    bool leido_conf = false;
    std::string version;
    TTreeNode* padre = nullptr;
    TTreeNode* nodo = nullptr;
    bool esjoy = false;
    std::array<std::int32_t, 9> joy_ejes{}; // axes 1..8
    std::string joy_botones;
    std::uint8_t joy_ene_ejes = 0;
    std::array<std::int32_t, 9> joy_ejes_round{}; // axes 1..8
    std::uint8_t dc_motor1_speed = 0;
    std::uint8_t dc_motor1_dir = 0;
    std::uint8_t dc_motor1_bra = 0;
    std::uint8_t dc_motor2_speed = 0;
    std::uint8_t dc_motor2_dir = 0;
    std::uint8_t dc_motor2_bra = 0;
    bool es_boot = false;
    bool es_adcser = false;
    bool es_main = false;

    // Kept beside the fields above: the position last written for servo k
    // (the command buffer is shared with the enable command, which
    // overwrites it), the event names of every slot, built once from the
    // serial, the input bytes the stored input strings were decoded from and
    // the version bytes behind `version` (so that an unchanged group or
    // version costs a byte comparison), and whether the record is still in
    // the board list (a device change can replace the list while a script
    // event raised by this record's report is still running).
    std::array<std::uint8_t, 9> posicion_servo{};
    std::array<std::string, expansion_count + 1> nombres;
    TReportData input_bytes{};
    std::array<int, 2> version_bytes{-1, -1};
    bool listed = false;
};

// A new record for a device with this serial and these kind flags.
std::shared_ptr<ThidComponent> make_board_record(std::shared_ptr<THidDevice> device,
                                                 std::string serial, const TKindFlags& flags);

// The event name of slot `address`: the serial, with "-EXP" and the address
// for an expansion.
inline std::string_view slot_name(const ThidComponent& board, int address) {
    return board.nombres[static_cast<std::size_t>(address)];
}

} // namespace veltran
