#include "host/day_clock.h"

#include <chrono>

namespace veltran {

double TSteadyDayClock::time_of_day() const {
    using namespace std::chrono;
    constexpr auto day = duration_cast<steady_clock::duration>(days(1));
    const auto into_day = steady_clock::now().time_since_epoch() % day;
    return duration<double>(into_day) / duration<double>(day);
}

} // namespace veltran
