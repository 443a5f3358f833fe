#pragma once
// How the encoder decoder and the script timers reach the scripts: the module
// manager delivers each call to every running module in slot order. Both
// calls are made on the GUI thread and may run script code that registers
// encoders, creates timers or stops modules before they return.

#include <cstdint>

namespace veltran {

// The module host that created a timer or registered an encoder: a token
// unique in the process, so that stopping a module frees only its own.
using TModuleOwner = std::int64_t;

class TModuleEvents {
public:
    virtual ~TModuleEvents() = default;
    // "OnEncoderChange" with the encoder id and its new value.
    virtual void encoder_changed(std::int32_t id, std::int32_t value) = 0;
    // Timer `id` (0..9) elapsed: the procedure without arguments "OnTimer" + id.
    virtual void timer_elapsed(std::int64_t id) = 0;
};

} // namespace veltran
