#pragma once
// A clock the test sets and moves by hand.

#include "host/day_clock.h"

#include <cmath>

namespace veltran::testing {

class TFakeDayClock : public TDayClock {
public:
    double time_of_day() const override { return now; }
    void advance_ms(double ms) { now = std::fmod(now + ms / milliseconds_per_day, 1.0); }

    static constexpr double milliseconds_per_day = 86400000.0;
    double now = 0.5;
};

} // namespace veltran::testing
