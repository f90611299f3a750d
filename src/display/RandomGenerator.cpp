#include "display/RandomGenerator.h"

#include <utility>

namespace pictavo {

RandomGenerator::RandomGenerator(Counter counter) : counter_(std::move(counter)) {}

std::uint32_t RandomGenerator::Step(std::uint32_t seed) {
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
    return seed * 134775813u + 1u;
}

std::int32_t RandomGenerator::IndexFromSeed(std::uint32_t seed, std::int32_t count) {
    if (count < 1) return 0;
    const std::uint64_t product = static_cast<std::uint64_t>(seed) * static_cast<std::uint64_t>(count);
    return static_cast<std::int32_t>(product >> 32);
}

std::int32_t RandomGenerator::Draw(std::int32_t count) {
    return IndexFromSeed(Step(counter_()), count);
}

}  // namespace pictavo
