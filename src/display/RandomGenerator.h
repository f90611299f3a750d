#pragma once
// The random jump: a linear congruential generator re-seeded from a monotonic counter right
// before every draw, so each jump depends only on when it is made. There is no shuffle and no
// memory of pictures already shown; the new index may equal the old one.
#include <cstdint>
#include <functional>

#include "platform/PerformanceCounter.h"

namespace pictavo {

class RandomGenerator {
public:
    using Counter = std::function<std::uint32_t()>;

    // `counter` supplies the seed of each draw (tests pass a fixed one); the default is the
    // platform's performance counter.
    explicit RandomGenerator(Counter counter = PerformanceCounterLow32);

    // A random index in 0 .. count - 1; 0 when `count` is below 1.
    std::int32_t Draw(std::int32_t count);

    // One step of the generator from `seed` and the index it gives for `count` entries.
    static std::uint32_t Step(std::uint32_t seed);
    static std::int32_t IndexFromSeed(std::uint32_t seed, std::int32_t count);

private:
    Counter counter_;
};

}  // namespace pictavo
