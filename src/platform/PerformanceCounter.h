#pragma once
// A fast-moving counter to seed random choices from, like a hardware performance counter.
#include <cstdint>

namespace pictavo {

// The monotonic clock in nanoseconds, its low 32 bits (wraps about every 4.3 seconds).
std::uint32_t PerformanceCounterLow32();

}  // namespace pictavo
