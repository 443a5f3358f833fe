// Decoding of the input reports into script events. Runs once per report on
// the GUI thread; a group whose bits did not change costs one comparison and
// nothing here allocates once the stored strings exist.
#include "boards/board_manager.h"

#include "boards/report_layout.h"

#include <algorithm>
#include <cstring>

namespace veltran {
namespace {

constexpr std::size_t max_inputs = 64;
constexpr int board_axes = 8;
constexpr int main_axes = 5;
constexpr int expansion_adcs = 16;
constexpr int first_servo_adc = 20;
constexpr int last_servo_adc = 24;
constexpr char unknown_inputs[max_inputs + 1] =
    "----------------------------------------------------------------";

} // namespace

// Decodes a copy of the report: the events it raises may let the next report
// of this board into `lectura64` before the decoding is done.
void TUSBGEST::procesar_lectura(ThidComponent& board) {
    const TReportData d = board.lectura64;
    if (board.esjoy) {
        decode_board_axes(board, d);
        decode_group(board, board.joy_botones, d, joystick_button_group.first, joystick_buttons);
        update_version(board, d[30], d[31]);
        return;
    }
    if (board.es_adcser) {
        update_version(board, d[16], d[17]);
        decode_board_axes(board, d);
        return;
    }
    switch (d[0]) {
    case report_type::inputs:
        if (d[1] == 0) decode_inputs(board, d);
        break;
    case report_type::adc:
        if (d[1] == 0) decode_main_adcs(board, d);
        if (d[1] >= first_servo_adc && d[1] <= last_servo_adc)
            decode_expansion_adcs(board, d, d[1]);
        break;
    case report_type::motor_feedback:
        if (windows_) windows_->motor_feedback(d[1], d[2]);
        break;
    case report_type::configuration: decode_configuration(board, d); break;
    default: break;
    }
}

void TUSBGEST::decode_inputs(ThidComponent& board, const TReportData& d) {
    for (const TInputGroup& g : input_layout)
        decode_group(board, board.talux_exp[static_cast<std::size_t>(g.address)].entradas, d,
                     g.first, g.address);
}

void TUSBGEST::decode_group(ThidComponent& board, std::string& stored, const TReportData& d,
                            std::size_t first, int kind) {
    const auto count = static_cast<std::size_t>(input_count(kind));
    const std::uint8_t* bytes = d.data() + first;
    std::uint8_t* last = board.input_bytes.data() + first;
    if (!stored.empty() && std::memcmp(bytes, last, count / 8) == 0) return;
    char nuevo[max_inputs];
    bits_to_string(bytes, static_cast<int>(count), nuevo);
    // The events may decode another report into this record before they
    // return, so compare against a copy of the stored string.
    char old[max_inputs];
    const std::size_t old_size = std::min(stored.size(), max_inputs);
    std::memcpy(old, stored.data(), old_size);
    comparar_entradas({old, old_size}, {nuevo, count}, kind, board);
    stored.assign(nuevo, count);
    std::memcpy(last, bytes, count / 8);
}

void TUSBGEST::comparar_entradas(std::string_view old, std::string_view nuevo, int kind,
                                 const ThidComponent& board) {
    const auto count = static_cast<std::size_t>(input_count(kind));
    if (count == 0) return;
    const std::string_view name = slot_name(board, kind == joystick_buttons ? own_slot : kind);
    const std::string_view unknown(unknown_inputs, count);
    if (old.empty()) old = unknown;
    if (nuevo.empty()) nuevo = unknown;
    if (old == nuevo) return;
    if (events_) {
        events_->feed_encoders(name, old, nuevo);
        const std::size_t n = std::min(old.size(), nuevo.size());
        for (std::size_t i = 0; i < n; ++i)
            if (old[i] != nuevo[i]) events_->input_changed(name, static_cast<int>(i + 1), nuevo[i]);
        events_->all_inputs_changed(name, nuevo);
    }
    if (windows_) windows_->inputs_arrived(name, nuevo);
}

void TUSBGEST::decode_board_axes(ThidComponent& board, const TReportData& d) {
    for (std::size_t k = 1; k <= board_axes; ++k) {
        const std::int32_t value =
            round_to_step(axis_value(d[2 * k - 2], d[2 * k - 1]), board.joy_ejes_round[k]);
        cambio_adc(board.joy_ejes[k], value, static_cast<int>(k), board);
    }
}

void TUSBGEST::decode_main_adcs(ThidComponent& board, const TReportData& d) {
    auto& last = board.talux_exp[own_slot].adcs_servos;
    for (std::size_t k = 1; k <= main_axes; ++k) {
        const std::int32_t value =
            round_to_step(axis_value(d[2 * k], d[2 * k + 1]), board.main_ejes_round[k]);
        cambio_adc(last[k - 1], value, static_cast<int>(k), board);
        last[k - 1] = value;
    }
}

void TUSBGEST::decode_expansion_adcs(ThidComponent& board, const TReportData& d, int address) {
    auto& adcs = board.talux_exp[static_cast<std::size_t>(address)].adcs_servos;
    for (std::size_t k = 1; k <= expansion_adcs; ++k)
        adcs[k - 1] = axis_value(d[2 * k], d[2 * k + 1]);
}

void TUSBGEST::cambio_adc(std::int32_t old, std::int32_t nuevo, int axis, ThidComponent& board) {
    if (old == nuevo) return;
    board.joy_ejes[static_cast<std::size_t>(axis)] = nuevo;
    const std::string_view name = slot_name(board, own_slot);
    if (events_) events_->adc_changed(name, axis, nuevo);
    if (windows_) windows_->adc_arrived(name, axis, nuevo);
}

void TUSBGEST::decode_configuration(ThidComponent& board, const TReportData& d) {
    board.leido_conf = true;
    for (int a = 0; a < expansion_count; ++a) {
        TTaluxExp& slot = board.talux_exp[static_cast<std::size_t>(a)];
        slot.activo = expansion_present(d.data(), a) ? 1 : 0;
        if (slot.activo) slot.enviado_intensidad = false;
    }
    update_version(board, d[10], d[11]);
    board.escritura64[1] = command::acknowledge;
    board.escritura64[2] = 0;
    SendBuffer(board.Hiddev, board.escritura64);
    listar_expansiones(board);
}

void TUSBGEST::update_version(ThidComponent& board, std::uint8_t major, std::uint8_t minor) {
    if (board.version_bytes[0] == major && board.version_bytes[1] == minor) return;
    board.version_bytes = {major, minor};
    board.version = firmware_version_text(major, minor);
}

} // namespace veltran
