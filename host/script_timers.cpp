#include "host/script_timers.h"

#include <algorithm>
#include <climits>

namespace veltran {
namespace {

constexpr std::array<std::string_view, timer_slot_count> timer_procedures = {
    "OnTimer0", "OnTimer1", "OnTimer2", "OnTimer3", "OnTimer4",
    "OnTimer5", "OnTimer6", "OnTimer7", "OnTimer8", "OnTimer9"};

// The shortest interval a GUI timer has; scripts were written against it.
constexpr std::int64_t minimum_interval_ms = 10;

int timer_interval(std::int64_t interval_ms) {
    if (interval_ms <= 0) return 0;
    return static_cast<int>(std::clamp<std::int64_t>(interval_ms, minimum_interval_ms, INT_MAX));
}

bool is_slot(std::int64_t id) {
    return id >= 0 && id < timer_slot_count;
}

} // namespace

std::string_view timer_procedure(std::int64_t id) {
    return is_slot(id) ? timer_procedures[static_cast<std::size_t>(id)] : std::string_view{};
}

TTIMERS::TTIMERS(std::int64_t id, std::int64_t interval_ms, TModuleOwner owner,
                 TModuleEvents& events)
    : id_(id), owner_(owner), events_(events) {
    timer_.setInterval(timer_interval(interval_ms));
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { tick(); });
}

void TTIMERS::set_enabled(bool on) {
    enabled_ = on;
    if (on && timer_.interval() > 0)
        timer_.start();
    else
        timer_.stop();
}

void TTIMERS::tick() {
    delivering_ = true;
    events_.timer_elapsed(id_);
    delivering_ = false;
}

TScriptTimers::TScriptTimers(TModuleEvents& events) : events_(events) {}

TScriptTimers::~TScriptTimers() {
    free_all();
}

TTIMERS* TScriptTimers::slot(std::int64_t id) const {
    return is_slot(id) ? timer_slots_[static_cast<std::size_t>(id)].get() : nullptr;
}

const TTIMERS* TScriptTimers::timer(std::int64_t id) const {
    return slot(id);
}

void TScriptTimers::create_timer(std::int64_t id, std::int64_t interval_ms, TModuleOwner owner) {
    if (!is_slot(id) || slot(id)) return;
    delete_retired();
    auto& created = timer_slots_[static_cast<std::size_t>(id)];
    created = std::make_unique<TTIMERS>(id, interval_ms, owner, events_);
    created->set_enabled(true);
}

void TScriptTimers::set_timer(std::int64_t id, bool on) {
    if (TTIMERS* t = slot(id)) t->set_enabled(on);
}

std::optional<bool> TScriptTimers::get_timer(std::int64_t id) const {
    if (const TTIMERS* t = slot(id)) return t->enabled();
    return std::nullopt;
}

template <typename Doomed> void TScriptTimers::free_if(Doomed doomed) {
    delete_retired();
    for (std::unique_ptr<TTIMERS>& t : timer_slots_) {
        if (!t || !doomed(*t)) continue;
        t->set_enabled(false);
        if (t->delivering()) retired_.push_back(std::move(t));
        t.reset();
    }
}

void TScriptTimers::free_owned(TModuleOwner owner) {
    free_if([owner](const TTIMERS& t) { return t.owner() == owner; });
}

void TScriptTimers::free_all() {
    free_if([](const TTIMERS&) { return true; });
}

void TScriptTimers::delete_retired() {
    std::erase_if(retired_, [](const std::unique_ptr<TTIMERS>& t) { return !t->delivering(); });
}

} // namespace veltran
