#pragma once
// Four double lanes holding the blue, green, red and fourth byte of one pixel, so the
// resamplers run each channel's arithmetic side by side. Every lane performs exactly the
// operations a plain per-channel loop would, in the same order, so the bytes produced do
// not depend on which instruction set compiled this header. Included only by the kernel
// sources, each of which is built for one instruction set.
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace pictavo::lanes {

typedef double Lanes __attribute__((vector_size(32)));

// The four bytes of a 32-bit pixel at `p`, each as a double.
static inline __attribute__((always_inline)) Lanes LoadPixel(const std::uint8_t* p) {
    std::uint32_t bits;
    std::memcpy(&bits, p, 4);
#if defined(__AVX2__)
    const __m256d v = _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(static_cast<int>(bits))));
    Lanes out;
    std::memcpy(&out, &v, sizeof out);
    return out;
#elif defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(bits)), zero);
    const __m128i ints = _mm_unpacklo_epi16(words, zero);
    const __m128d lo = _mm_cvtepi32_pd(ints);
    const __m128d hi = _mm_cvtepi32_pd(_mm_shuffle_epi32(ints, 0xEE));
    Lanes out;
    std::memcpy(&out, &lo, 16);
    std::memcpy(reinterpret_cast<char*>(&out) + 16, &hi, 16);
    return out;
#else
    return Lanes{double(bits & 0xFF), double((bits >> 8) & 0xFF), double((bits >> 16) & 0xFF),
                 double(bits >> 24)};
#endif
}

static inline __attribute__((always_inline)) Lanes Broadcast(double v) { return Lanes{v, v, v, v}; }

// Rounds each lane to the nearest integer, halves to the even neighbour (the processor's
// default rounding, as std::nearbyint), clamps to 0..255 and packs the four bytes.
static inline __attribute__((always_inline)) std::uint32_t RoundToBytes(Lanes v) {
#if defined(__AVX2__)
    __m256d d;
    std::memcpy(&d, &v, sizeof d);
    const __m128i ints = _mm256_cvtpd_epi32(d);
    const __m128i words = _mm_packs_epi32(ints, ints);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
#elif defined(__SSE2__)
    __m128d lo, hi;
    std::memcpy(&lo, &v, 16);
    std::memcpy(&hi, reinterpret_cast<const char*>(&v) + 16, 16);
    const __m128i ints = _mm_unpacklo_epi64(_mm_cvtpd_epi32(lo), _mm_cvtpd_epi32(hi));
    const __m128i words = _mm_packs_epi32(ints, ints);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
#else
    std::uint32_t out = 0;
    for (int k = 0; k < 4; ++k) {
        const double r = __builtin_nearbyint(v[k]);
        const std::uint32_t b = r <= 0 ? 0 : r >= 255 ? 255 : static_cast<std::uint32_t>(r);
        out |= b << (8 * k);
    }
    return out;
#endif
}

// Stores the first three bytes of `bgra` (blue, green, red) at `p`.
static inline __attribute__((always_inline)) void Store3(std::uint8_t* p, std::uint32_t bgra) {
    std::memcpy(p, &bgra, 3);
}

// Stores four bytes where the fourth will be overwritten by the next pixel of the same row;
// cheaper than a three-byte store, so used for every pixel but the last of a row.
static inline __attribute__((always_inline)) void Store4(std::uint8_t* p, std::uint32_t bgra) {
    std::memcpy(p, &bgra, 4);
}

}  // namespace pictavo::lanes
