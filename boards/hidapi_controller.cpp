#include "boards/hidapi_controller.h"

#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <hidapi/hidapi.h>
#include <libudev.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <thread>

namespace veltran {
namespace {

class THidapiDevice : public THidDevice {
public:
    THidapiDevice(THidDeviceInfo info, hid_device* handle, int sleep_ms)
        : THidDevice(std::move(info)), handle_(handle), sleep_ms_(sleep_ms) {}
    ~THidapiDevice() override {
        close();
        hid_close(handle_);
    }

protected:
    void write_report(const std::uint8_t* report, std::size_t length) override {
        hid_write(handle_, report, length);
    }
    void start_reading() override {
        reader_ = std::thread([this] { read_reports(); });
    }
    void stop_reading() override {
        stop_ = true;
        if (reader_.joinable()) reader_.join();
    }

private:
    // Reads one report at a time and waits until the GUI thread has handled
    // it; after a failed read it waits one sleep time, so that a device that
    // was pulled out does not flood the GUI thread until its removal is seen.
    void read_reports() {
        std::array<std::uint8_t, report_buffer_size> buffer{};
        while (!stop_) {
            errno = 0;
            const int n = hid_read_timeout(handle_, buffer.data(), buffer.size(), sleep_ms_);
            if (stop_) break;
            if (n > 0) {
                post_report(buffer.data(), static_cast<std::size_t>(n));
                if (!wait_handled()) break;
            } else if (n < 0) {
                post_error(errno);
                if (!wait_handled() || wait_closed_for(std::chrono::milliseconds(sleep_ms_))) break;
            }
        }
    }

    hid_device* handle_;
    int sleep_ms_;
    std::atomic<bool> stop_ = false;
    std::thread reader_;
};

constexpr int poll_interval_ms = 1000;

} // namespace

// Arrivals and removals: the udev monitor when a udev daemon runs, else a
// periodic rescan (containers and minimal systems have no udev events).
struct THidapiController::TWatcher {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    std::unique_ptr<QSocketNotifier> notifier;
    QTimer poll;

    ~TWatcher() {
        notifier.reset();
        if (monitor) udev_monitor_unref(monitor);
        if (context) udev_unref(context);
    }

    bool watch_udev() {
        if (!std::filesystem::exists("/run/udev/control")) return false;
        context = udev_new();
        if (!context) return false;
        monitor = udev_monitor_new_from_netlink(context, "udev");
        if (!monitor ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor) < 0)
            return false;
        notifier =
            std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor), QSocketNotifier::Read);
        return true;
    }

    // Empties the monitor's queue; the events themselves only say "rescan".
    void drain() {
        while (udev_device* device = udev_monitor_receive_device(monitor))
            udev_device_unref(device);
    }
};

THidapiController::THidapiController() : watcher_(std::make_unique<TWatcher>()) {
    hid_init();
    if (watcher_->watch_udev()) {
        QObject::connect(watcher_->notifier.get(), &QSocketNotifier::activated, [this] {
            watcher_->drain();
            notify_device_change();
        });
    } else {
        QObject::connect(&watcher_->poll, &QTimer::timeout, [this] { notify_device_change(); });
        watcher_->poll.start(poll_interval_ms);
    }
}

THidapiController::~THidapiController() {
    watcher_.reset();
    check_in_all();
    hid_exit();
}

std::vector<THidDeviceInfo> THidapiController::scan() {
    std::vector<THidDeviceInfo> devices;
    hid_device_info* all = hid_enumerate(0, 0);
    for (const hid_device_info* d = all; d; d = d->next)
        devices.push_back(
            {d->path ? d->path : "", d->vendor_id, d->product_id,
             QString::fromWCharArray(d->serial_number ? d->serial_number : L"").toStdString()});
    hid_free_enumeration(all);
    return devices;
}

std::shared_ptr<THidDevice> THidapiController::open(const THidDeviceInfo& info) {
    hid_device* handle = hid_open_path(info.path.c_str());
    if (!handle) return nullptr;
    return std::make_shared<THidapiDevice>(info, handle, device_thread_sleep_time());
}

} // namespace veltran
