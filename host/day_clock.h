#pragma once
// The time of day as a fraction of a day, which the encoder decoder compares
// between two steps to tell a fast turn from a slow one.

namespace veltran {

class TDayClock {
public:
    virtual ~TDayClock() = default;
    // In [0, 1): 0 at the start of a day, 0.5 at its middle.
    virtual double time_of_day() const = 0;
};

// A day-long cycle of the monotonic clock: only the difference between two
// readings matters, and unlike the wall clock it never jumps when the system
// time is set or daylight saving changes.
class TSteadyDayClock final : public TDayClock {
public:
    double time_of_day() const override;
};

} // namespace veltran
