#include "boards/sim_board.h"

#include "boards/board_kinds.h"
#include "boards/board_names.h"
#include "boards/report_layout.h"

#include <algorithm>
#include <cstring>

namespace veltran {
namespace {

struct TSimKindName {
    std::string_view name;
    TSimKind kind;
    std::uint16_t product;
};

constexpr std::array<TSimKindName, 5> sim_kinds{{
    {"main", TSimKind::main, product_id::main},
    {"joystick", TSimKind::joystick, product_id::joystick},
    {"servo", TSimKind::servo, product_id::servo_adc},
    {"dcmotor", TSimKind::dc_motor, product_id::dc_motor},
    {"bootloader", TSimKind::bootloader, product_id::bootloader},
}};

constexpr int max_reading = 65535;
constexpr int max_feedback = 255;
constexpr int main_axes = 5;
constexpr int board_axes = 8;
constexpr int expansion_adcs = 16;
constexpr int first_display = 15;
constexpr int first_servo_adc = 20;

// Boards of the bus whose outputs the output report carries, in its byte order.
constexpr std::array<int, 16> output_addresses{5,  6,  7,  8,  9,  10, 11, 12,
                                               13, 14, 25, 26, 27, 28, 29, own_slot};

// The firmware version each kind reports: the main board 2.0, the others 1.0.
int firmware_major(TSimKind kind) {
    return kind == TSimKind::main ? 2 : 1;
}

bool in(int value, int low, int high) {
    return value >= low && value <= high;
}

// Readings go out as the firmware has them: low byte, then high byte.
void put_reading(TReportData& d, std::size_t at, int value) {
    d[at] = static_cast<std::uint8_t>(value & 0xFF);
    d[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

const TInputGroup* input_group(TSimKind kind, int address) {
    if (kind == TSimKind::joystick) return address == own_slot ? &joystick_button_group : nullptr;
    for (const TInputGroup& g : input_layout)
        if (g.address == address) return &g;
    return nullptr;
}

} // namespace

std::optional<TSimKind> sim_kind_named(std::string_view name) {
    for (const TSimKindName& k : sim_kinds)
        if (k.name == name) return k.kind;
    return std::nullopt;
}

std::uint16_t sim_product_id(TSimKind kind) {
    for (const TSimKindName& k : sim_kinds)
        if (k.kind == kind) return k.product;
    return 0;
}

TSimReach sim_reach(const TSimBoardConfig& board, int address) {
    if (address == own_slot) {
        switch (board.kind) {
        case TSimKind::main: return {16, main_axes, max_reading};
        case TSimKind::joystick: return {32, board_axes, max_reading};
        case TSimKind::servo: return {0, board_axes, max_reading};
        case TSimKind::dc_motor: return {0, 2, max_feedback};
        case TSimKind::bootloader: return {};
        }
    }
    if (board.kind != TSimKind::main || address < 0 || address >= expansion_count ||
        !board.expansions[static_cast<std::size_t>(address)])
        return {};
    if (in(address, first_servo_adc, first_servo_adc + 4)) return {0, expansion_adcs, max_reading};
    return {input_count(address), 0, 0};
}

TSimBoard::TSimBoard(TSimBoardConfig config, TSimTrace trace)
    : config_(std::move(config)), trace_(std::move(trace)) {}

bool TSimBoard::has(int address) const {
    return address == own_slot ||
           (config_.kind == TSimKind::main && in(address, 0, expansion_count - 1) &&
            config_.expansions[static_cast<std::size_t>(address)]);
}

std::string TSimBoard::name(int address) const {
    return expansion_name(config_.serial, address);
}

void TSimBoard::trace(const std::string& line) const {
    if (trace_) trace_(line);
}

void TSimBoard::send(const TReportData& report) const {
    if (sender_) sender_(report);
}

void TSimBoard::attach_sender(TSimSender sender, const void* owner) {
    sender_ = std::move(sender);
    sender_owner_ = owner;
    if (config_.kind == TSimKind::joystick || config_.kind == TSimKind::servo) send_axes(own_slot);
}

void TSimBoard::detach_sender(const void* owner) {
    if (owner != sender_owner_) return;
    sender_ = nullptr;
    sender_owner_ = nullptr;
}

void TSimBoard::power_off() {
    powered_ = false;
    sender_ = nullptr;
    sender_owner_ = nullptr;
    outputs_ = {};
    displays_ = {};
    adc_enable_ = 0;
    servo_enable_ = 0;
    servo_positions_ = {};
    motor_ = {};
}

void TSimBoard::power_on() {
    powered_ = true;
    ++power_cycles_;
}

// ---- commands from the program

void TSimBoard::receive(const std::uint8_t* report, std::size_t length) {
    if (!powered_) return;
    TReportBuffer b{};
    std::memcpy(b.data(), report, std::min(length, b.size()));
    switch (config_.kind) {
    case TSimKind::main: receive_main(b); break;
    case TSimKind::joystick:
        if (b[1] == command::adc_enable) receive_adc_enable(b[2]);
        break;
    case TSimKind::servo:
        if (b[1] == command::adc_enable) receive_adc_enable(b[2]);
        if (b[1] == command::servo_enable) receive_servo_enable(b[2]);
        if (b[1] == command::servo_position) receive_servo_positions(b);
        break;
    case TSimKind::dc_motor:
        if (b[1] == command::motor) receive_motor(b);
        break;
    case TSimKind::bootloader: receive_firmware_line(b); break;
    }
}

void TSimBoard::receive_main(const TReportBuffer& b) {
    switch (b[1]) {
    case command::outputs: receive_outputs(b); break;
    case command::displays: receive_display(b); break;
    case command::main_adc_enable: receive_adc_enable(b[2]); break;
    case command::configuration: send_configuration(); break;
    case command::acknowledge: send_inputs(); break;
    default: break;
    }
}

void TSimBoard::receive_outputs(const TReportBuffer& b) {
    const TReportBuffer old = outputs_;
    outputs_ = b;
    for (int address : output_addresses) {
        if (!has(address)) continue;
        const TOutputGroup group = *output_group(address);
        for (int n = 1; n <= group.count; ++n) {
            const TOutputBit bit = output_bit(group, n);
            const bool now = b[bit.byte] & bit.mask;
            if (now != static_cast<bool>(old[bit.byte] & bit.mask))
                trace("sim " + name(address) + " output " + std::to_string(n) +
                      (now ? " 1" : " 0"));
        }
    }
}

void TSimBoard::receive_display(const TReportBuffer& b) {
    const int address = b[2];
    if (!in(address, first_display, first_display + 4) || !has(address)) return;
    TReportBuffer& image = displays_[static_cast<std::size_t>(address - first_display)];
    const TReportBuffer old = image;
    image = b;
    trace("sim " + name(address) + " display \"" + display_text(address) + "\"");
    for (int block = 1; block <= 4; ++block)
        if (old[34 + static_cast<std::size_t>(block)] != b[34 + static_cast<std::size_t>(block)])
            trace("sim " + name(address) + " intensity " + std::to_string(block) + " " +
                  std::to_string(intensity(address, block)));
}

void TSimBoard::receive_adc_enable(std::uint8_t mask) {
    if (mask == adc_enable_) return;
    adc_enable_ = mask;
    trace("sim " + name(own_slot) + " adc-enable " + std::to_string(mask));
    send_axes(own_slot);
}

void TSimBoard::receive_servo_enable(std::uint8_t mask) {
    if (mask == servo_enable_) return;
    servo_enable_ = mask;
    trace("sim " + name(own_slot) + " servo-enable " + std::to_string(mask));
}

void TSimBoard::receive_servo_positions(const TReportBuffer& b) {
    for (int n = 1; n <= board_axes; ++n) {
        const int position = b[1 + static_cast<std::size_t>(n)];
        int& current = servo_positions_[static_cast<std::size_t>(n)];
        if (position == current) continue;
        current = position;
        trace("sim " + name(own_slot) + " servo " + std::to_string(n) + " " +
              std::to_string(position));
    }
}

void TSimBoard::receive_motor(const TReportBuffer& b) {
    motor_ = {b[2], b[3], b[4]};
    trace("sim " + name(own_slot) + " motor " + std::to_string(motor_.speed) + " " +
          std::to_string(motor_.direction) + " " + std::to_string(motor_.brake));
}

// The bootloader asks for the next line after each one (status 17) and
// reports the end once the end-of-file record has arrived.
void TSimBoard::receive_firmware_line(const TReportBuffer& b) {
    constexpr std::string_view end_record = ":00000001FF";
    const std::string_view line(reinterpret_cast<const char*>(b.data() + 1), report_data_size);
    const bool last = line.substr(0, end_record.size()) == end_record;
    TReportData status{};
    status[5] = last ? 4 : 17;
    status[10] = last ? 1 : 0;
    send(status);
}

// ---- reports to the program

void TSimBoard::send_inputs() const {
    TReportData d = input_bytes_;
    d[0] = report_type::inputs;
    d[1] = 0;
    send(d);
}

void TSimBoard::send_configuration() const {
    TReportData d{};
    d[0] = report_type::configuration;
    for (int a = 0; a < expansion_count; ++a)
        if (config_.expansions[static_cast<std::size_t>(a)]) set_bit_of(d.data() + 2, a + 1, true);
    d[10] = static_cast<std::uint8_t>(firmware_major(config_.kind));
    d[11] = 0;
    send(d);
}

int TSimBoard::reported_axis(int k) const {
    return (adc_enable_ >> (k - 1)) & 1 ? axes_[static_cast<std::size_t>(k)] : 0;
}

// Disabled axes read 0 in the reports.
void TSimBoard::send_axes(int address) const {
    TReportData d{};
    switch (config_.kind) {
    case TSimKind::main:
        d[0] = report_type::adc;
        if (address == own_slot) {
            for (int k = 1; k <= main_axes; ++k)
                put_reading(d, 2 * k, reported_axis(k));
        } else {
            d[1] = static_cast<std::uint8_t>(address);
            const auto& adcs = expansion_adcs_[static_cast<std::size_t>(address - first_servo_adc)];
            for (int k = 1; k <= expansion_adcs; ++k)
                put_reading(d, 2 * k, adcs[static_cast<std::size_t>(k)]);
        }
        break;
    case TSimKind::joystick:
        for (int k = 1; k <= board_axes; ++k)
            put_reading(d, 2 * k - 2, reported_axis(k));
        std::copy_n(input_bytes_.begin() + 16, 4, d.begin() + 16);
        d[30] = static_cast<std::uint8_t>(firmware_major(config_.kind));
        break;
    case TSimKind::servo:
        for (int k = 1; k <= board_axes; ++k)
            put_reading(d, 2 * k - 2, reported_axis(k));
        d[16] = static_cast<std::uint8_t>(firmware_major(config_.kind));
        break;
    case TSimKind::dc_motor:
        d[0] = report_type::motor_feedback;
        d[1] = static_cast<std::uint8_t>(axes_[1]);
        d[2] = static_cast<std::uint8_t>(axes_[2]);
        break;
    case TSimKind::bootloader: return;
    }
    send(d);
}

// ---- stimuli

bool TSimBoard::set_input(int address, int n, bool level) {
    const TInputGroup* group = input_group(config_.kind, address);
    if (!group || n < 1 || n > sim_reach(config_, address).inputs) return false;
    std::uint8_t* bits = input_bytes_.data() + group->first;
    if (bit_of(bits, n) == level) return true;
    set_bit_of(bits, n, level);
    if (config_.kind == TSimKind::joystick)
        send_axes(own_slot);
    else
        send_inputs();
    return true;
}

bool TSimBoard::set_axis(int address, int k, int value) {
    const TSimReach reach = sim_reach(config_, address);
    if (k < 1 || k > reach.axes || value < 0 || value > reach.max_axis_value) return false;
    int& reading = address == own_slot
                       ? axes_[static_cast<std::size_t>(k)]
                       : expansion_adcs_[static_cast<std::size_t>(address - first_servo_adc)]
                                        [static_cast<std::size_t>(k)];
    if (reading == value) return true;
    reading = value;
    const bool reported =
        address != own_slot || config_.kind == TSimKind::dc_motor || ((adc_enable_ >> (k - 1)) & 1);
    if (reported) send_axes(address);
    return true;
}

// ---- what the board shows

bool TSimBoard::output(int address, int n) const {
    const std::optional<TOutputGroup> group = output_group(address);
    if (!has(address) || !group || n < 1 || n > group->count) return false;
    const TOutputBit bit = output_bit(*group, n);
    return outputs_[bit.byte] & bit.mask;
}

const TReportBuffer* TSimBoard::display_image(int address) const {
    if (!in(address, first_display, first_display + 4) || !has(address)) return nullptr;
    return &displays_[static_cast<std::size_t>(address - first_display)];
}

std::string TSimBoard::display_text(int address) const {
    std::string text;
    const TReportBuffer* image = display_image(address);
    if (!image) return text;
    for (std::size_t digit = 32; digit >= 1; --digit) {
        const std::uint8_t pattern = (*image)[digit + 2];
        text += segments_character(pattern & static_cast<std::uint8_t>(~decimal_point));
        if (pattern & decimal_point) text += '.';
    }
    return text;
}

int TSimBoard::intensity(int address, int block) const {
    const TReportBuffer* image = display_image(address);
    if (!image || block < 1 || block > 4) return 0;
    return (*image)[34 + static_cast<std::size_t>(block)];
}

} // namespace veltran
