#pragma once
// The ten script timers shared by all modules: a timer created by any module
// fires the timer procedure of every running module, on the GUI event loop.
// Each timer remembers the module that created it, so that stopping one
// module frees its own timers and leaves the other modules' running.

#include "host/module_events.h"

#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace veltran {

inline constexpr std::int64_t timer_slot_count = 10;

// "OnTimer0".."OnTimer9".
std::string_view timer_procedure(std::int64_t id);

class TTIMERS {
public:
    TTIMERS(std::int64_t id, std::int64_t interval_ms, TModuleOwner owner, TModuleEvents& events);

    std::int64_t id() const { return id_; }
    TModuleOwner owner() const { return owner_; }
    int interval() const { return timer_.interval(); }
    // Whether the timer is switched on. With an interval of 0 it never fires
    // but still counts as on, as a GUI timer without interval does.
    bool enabled() const { return enabled_; }
    void set_enabled(bool on);
    bool delivering() const { return delivering_; }

private:
    void tick();

    std::int64_t id_;
    TModuleOwner owner_;
    TModuleEvents& events_;
    QTimer timer_;
    bool enabled_ = false;
    bool delivering_ = false;
};

class TScriptTimers {
public:
    explicit TScriptTimers(TModuleEvents& events);
    ~TScriptTimers();
    TScriptTimers(const TScriptTimers&) = delete;
    TScriptTimers& operator=(const TScriptTimers&) = delete;

    // CreateTimer: for a free slot 0..9, a timer with that id and interval
    // that starts at once; anything else creates nothing. Intervals below the
    // GUI timers' 10 ms are raised to it.
    void create_timer(std::int64_t id, std::int64_t interval_ms, TModuleOwner owner = 0);
    // SetTimer: switches the timer in slot id on or off, if there is one.
    void set_timer(std::int64_t id, bool on);
    // GetTimer: whether the timer in slot id is on; nothing without a timer.
    std::optional<bool> get_timer(std::int64_t id) const;
    const TTIMERS* timer(std::int64_t id) const;

    // Stop of a module and destruction of its host: the slots of its timers
    // are emptied.
    void free_owned(TModuleOwner owner);
    void free_all();

private:
    TTIMERS* slot(std::int64_t id) const;
    template <typename Doomed> void free_if(Doomed doomed);
    void delete_retired();

    TModuleEvents& events_;
    std::array<std::unique_ptr<TTIMERS>, timer_slot_count> timer_slots_;
    // Freed while their own tick was being delivered (a Stop from inside a
    // script's log call): kept stopped until that tick has returned.
    std::vector<std::unique_ptr<TTIMERS>> retired_;
};

} // namespace veltran
