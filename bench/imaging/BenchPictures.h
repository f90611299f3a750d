#pragma once
// Pictures for the imaging benchmarks: filled quickly with varied bytes, so that no code
// path can profit from uniform content.
#include <cstdint>
#include <cstring>

#include "imaging/Bitmap.h"

namespace pictavo::bench {

inline Bitmap NoisePicture(int width, int height) {
    Bitmap b(width, height, 32);
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::uint8_t* p = b.Data();
    for (std::size_t i = 0; i + 8 <= b.ByteSize(); i += 8) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        std::memcpy(p + i, &state, 8);
    }
    return b;
}

}  // namespace pictavo::bench
