#pragma once
// The controller for real boards: hidapi on hidraw enumerates and opens the
// devices, one reader thread per checked-out device waits for its input
// reports, and a udev monitor (or, without a udev daemon, a one-second
// enumeration) notices arrivals and removals.

#include "boards/hid_controller.h"

#include <memory>

namespace veltran {

class THidapiController : public THidController {
public:
    THidapiController();
    ~THidapiController() override;

protected:
    std::vector<THidDeviceInfo> scan() override;
    std::shared_ptr<THidDevice> open(const THidDeviceInfo& info) override;

private:
    struct TWatcher;
    std::unique_ptr<TWatcher> watcher_;
};

} // namespace veltran
