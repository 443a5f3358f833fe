// The board operations behind the built-in procedures and the hardware
// requests: each sets its part of a report image kept in the board record
// and sends the whole image.
#include "boards/board_manager.h"

#include "boards/board_names.h"
#include "boards/report_layout.h"
#include "shell/log_channel.h"
#include "shell/shell_state.h"

namespace veltran {
namespace {

constexpr int display_digits = 32;
constexpr int display_blocks = 4;
constexpr std::uint8_t default_intensity = 5;
constexpr int board_axes = 8;
constexpr std::size_t main_axes = 5;
constexpr std::size_t first_digit_byte = 2;      // digit d is B[d + 2]
constexpr std::size_t first_intensity_byte = 34; // block b is B[b + 34]

bool one_to(int value, int last) {
    return value >= 1 && value <= last;
}

void set_mask_bit(std::uint8_t& mask, int bit, bool on) {
    const auto m = static_cast<std::uint8_t>(1u << bit);
    mask = on ? static_cast<std::uint8_t>(mask | m) : static_cast<std::uint8_t>(mask & ~m);
}

// Character j (0-based) of `valor` padded on the left with copies of
// `caracter` up to `ndigitos` characters (never cut). Past the end of a
// short text (an empty fill) the digit stays blank.
char padded_character(std::string_view valor, std::string_view caracter, std::size_t ndigitos,
                      std::size_t j) {
    const std::size_t copies = valor.size() < ndigitos ? ndigitos - valor.size() : 0;
    const std::size_t pad = copies * caracter.size();
    if (j < pad) return caracter[j % caracter.size()];
    return j - pad < valor.size() ? valor[j - pad] : ' ';
}

} // namespace

void TUSBGEST::board_error(std::string_view message, std::string_view code, std::string_view sn) {
    std::string line = "Code=\"";
    line += code;
    line += "\", ";
    line += message;
    line += "=\"";
    line += sn;
    line += '"';
    shell_.add_log(log_error_boards, line);
}

// The servo and ADC operations take the board by its whole name and number
// servos and axes 1..8.
ThidComponent* TUSBGEST::numbered_board(std::string_view code, std::string_view sn, int number,
                                        std::string_view message) {
    const int index = get_id_sn(sn);
    if (index >= 0 && one_to(number, board_axes))
        return lista_tarjetas_[static_cast<std::size_t>(index)].get();
    board_error(message, code, sn);
    return nullptr;
}

void TUSBGEST::envio_salida(std::string_view code, std::string_view sn, std::uint8_t output,
                            std::uint8_t valor) {
    ThidComponent* board = find_board(board_key(sn));
    if (!board) return board_error("Board not found", code, sn);
    const std::optional<TOutputGroup> group = output_group(get_id_exp(sn));
    if (group) {
        if (!one_to(output, group->count))
            return board_error("Board or OUTPUT not found", code, sn);
        const TOutputBit bit = output_bit(*group, output);
        if (valor == 1) board->salidas[bit.byte] |= bit.mask;
        if (valor == 0) board->salidas[bit.byte] &= static_cast<std::uint8_t>(~bit.mask);
    }
    board->salidas[1] = command::outputs;
    board->salidas[2] = 0;
    SendBuffer(board->Hiddev, board->salidas);
}

void TUSBGEST::envio_displays(std::string_view code, std::string_view sn, std::uint8_t inicio,
                              std::string_view valor, std::string_view caracter,
                              std::uint8_t ndigitos, std::uint8_t dc) {
    ThidComponent* board = find_board(board_key(sn));
    const int address = board ? get_id_exp(sn) : 0;
    if (!board || address > own_slot) return board_error("Board not found", code, sn);
    if (ndigitos > 0 && (inicio < 1 || inicio + ndigitos - 1 > display_digits))
        return board_error("Board or DIGIT not found", code, sn);
    TReportBuffer& image = board->talux_exp[static_cast<std::size_t>(address)].escritura_dis;
    for (std::size_t k = 1; k <= ndigitos; ++k) {
        const char c = padded_character(valor, caracter, ndigitos, ndigitos - k);
        image[inicio + k - 1 + first_digit_byte] = caracter_a_segmentos(c, k == dc);
    }
    procesar_displays(*board, address);
}

void TUSBGEST::envio_intensidad_displays(std::string_view code, std::string_view sn,
                                         std::uint8_t bloque, std::uint8_t valor) {
    ThidComponent* board = find_board(board_key(sn));
    const int address = board ? get_id_exp(sn) : 0;
    if (!board || address > own_slot) return board_error("Board not found", code, sn);
    if (!one_to(bloque, display_blocks)) return board_error("Board or BLOCK not found", code, sn);
    TTaluxExp& slot = board->talux_exp[static_cast<std::size_t>(address)];
    slot.escritura_dis[first_intensity_byte + bloque] = valor;
    slot.enviado_intensidad = true;
    procesar_displays(*board, address);
}

void TUSBGEST::procesar_displays(ThidComponent& board, int address) {
    TTaluxExp& slot = board.talux_exp[static_cast<std::size_t>(address)];
    if (!slot.enviado_intensidad)
        for (std::size_t block = 1; block <= display_blocks; ++block)
            slot.escritura_dis[first_intensity_byte + block] = default_intensity;
    slot.escritura_dis[1] = command::displays;
    slot.escritura_dis[2] = static_cast<std::uint8_t>(address);
    SendBuffer(board.Hiddev, slot.escritura_dis);
}

void TUSBGEST::envio_servo(std::string_view code, std::string_view sn, std::uint8_t serv_,
                           std::uint8_t valor) {
    ThidComponent* found = numbered_board(code, sn, serv_, "Board or SERVO not found");
    if (!found || !found->es_adcser) return;
    ThidComponent& board = *found;
    board.posicion_servo[serv_] = valor;
    board.escritura64[1] = command::servo_position;
    for (std::size_t n = 1; n <= board_axes; ++n)
        board.escritura64[n + 1] = board.posicion_servo[n];
    SendBuffer(board.Hiddev, board.escritura64);
}

void TUSBGEST::envio_ene_servo(std::string_view code, std::string_view sn, std::uint8_t serv_,
                               std::uint8_t valor, std::uint8_t ini_val) {
    ThidComponent* found = numbered_board(code, sn, serv_, "Board or SERVO not found");
    if (!found || !found->es_adcser) return;
    ThidComponent& board = *found;
    set_mask_bit(board.activo_servo, serv_ - 1, valor == 1);
    board.escritura64[1] = command::servo_enable;
    board.escritura64[2] = board.activo_servo;
    SendBuffer(board.Hiddev, board.escritura64);
    envio_servo(code, sn, serv_, ini_val);
}

void TUSBGEST::envio_ene_ejes_joy(std::string_view code, std::string_view sn, std::uint8_t eje,
                                  std::uint8_t valor, std::int32_t redondeo) {
    ThidComponent* found = numbered_board(code, sn, eje, "Board or ADC Axis not found");
    if (!found) return;
    ThidComponent& board = *found;
    if (board.esjoy || board.es_adcser) {
        set_mask_bit(board.joy_ene_ejes, eje - 1, valor == 1);
        board.joy_ejes_round[eje] = redondeo;
        board.escritura64[1] = command::adc_enable;
        board.escritura64[2] = board.joy_ene_ejes;
    } else {
        // A main board has axes 1..5 only: the enable bits of 6..8 are sent
        // as asked, their steps have nothing to round.
        if (valor <= 1) set_mask_bit(board.activo_adc_main, eje - 1, valor == 1);
        if (eje <= main_axes) board.main_ejes_round[eje] = redondeo;
        board.escritura64[1] = command::main_adc_enable;
        board.escritura64[2] = board.activo_adc_main;
    }
    SendBuffer(board.Hiddev, board.escritura64);
}

std::int32_t TUSBGEST::devolver_adc(std::string_view sn, std::int32_t nadc) const {
    const int index = get_id_sn(sn);
    if (index < 0 || !one_to(nadc, board_axes)) return -1;
    return lista_tarjetas_[static_cast<std::size_t>(index)]
        ->joy_ejes[static_cast<std::size_t>(nadc)];
}

} // namespace veltran
