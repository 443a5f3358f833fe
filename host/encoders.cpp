#include "host/encoders.h"

#include "engine/text.h"

#include <algorithm>
#include <string>

namespace veltran {
namespace {

// A sequence is the new pair followed by the previous one, read as binary
// digits in that order: "1000" (new 10, previous 00) is 0b1000.
using TSequenceSet = std::uint16_t;

constexpr TSequenceSet sequences(std::initializer_list<int> codes) {
    TSequenceSet set = 0;
    for (int code : codes)
        set = static_cast<TSequenceSet>(set | 1u << code);
    return set;
}

constexpr TSequenceSet full_cycle_up = sequences({0b1110, 0b0111, 0b0001, 0b1000});
constexpr TSequenceSet full_cycle_down = sequences({0b0010, 0b0100, 0b1101, 0b1011});
constexpr TSequenceSet pattern_still = sequences({0b1111, 0b0101, 0b0000, 0b1010});
constexpr std::int32_t pattern_down_a = 0b11010100;
constexpr std::int32_t pattern_down_b = 0b00101011;

constexpr TLevelPair half_cycle_from = 0b11;
constexpr TLevelPair half_cycle_up = 0b01;
constexpr TLevelPair half_cycle_down = 0b10;

constexpr std::int32_t full_cycle_type = -1;
constexpr std::int64_t slow_step = 1;
constexpr std::int64_t fast_step = 10;
// velocidad counts in hundred-millionths of a day (0.864 ms).
constexpr double speed_units_per_day = 100000000.0;

TLevelPair levels(char a, char b) {
    return static_cast<TLevelPair>((a == '1') << 1 | (b == '1'));
}

// The four-level sequence of a pair after a known pair, or -1.
std::int32_t sequence(TLevelPair pair, TLevelPair previous) {
    return previous == no_levels ? -1 : pair << 2 | previous;
}

bool in_set(TSequenceSet set, std::int32_t seq) {
    return seq >= 0 && (set >> seq & 1u);
}

std::optional<char> level_at(std::string_view inputs, std::int32_t input) {
    if (input < 1 || static_cast<std::size_t>(input) > inputs.size()) return std::nullopt;
    return inputs[static_cast<std::size_t>(input) - 1];
}

// A level of the previous report; '-' stands for a state not known yet.
std::optional<char> known_level_at(std::string_view inputs, std::int32_t input) {
    const std::optional<char> level = level_at(inputs, input);
    if (level == '0' || level == '1') return level;
    return std::nullopt;
}

std::int64_t half_cycle_change(tencoder& e, TLevelPair pair) {
    std::int64_t change = 0;
    if (e.anterior_code == half_cycle_from && pair == half_cycle_up) change = 1;
    if (e.anterior_code == half_cycle_from && pair == half_cycle_down) change = -1;
    e.anterior_code = pair;
    return change;
}

std::int64_t full_cycle_change(tencoder& e, TLevelPair pair) {
    const std::int32_t seq = sequence(pair, e.ante_medio);
    e.ante_medio = pair;
    if (in_set(full_cycle_down, seq)) return -1;
    if (in_set(full_cycle_up, seq)) return 1;
    return 0;
}

// The eight-level sequence that moved a pattern encoder down, or -1.
std::int32_t pattern_down_sequence(tencoder& e, TLevelPair pair) {
    const std::int32_t seq = sequence(pair, e.ante_medio);
    e.ante_medio = pair;
    if (in_set(pattern_still, seq)) return -1;
    const std::int32_t seq8 = seq < 0 || e.ante_mediom < 0 ? -1 : seq << 4 | e.ante_mediom;
    e.ante_mediom = static_cast<std::int8_t>(seq);
    return seq8 == pattern_down_a || seq8 == pattern_down_b ? seq8 : -1;
}

std::int32_t within_range(const tencoder& e, std::int64_t value) {
    if (e.recursive == 1) {
        if (value > e.val_max) value = e.val_min;
        if (value < e.val_min) value = e.val_max;
    } else {
        if (value > e.val_max) value = e.val_max;
        if (value < e.val_min) value = e.val_min;
    }
    return static_cast<std::int32_t>(value);
}

// The first report after a registration tells the levels the encoder rests at.
void learn_levels_if_unknown(tencoder& e, TLevelPair pair) {
    if (e.ante_medio == no_levels) e.ante_medio = pair;
    if (e.anterior_code == no_levels) e.anterior_code = pair;
}

} // namespace

TEncoderTable::TEncoderTable(TModuleEvents& events, TShell& shell, const TDayClock& clock)
    : events_(events), shell_(shell), clock_(clock), encoders_(encoder_records) {}

tencoder* TEncoderTable::fill_record(const TEncoderSetup& setup) {
    std::int32_t id = 0;
    while (id < encoder_records && encoders_[static_cast<std::size_t>(id)].in_use)
        ++id;
    if (id == encoder_records) return nullptr;
    tencoder& e = encoders_[static_cast<std::size_t>(id)];
    e = tencoder{};
    e.id = id;
    e.in_use = true;
    e.owner = setup.owner;
    n_encoders_ = std::max(n_encoders_, id + 1);
    e.in1 = setup.in1;
    e.in2 = setup.in2;
    e.val_min = setup.min;
    e.val_max = setup.max;
    e.recursive = setup.recursive;
    e.value = setup.init;
    e.anterior = setup.init;
    e.sn = setup.sn;
    e.velocidad = setup.speed;
    e.code = setup.code;
    e.request = setup.request;
    return &e;
}

std::int32_t TEncoderTable::reg_encoder(const TEncoderSetup& setup, bool half) {
    tencoder* e = fill_record(setup);
    if (!e) return -1;
    e->mediocliclo = half;
    e->tipoencoder = full_cycle_type;
    return e->id;
}

std::int32_t TEncoderTable::reg_encoder_ext(const TEncoderSetup& setup, std::int32_t type) {
    tencoder* e = fill_record(setup);
    if (!e) return -1;
    e->mediocliclo = false;
    e->tipoencoder = type;
    return e->id;
}

void TEncoderTable::free_owned(TModuleOwner owner) {
    for (std::int32_t i = 0; i < n_encoders_; ++i) {
        tencoder& e = encoders_[static_cast<std::size_t>(i)];
        if (e.owner == owner) e.in_use = false;
    }
    while (n_encoders_ > 0 && !encoders_[static_cast<std::size_t>(n_encoders_) - 1].in_use)
        --n_encoders_;
}

void TEncoderTable::clear() {
    for (std::int32_t i = 0; i < n_encoders_; ++i)
        encoders_[static_cast<std::size_t>(i)].in_use = false;
    n_encoders_ = 0;
}

std::int64_t TEncoderTable::turn_step(tencoder& e) {
    const double now = clock_.time_of_day();
    bool slow = !e.time_ || e.velocidad == 0;
    if (!slow) {
        double elapsed = now - *e.time_;
        if (elapsed < 0) elapsed += 1; // the day turned over between the two steps
        slow = elapsed * speed_units_per_day > e.velocidad;
    }
    e.time_ = now;
    return slow ? slow_step : fast_step;
}

std::int32_t TEncoderTable::step_encoder(std::int32_t index, char a, char b) {
    if (!registered(index)) return 0;
    tencoder& e = encoders_[static_cast<std::size_t>(index)];
    const TLevelPair pair = levels(a, b);
    const std::int64_t step = turn_step(e);
    std::int64_t value = e.value;
    std::int32_t pattern_seq8 = -1;
    if (e.mediocliclo) {
        value += half_cycle_change(e, pair) * step;
    } else if (e.tipoencoder == full_cycle_type) {
        value += full_cycle_change(e, pair) * step;
    } else {
        pattern_seq8 = pattern_down_sequence(e, pair);
        if (pattern_seq8 >= 0) --value;
    }
    const std::int32_t result = within_range(e, value);
    e.value = result;
    const bool changed = result != e.anterior;
    if (changed) e.anterior = result;
    // Both calls below may run scripts that reuse this record; it is not touched again.
    if (pattern_seq8 >= 0) write_pattern_debug(pattern_seq8, value);
    if (changed) notify_encoder(index, result);
    return result;
}

void TEncoderTable::write_pattern_debug(std::int32_t seq8, std::int64_t value) {
    std::string line = "aqui ";
    for (int bit = 7; bit >= 0; --bit)
        line += (seq8 >> bit & 1) ? '1' : '0';
    line += " end= ";
    line += std::to_string(value);
    shell_.add_debug(line);
}

void TEncoderTable::notify_encoder(std::int32_t index, std::int32_t value) {
    events_.encoder_changed(index, value);
}

void TEncoderTable::feed(std::string_view board, std::string_view old_inputs,
                         std::string_view new_inputs) {
    const std::string_view name = trim_view(board);
    // The count is read again on every round: an announcement may register or clear.
    for (std::int32_t i = 0; i < n_encoders_; ++i) {
        tencoder& e = encoders_[static_cast<std::size_t>(i)];
        if (!e.in_use || trim_view(e.sn) != name) continue;
        const std::optional<char> a = level_at(new_inputs, e.in1);
        const std::optional<char> b = level_at(new_inputs, e.in2);
        if (!a || !b) continue;
        const std::optional<char> old_a = known_level_at(old_inputs, e.in1);
        const std::optional<char> old_b = known_level_at(old_inputs, e.in2);
        if (old_a && old_b) {
            if (levels(*old_a, *old_b) == levels(*a, *b)) continue;
            learn_levels_if_unknown(e, levels(*old_a, *old_b));
        }
        step_encoder(i, *a, *b);
    }
}

std::int32_t TEncoderTable::get_encoder(std::int32_t id) const {
    return registered(id) ? encoders_[static_cast<std::size_t>(id)].value : 0;
}

void TEncoderTable::set_enc_value(std::int32_t id, std::int32_t value) {
    if (!registered(id)) return;
    tencoder& e = encoders_[static_cast<std::size_t>(id)];
    e.value = value;
    e.anterior = value;
}

} // namespace veltran
