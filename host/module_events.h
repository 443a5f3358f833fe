#pragma once
// How the encoder decoder and the script timers reach the scripts: the module
// manager delivers each call to every running module in slot order. Both
// calls are made on the GUI thread and may run script code that registers
// encoders, creates timers or stops modules before they return.

#include <cstdint>
#include <string_view>

namespace veltran {

class TModuleEvents {
public:
    virtual ~TModuleEvents() = default;
    // "OnEncoderChange" with the encoder id and its new value.
    virtual void encoder_changed(std::int32_t id, std::int32_t value) = 0;
    // A timer elapsed: the procedure without arguments "OnTimer0".."OnTimer9".
    virtual void timer_elapsed(std::string_view procedure) = 0;
};

} // namespace veltran
