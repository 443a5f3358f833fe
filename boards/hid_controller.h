#pragma once
// The HID device controller of the process: it enumerates the plugged-in HID
// devices, checks devices out and in, hands every input report and read
// error of a checked-out device to the GUI thread, and tells when the set of
// devices has changed. The back ends (hidapi, the board simulator) differ
// only in how they find, open and watch devices.

#include "boards/hid_device.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace veltran {

class THidController {
public:
    using TDataHandler =
        std::function<void(THidDevice&, std::uint8_t report_id, std::span<const std::uint8_t>)>;
    using TErrorHandler = std::function<void(THidDevice&, int code)>;
    using TEnumerationHandler = std::function<bool(const THidDeviceInfo&, int index)>;
    using TChangeHandler = std::function<void()>;

    // Queues the start-up notification: once the event loop runs, the
    // devices are rescanned and the change handler runs, change or not.
    THidController();
    virtual ~THidController();
    THidController(const THidController&) = delete;
    THidController& operator=(const THidController&) = delete;

    void set_device_thread_sleep_time(int milliseconds) { sleep_time_ms_ = milliseconds; }
    int device_thread_sleep_time() const { return sleep_time_ms_; }
    void set_data_handler(TDataHandler handler) { on_data_ = std::move(handler); }
    void set_error_handler(TErrorHandler handler) { on_error_ = std::move(handler); }
    void set_enumeration_handler(TEnumerationHandler handler) {
        on_enumerate_ = std::move(handler);
    }
    // Assigning the handler rescans the devices and runs it at once.
    void set_device_change_handler(TChangeHandler handler);

    // Runs the enumeration handler over the plugged-in devices, with their
    // index for check_out, until it returns false.
    void enumerate();
    // Reserves device `index` of the running enumeration; nothing when it
    // cannot be reserved (already checked out, or the system refuses it).
    std::shared_ptr<THidDevice> check_out(int index);
    // Releases a device and stops its reader; reports still queued are dropped.
    void check_in(const std::shared_ptr<THidDevice>& device);

    // The project started or stopped running (the simulator plays its timed
    // instructions from the start of a run; real devices ignore it).
    virtual void run_started() {}
    virtual void run_stopped() {}

protected:
    virtual std::vector<THidDeviceInfo> scan() = 0;
    virtual std::shared_ptr<THidDevice> open(const THidDeviceInfo& info) = 0;
    // The system reported an arrival or removal: rescan from the event loop,
    // and run the change handler if the devices differ from the last scan.
    void notify_device_change();
    // Back ends whose devices own reader threads call this from their
    // destructor, before their own resources go.
    void check_in_all();

private:
    friend class THidDevice;
    void dispatch(THidDevice& device, const THidInput& input);
    void rescan(bool always);

    int sleep_time_ms_ = 100;
    TDataHandler on_data_;
    TErrorHandler on_error_;
    TEnumerationHandler on_enumerate_;
    TChangeHandler on_change_;
    std::vector<std::string> last_scan_;
    std::vector<THidDeviceInfo> enumerated_;
    std::vector<std::shared_ptr<THidDevice>> checked_out_;
    // Queued calls to the GUI thread go through this object; destroying it
    // drops the ones still waiting.
    QObject gui_;
};

} // namespace veltran
