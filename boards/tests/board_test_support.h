#pragma once
// What the board tests share: a Qt application for the event loop, a HID
// controller whose devices the test plugs in, feeds and reads back, and
// recorders of the decoder's events.

#include "boards/board_events.h"
#include "boards/board_manager.h"
#include "boards/hid_controller.h"
#include "boards/report_layout.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace veltran::test {

inline void ensure_qt_application() {
    static int argc = 1;
    static char name[] = "board_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Runs the event loop until nothing posted is left (bounded).
inline void settle() {
    for (int i = 0; i < 200; ++i)
        QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Runs the event loop until `done` holds or five seconds have passed.
inline bool wait_until(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// A report image with only the given bytes set.
using TBytes = std::vector<std::pair<std::size_t, std::uint8_t>>;

inline TReportData data_of(const TBytes& bytes) {
    TReportData d{};
    for (auto [index, value] : bytes)
        d[index] = value;
    return d;
}

inline TReportBuffer buffer_of(const TBytes& bytes) {
    TReportBuffer b{};
    for (auto [index, value] : bytes)
        b[index] = value;
    return b;
}

class TFakeDevice : public THidDevice {
public:
    using THidDevice::THidDevice;
    std::vector<TReportBuffer> written;

    void send(const TReportData& report) { post_report(report.data(), report.size()); }
    void send_bytes(const std::vector<std::uint8_t>& bytes) {
        post_report(bytes.data(), bytes.size());
    }
    void fail(int code) { post_error(code); }

protected:
    void write_report(const std::uint8_t* report, std::size_t length) override {
        TReportBuffer copy{};
        std::copy_n(report, std::min(length, copy.size()), copy.begin());
        written.push_back(copy);
    }
};

// Devices the test plugs in; every opening is kept, newest last.
class TFakeController : public THidController {
public:
    std::vector<THidDeviceInfo> plugged;
    std::vector<std::shared_ptr<TFakeDevice>> opened;
    int scans = 0;

    void change() { notify_device_change(); }

    TFakeDevice& device(const std::string& serial) {
        for (auto it = opened.rbegin(); it != opened.rend(); ++it)
            if ((*it)->serial() == serial) return **it;
        throw std::runtime_error("no device " + serial);
    }
    std::vector<TReportBuffer>& written(const std::string& serial) {
        return device(serial).written;
    }

protected:
    std::vector<THidDeviceInfo> scan() override {
        ++scans;
        return plugged;
    }
    std::shared_ptr<THidDevice> open(const THidDeviceInfo& info) override {
        auto device = std::make_shared<TFakeDevice>(info);
        opened.push_back(device);
        return device;
    }
};

inline THidDeviceInfo board_info(const std::string& serial, std::uint16_t product,
                                 std::uint16_t vendor = 0x04D8) {
    return {"fake:" + serial + ":" + std::to_string(product) + ":" + std::to_string(vendor), vendor,
            product, serial};
}

// One board of each kind: main, joystick, DC motor, servo/ADC, bootloader.
inline const std::string M = "TALUX0AAAAA";
inline const std::string J = "TALUX1BBBBB";
inline const std::string D = "TALUX2CCCCC";
inline const std::string S = "TALUX3DDDDD";
inline const std::string B = "TALUX8EEEEE";

inline std::vector<THidDeviceInfo> all_kinds() {
    return {board_info(M, 0xDDD0), board_info(J, 0xDDD1), board_info(D, 0xDDD2),
            board_info(S, 0xDDD3), board_info(B, 0xDDE1)};
}

// The decoder's events as text lines, in order.
class TRecordingEvents : public TBoardEvents {
public:
    std::vector<std::string> lines;
    std::function<void()> on_input; // runs inside every input event

    void feed_encoders(std::string_view board, std::string_view old_inputs,
                       std::string_view new_inputs) override {
        lines.push_back("feed " + std::string(board) + " " + std::string(old_inputs) + " " +
                        std::string(new_inputs));
    }
    void input_changed(std::string_view board, int input, char value) override {
        lines.push_back("input " + std::string(board) + " " + std::to_string(input) + " " + value);
        if (on_input) on_input();
    }
    void all_inputs_changed(std::string_view board, std::string_view inputs) override {
        lines.push_back("all " + std::string(board) + " " + std::string(inputs));
    }
    void adc_changed(std::string_view board, int axis, std::int32_t value) override {
        lines.push_back("adc " + std::string(board) + " " + std::to_string(axis) + " " +
                        std::to_string(value));
    }
};

class TRecordingWindows : public TBoardWindows {
public:
    std::vector<std::string> lines;

    void inputs_arrived(std::string_view board, std::string_view inputs) override {
        lines.push_back("inputs " + std::string(board) + " " + std::string(inputs));
    }
    void adc_arrived(std::string_view board, int axis, std::int32_t value) override {
        lines.push_back("adc " + std::string(board) + " " + std::to_string(axis) + " " +
                        std::to_string(value));
    }
    void motor_feedback(std::uint8_t feedback1, std::uint8_t feedback2) override {
        lines.push_back("motor " + std::to_string(feedback1) + " " + std::to_string(feedback2));
    }
    void bootloader_report(ThidComponent& board) override {
        lines.push_back("boot " + board.sn + " " + std::to_string(board.lectura64[5]));
    }
};

// A board manager on fake devices, with a tree and event recorders.
class TBoardsFixture {
public:
    TShell shell;
    THardwareTree tree;
    TRecordingEvents events;
    TRecordingWindows windows;
    TFakeController* hid = nullptr;
    std::unique_ptr<TUSBGEST> boards;

    explicit TBoardsFixture(std::vector<THidDeviceInfo> devices) {
        ensure_qt_application();
        auto controller = std::make_unique<TFakeController>();
        controller->plugged = std::move(devices);
        hid = controller.get();
        boards = std::make_unique<TUSBGEST>(shell, std::move(controller));
        boards->t_hardware = &tree;
        boards->set_events(&events);
        boards->set_windows(&windows);
        settle();
    }

    // A report from a board, decoded once the event loop has handed it over.
    void report(const std::string& serial, const TReportData& data) {
        hid->device(serial).send(data);
        settle();
    }

    const std::vector<std::string>& log() const { return shell.log_list(); }
};

} // namespace veltran::test
