#include "boards/hid_device.h"

#include "boards/hid_controller.h"

#include <QObject>

#include <algorithm>
#include <cstring>

namespace veltran {

void THidDevice::attach(THidController* controller, QObject* gui) {
    {
        std::lock_guard lock(mutex_);
        controller_ = controller;
        gui_ = gui;
        closed_ = false;
    }
    start_reading();
}

void THidDevice::close() {
    {
        std::lock_guard lock(mutex_);
        if (closed_) return;
        closed_ = true;
        controller_ = nullptr;
        queue_.clear();
    }
    handled_.notify_all();
    stop_reading();
}

bool THidDevice::is_open() const {
    std::lock_guard lock(mutex_);
    return !closed_;
}

void THidDevice::write(const std::uint8_t* report, std::size_t length) {
    if (is_open()) write_report(report, length);
}

void THidDevice::post_report(const std::uint8_t* data, std::size_t size) {
    THidInput input;
    input.size = static_cast<std::uint8_t>(std::min(size, report_data_size));
    if (input.size > 0) std::memcpy(input.data.data(), data, input.size);
    post(input);
}

void THidDevice::post_error(int code) {
    THidInput input;
    input.is_error = true;
    input.error_code = code;
    post(input);
}

void THidDevice::post(THidInput input) {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    queue_.push_back(input);
    if (in_flight_) return;
    in_flight_ = true;
    schedule_delivery();
}

// Called with the mutex held. The device may be checked in and freed before
// the GUI thread gets to the call, hence the weak reference.
void THidDevice::schedule_delivery() {
    QMetaObject::invokeMethod(
        gui_,
        [weak = weak_from_this()] {
            if (auto self = weak.lock()) self->deliver_next();
        },
        Qt::QueuedConnection);
}

void THidDevice::deliver_next() {
    THidInput input;
    THidController* controller = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (closed_ || queue_.empty()) {
            in_flight_ = false;
            handled_.notify_all();
            return;
        }
        input = queue_.front();
        queue_.pop_front();
        controller = controller_;
    }
    controller->dispatch(*this, input);
    {
        std::lock_guard lock(mutex_);
        if (closed_ || queue_.empty()) {
            in_flight_ = false;
        } else {
            schedule_delivery();
        }
    }
    handled_.notify_all();
}

bool THidDevice::wait_handled() {
    std::unique_lock lock(mutex_);
    handled_.wait(lock, [this] { return closed_ || (!in_flight_ && queue_.empty()); });
    return !closed_;
}

bool THidDevice::wait_closed_for(std::chrono::milliseconds time) {
    std::unique_lock lock(mutex_);
    return handled_.wait_for(lock, time, [this] { return closed_; });
}

} // namespace veltran
