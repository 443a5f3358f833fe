#pragma once
// A simulated board: the firmware of one board kind as a software model.
// It takes the program's commands into visible state (outputs, display
// digits and intensities, servo positions, enables, motor), answers the
// configuration request, and sends input reports laid out as the real
// boards lay them out when an input switches or an axis moves.

#include "boards/board_record.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace veltran {

enum class TSimKind { main, joystick, servo, dc_motor, bootloader };

std::optional<TSimKind> sim_kind_named(std::string_view name);
std::uint16_t sim_product_id(TSimKind kind);

struct TSimBoardConfig {
    std::string serial;
    TSimKind kind = TSimKind::main;
    std::bitset<expansion_count> expansions; // addresses a main board reports as present
};

// What a stimulus can reach at one address of a board (64 = the board
// itself): how many inputs, how many axes and the largest axis reading.
struct TSimReach {
    int inputs = 0;
    int axes = 0;
    int max_axis_value = 0;
};

TSimReach sim_reach(const TSimBoardConfig& board, int address);

// One line of what a board shows, as `--sim-trace` prints it.
using TSimTrace = std::function<void(std::string_view line)>;
// Where the board's input reports go while a program has it open.
using TSimSender = std::function<void(const TReportData& report)>;

class TSimBoard {
public:
    TSimBoard(TSimBoardConfig config, TSimTrace trace);

    const TSimBoardConfig& config() const { return config_; }
    const std::string& serial() const { return config_.serial; }

    // A program opened the board (joystick and servo/ADC boards then send
    // their first report) or closed it again; `owner` tells the openings
    // apart, so that closing a stale one leaves a newer one alone.
    void attach_sender(TSimSender sender, const void* owner);
    void detach_sender(const void* owner);
    // Unplugged, the board loses power: what the commands set is gone, the
    // switches and axes stay where they are, and it neither reads nor sends.
    void power_off();
    void power_on();
    bool powered() const { return powered_; }
    // How often the board was plugged in again: each time it is a new device.
    int power_cycles() const { return power_cycles_; }

    // One output report from the program; report[0] is the report ID.
    void receive(const std::uint8_t* report, std::size_t length);

    // Stimuli; false when the board has no such input or axis. A change
    // sends the report the real board sends for it.
    bool set_input(int address, int n, bool level);
    bool set_axis(int address, int k, int value);

    // What the board shows.
    bool output(int address, int n) const;
    std::string display_text(int address) const; // digit 32 first
    int intensity(int address, int block) const;
    int servo_position(int n) const { return servo_positions_[static_cast<std::size_t>(n)]; }
    int adc_enable() const { return adc_enable_; }
    int servo_enable() const { return servo_enable_; }
    struct TMotor {
        int speed = 0, direction = 0, brake = 0;
    };
    TMotor motor() const { return motor_; }

private:
    bool has(int address) const;
    const TReportBuffer* display_image(int address) const;
    std::string name(int address) const;
    void trace(const std::string& line) const;
    void send(const TReportData& report) const;

    void receive_main(const TReportBuffer& b);
    void receive_outputs(const TReportBuffer& b);
    void receive_display(const TReportBuffer& b);
    void receive_adc_enable(std::uint8_t mask);
    void receive_servo_enable(std::uint8_t mask);
    void receive_servo_positions(const TReportBuffer& b);
    void receive_motor(const TReportBuffer& b);
    void receive_firmware_line(const TReportBuffer& b);

    void send_inputs() const;
    void send_axes(int address) const;
    void send_configuration() const;
    int reported_axis(int k) const;

    TSimBoardConfig config_;
    TSimTrace trace_;
    TSimSender sender_;
    const void* sender_owner_ = nullptr;
    bool powered_ = true;
    int power_cycles_ = 0;
    TReportData input_bytes_{}; // at the data bytes the input report carries them
    std::array<int, 9> axes_{}; // axes 1..8 (DC motor: feedback 1 and 2)
    std::array<std::array<int, 17>, 5> expansion_adcs_{}; // addresses 20..24, ADCs 1..16
    TReportBuffer outputs_{};
    std::array<TReportBuffer, 5> displays_{}; // addresses 15..19
    int adc_enable_ = 0;
    int servo_enable_ = 0;
    std::array<int, 9> servo_positions_{};
    TMotor motor_;
};

} // namespace veltran
