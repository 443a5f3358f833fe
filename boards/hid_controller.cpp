#include "boards/hid_controller.h"

#include <algorithm>

namespace veltran {
namespace {

std::vector<std::string> paths_of(const std::vector<THidDeviceInfo>& devices) {
    std::vector<std::string> paths;
    paths.reserve(devices.size());
    for (const THidDeviceInfo& d : devices)
        paths.push_back(d.path);
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

THidController::THidController() {
    QMetaObject::invokeMethod(
        &gui_, [this] { rescan(true); }, Qt::QueuedConnection);
}

THidController::~THidController() {
    check_in_all();
}

void THidController::set_device_change_handler(TChangeHandler handler) {
    on_change_ = std::move(handler);
    rescan(true);
}

void THidController::rescan(bool always) {
    std::vector<std::string> paths = paths_of(scan());
    const bool changed = paths != last_scan_;
    last_scan_ = std::move(paths);
    if ((changed || always) && on_change_) on_change_();
}

void THidController::notify_device_change() {
    QMetaObject::invokeMethod(
        &gui_, [this] { rescan(false); }, Qt::QueuedConnection);
}

void THidController::enumerate() {
    enumerated_ = scan();
    for (std::size_t i = 0; i < enumerated_.size(); ++i)
        if (on_enumerate_ && !on_enumerate_(enumerated_[i], static_cast<int>(i))) break;
}

std::shared_ptr<THidDevice> THidController::check_out(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= enumerated_.size()) return nullptr;
    const THidDeviceInfo& info = enumerated_[static_cast<std::size_t>(index)];
    const bool taken = std::any_of(checked_out_.begin(), checked_out_.end(),
                                   [&](const auto& d) { return d->path() == info.path; });
    if (taken) return nullptr;
    std::shared_ptr<THidDevice> device = open(info);
    if (!device) return nullptr;
    checked_out_.push_back(device);
    device->attach(this, &gui_);
    return device;
}

void THidController::check_in(const std::shared_ptr<THidDevice>& device) {
    const std::shared_ptr<THidDevice> keep = device; // the argument may be an element of the list
    const auto it = std::find(checked_out_.begin(), checked_out_.end(), keep);
    if (!keep || it == checked_out_.end()) return;
    checked_out_.erase(it);
    keep->close();
}

void THidController::check_in_all() {
    while (!checked_out_.empty())
        check_in(checked_out_.back());
}

void THidController::dispatch(THidDevice& device, const THidInput& input) {
    if (input.is_error) {
        if (on_error_) on_error_(device, input.error_code);
    } else if (on_data_) {
        on_data_(device, 0, std::span<const std::uint8_t>(input.data.data(), input.size));
    }
}

} // namespace veltran
