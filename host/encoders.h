#pragma once
// The encoder table shared by all modules: rotary encoders on pairs of board
// inputs, decoded from the input levels of every board report into values
// that stay within their range and are announced to the running modules.
// Every record remembers the module that registered it: stopping a module
// frees its own records, and a registration takes the first free record, so
// the ids of the other modules' encoders never change under them.

#include "host/day_clock.h"
#include "host/module_events.h"
#include "shell/shell_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

inline constexpr std::int32_t encoder_records = 1001;

// The levels of in1 and in2 as a two-bit number (in1 high), or none yet.
using TLevelPair = std::int8_t;
inline constexpr TLevelPair no_levels = -1;

struct tencoder {
    std::int32_t id = 0;
    std::int32_t in1 = 0; // 1-based board inputs giving the A and B levels
    std::int32_t in2 = 0;
    std::optional<double> time_; // time of day of the last step
    std::int32_t val_max = 0;
    std::int32_t val_min = 0;
    std::int32_t value = 0;
    std::int32_t recursive = 0; // 1 wraps around at the range ends, else stops there
    std::string sn;             // board name the inputs belong to
    std::int32_t anterior = 0;  // last value announced
    bool mediocliclo = false;   // half-cycle decoding
    std::int32_t tipoencoder = -1;
    TLevelPair ante_medio = no_levels;    // previous pair (full-cycle and pattern decoding)
    std::int8_t ante_mediom = -1;         // previous four-level sequence, -1 for none
    TLevelPair anterior_code = no_levels; // previous pair (half-cycle decoding)
    float velocidad = 0;                  // fast-turn threshold, in units of 0.864 ms
    std::int32_t code = -1;               // module id of a request encoder
    std::int32_t request = -1;            // request index of a request encoder
    bool in_use = false;
    TModuleOwner owner = 0;
};

// What RegEncoder, RegEncoderExt and the module host's ENCODER requests give.
struct TEncoderSetup {
    std::string_view sn;
    std::int32_t in1 = 0;
    std::int32_t in2 = 0;
    std::int32_t request = -1;
    std::int32_t code = -1;
    float speed = 0;
    std::int32_t init = 0;
    std::int32_t recursive = 0;
    std::int32_t max = 0;
    std::int32_t min = 0;
    TModuleOwner owner = 0; // the module registering it
};

class TEncoderTable {
public:
    TEncoderTable(TModuleEvents& events, TShell& shell, const TDayClock& clock);

    // Registers into the first free record and returns its id; -1 once all
    // 1001 records are taken. The record starts with no known levels.
    std::int32_t reg_encoder(const TEncoderSetup& setup, bool half);
    std::int32_t reg_encoder_ext(const TEncoderSetup& setup, std::int32_t type);

    // One decoding step with the new levels ('1' is high, anything else low)
    // of in1 and in2; returns the new value, 0 for an unregistered index.
    // The same levels again change nothing.
    std::int32_t step_encoder(std::int32_t index, char a, char b);
    void notify_encoder(std::int32_t index, std::int32_t value);

    // One input report of the board named `board` (serial, with "-EXP" and the
    // number for an expansion): steps every encoder on that board whose inputs
    // changed between the previous report's input string and this one.
    void feed(std::string_view board, std::string_view old_inputs, std::string_view new_inputs);

    // GetEncoder and SetEncValue. An id that is not registered reads as 0 and
    // cannot be set. A set value counts as announced, so the next turn is
    // announced whichever way it goes; the set itself announces nothing.
    std::int32_t get_encoder(std::int32_t id) const;
    void set_enc_value(std::int32_t id, std::int32_t value);

    // Stop of a module and destruction of its host: its records become free.
    void free_owned(TModuleOwner owner);
    // Every record becomes free; later registrations start at id 0.
    void clear();
    // One past the last record in use: with no gaps, the number registered.
    std::int32_t n_encoders() const { return n_encoders_; }

private:
    tencoder* fill_record(const TEncoderSetup& setup);
    bool registered(std::int32_t id) const {
        return id >= 0 && id < n_encoders_ && encoders_[static_cast<std::size_t>(id)].in_use;
    }
    std::int64_t turn_step(tencoder& e);
    void write_pattern_debug(std::int32_t seq8, std::int64_t value);

    TModuleEvents& events_;
    TShell& shell_;
    const TDayClock& clock_;
    std::vector<tencoder> encoders_;
    std::int32_t n_encoders_ = 0;
};

} // namespace veltran
