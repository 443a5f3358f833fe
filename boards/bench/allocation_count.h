#pragma once
// The heap allocations of a benchmark program: linking allocation_count.cpp
// replaces the global operator new with one that counts its calls.

#include <cstdint>

namespace veltran::bench {

// Every operator new since the program started.
std::int64_t allocations_so_far();

} // namespace veltran::bench
