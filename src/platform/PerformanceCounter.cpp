#include "platform/PerformanceCounter.h"

#include <ctime>

namespace pictavo {

std::uint32_t PerformanceCounterLow32() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t nanoseconds =
        static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
    return static_cast<std::uint32_t>(nanoseconds);
}

}  // namespace pictavo
