#pragma once
// Records what the decoder and the timers deliver to the modules.

#include "host/module_events.h"
#include "host/script_timers.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace veltran::testing {

class TFakeModuleEvents : public TModuleEvents {
public:
    void encoder_changed(std::int32_t id, std::int32_t value) override {
        encoder_events.emplace_back(id, value);
        if (on_encoder) on_encoder(id, value);
    }
    void timer_elapsed(std::int64_t id) override {
        timer_events.emplace_back(timer_procedure(id));
        if (on_timer) on_timer(timer_procedure(id));
    }

    std::vector<std::pair<std::int32_t, std::int32_t>> encoder_events;
    std::vector<std::string> timer_events;
    // What a module's script does in its event procedure.
    std::function<void(std::int32_t, std::int32_t)> on_encoder;
    std::function<void(std::string_view)> on_timer;
};

} // namespace veltran::testing
