#pragma once
// One HID device checked out from a controller. Whatever produces its input
// reports (a reader thread, or the simulator on the GUI thread) posts them
// here; the device hands them to the GUI thread one at a time and in order,
// and a reader can wait until the GUI thread has handled what it posted, so
// that it reads the next report only then.

#include "boards/board_record.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

class QObject;

namespace veltran {

class THidController;

// What the controller reports about a plugged-in HID device.
struct THidDeviceInfo {
    std::string path; // the back end's identity of the device
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string serial; // the USB serial-number string
};

// One input report or read error waiting for the GUI thread.
struct THidInput {
    bool is_error = false;
    int error_code = 0;
    std::uint8_t size = 0; // data bytes kept (at most 64)
    TReportData data{};
};

class THidDevice : public std::enable_shared_from_this<THidDevice> {
public:
    explicit THidDevice(THidDeviceInfo info) : info_(std::move(info)) {}
    virtual ~THidDevice() = default;
    THidDevice(const THidDevice&) = delete;
    THidDevice& operator=(const THidDevice&) = delete;

    const std::string& serial() const { return info_.serial; }
    std::uint16_t vendor_id() const { return info_.vendor_id; }
    std::uint16_t product_id() const { return info_.product_id; }
    const std::string& path() const { return info_.path; }

    // Output report length: the report ID and 64 data bytes for every board.
    std::size_t output_report_length() const { return report_buffer_size; }
    // Writes one output report; a failed write is not reported. Nothing is
    // written once the device has been checked in.
    void write(const std::uint8_t* report, std::size_t length);

    bool is_open() const;

protected:
    // Any thread: queue a report (data bytes after the report ID) or a read
    // error for the GUI thread. Dropped once the device is checked in.
    void post_report(const std::uint8_t* data, std::size_t size);
    void post_error(int code);
    // Reader side: waits until the GUI thread has handled everything posted;
    // false when the device was checked in meanwhile.
    bool wait_handled();
    // Reader side: waits up to `time`; true when the device was checked in.
    bool wait_closed_for(std::chrono::milliseconds time);

    virtual void write_report(const std::uint8_t* report, std::size_t length) = 0;
    // Start and stop whatever produces the reports: once at check-out, once
    // at check-in.
    virtual void start_reading() {}
    virtual void stop_reading() {}
    // Check-in; back ends that own a reader also call it from their
    // destructor, so that the reader stops before their members go.
    void close();

private:
    friend class THidController;
    void attach(THidController* controller, QObject* gui);
    void post(THidInput input);
    void schedule_delivery();
    void deliver_next();

    THidDeviceInfo info_;
    mutable std::mutex mutex_;
    std::condition_variable handled_;
    std::deque<THidInput> queue_;
    bool in_flight_ = false;
    bool closed_ = true; // until checked out
    THidController* controller_ = nullptr;
    QObject* gui_ = nullptr;
};

} // namespace veltran
