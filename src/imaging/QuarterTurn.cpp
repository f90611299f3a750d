#include "imaging/QuarterTurn.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace pictavo {

namespace {

// Source rows per band and source columns per tile: 32 x 64 pixels keep the tile's source
// lines and its 64 target runs well inside the first-level cache.
constexpr int kBandRows = 32;
constexpr int kTileColumns = 64;

// Copies source rows [y0, y1) into their turned places. Turning right sends source pixel
// (x, y) to target (H - 1 - y, x); turning left sends it to (y, W - 1 - x).
template <int P, bool Right>
void TurnBand(const Bitmap& source, Bitmap& target, int y0, int y1) {
    const int w = source.Width(), h = source.Height();
    const std::uint8_t* rows[kBandRows];
    for (int y = y0; y < y1; ++y) rows[y - y0] = source.Row(y);
    const int n = y1 - y0;
    for (int x0 = 0; x0 < w; x0 += kTileColumns) {
        const int x1 = std::min(w, x0 + kTileColumns);
        for (int x = x0; x < x1; ++x) {
            const std::size_t from = static_cast<std::size_t>(x) * P;
            if (Right) {
                // Target columns H-1-y0 down to H-1-(y1-1): write them left to right.
                std::uint8_t* out = target.Row(x) + static_cast<std::size_t>(h - y1) * P;
                for (int k = n - 1; k >= 0; --k, out += P) std::memcpy(out, rows[k] + from, P);
            } else {
                std::uint8_t* out = target.Row(w - 1 - x) + static_cast<std::size_t>(y0) * P;
                for (int k = 0; k < n; ++k, out += P) std::memcpy(out, rows[k] + from, P);
            }
        }
    }
}

#if defined(__SSE2__)
// 32-bit pixels, four rows by four columns at a time: a 4 x 4 transpose in registers turns
// four source runs into four target runs, so every load and store moves 16 bytes.
inline void Transpose4(__m128i& a, __m128i& b, __m128i& c, __m128i& d) {
    const __m128i ab0 = _mm_unpacklo_epi32(a, b), ab1 = _mm_unpackhi_epi32(a, b);
    const __m128i cd0 = _mm_unpacklo_epi32(c, d), cd1 = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(ab0, cd0);
    b = _mm_unpackhi_epi64(ab0, cd0);
    c = _mm_unpacklo_epi64(ab1, cd1);
    d = _mm_unpackhi_epi64(ab1, cd1);
}

inline __m128i Load(const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Streaming stores skip reading the target lines before overwriting them, which saves a
// third of the memory traffic; they need 16-byte aligned addresses.
template <bool Stream>
inline void Store(std::uint8_t* p, __m128i v) {
    if (Stream)
        _mm_stream_si128(reinterpret_cast<__m128i*>(p), v);
    else
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// Walks four target rows at a time down the band, so each target row receives whole
// 64-byte lines in a row, the pattern that streaming stores need.
template <bool Right, bool Stream>
void TurnQuads32(const Bitmap& source, Bitmap& target, int y0, int quads, int wide) {
    const int w = source.Width(), h = source.Height();
    for (int x = 0; x < wide; x += 4) {
        std::uint8_t* t0 = target.Row(Right ? x : w - 1 - x);
        std::uint8_t* t1 = target.Row(Right ? x + 1 : w - 2 - x);
        std::uint8_t* t2 = target.Row(Right ? x + 2 : w - 3 - x);
        std::uint8_t* t3 = target.Row(Right ? x + 3 : w - 4 - x);
        const std::size_t from = 4 * static_cast<std::size_t>(x);
        // The band reads 32 rows side by side, more streams than the hardware prefetcher
        // follows: ask for each row's line four lines ahead once per line.
        if ((x & 15) == 0)
            for (int y = y0; y < y0 + quads; ++y)
                _mm_prefetch(reinterpret_cast<const char*>(source.Row(y) + from + 256), _MM_HINT_T0);
        for (int y = y0; y < y0 + quads; y += 4) {
            // Turning right, the rows land in reverse order along each target row.
            __m128i a = Load(source.Row(Right ? y + 3 : y) + from);
            __m128i b = Load(source.Row(Right ? y + 2 : y + 1) + from);
            __m128i c = Load(source.Row(Right ? y + 1 : y + 2) + from);
            __m128i d = Load(source.Row(Right ? y : y + 3) + from);
            Transpose4(a, b, c, d);
            const std::size_t column = 4 * static_cast<std::size_t>(Right ? h - 4 - y : y);
            Store<Stream>(t0 + column, a);
            Store<Stream>(t1 + column, b);
            Store<Stream>(t2 + column, c);
            Store<Stream>(t3 + column, d);
        }
    }
}

template <bool Right>
void TurnBand32(const Bitmap& source, Bitmap& target, int y0, int y1) {
    const int w = source.Width(), h = source.Height();
    const int quads = (y1 - y0) / 4 * 4;  // rows done four at a time; the rest one by one
    const int wide = w / 4 * 4;
    // Target rows are 16-byte aligned when the target's width (our height) is a multiple of
    // 4; bands start at multiples of 4 rows.
    if (h % 4 == 0 && reinterpret_cast<std::uintptr_t>(target.Data()) % 16 == 0) {
        TurnQuads32<Right, true>(source, target, y0, quads, wide);
        _mm_sfence();
    } else {
        TurnQuads32<Right, false>(source, target, y0, quads, wide);
    }
    // The columns and rows left over by the groups of four.
    for (int y = y0; y < y1; ++y)
        for (int x = (y < y0 + quads ? wide : 0); x < w; ++x) {
            std::uint8_t* out = Right ? target.Row(x) + 4 * static_cast<std::size_t>(h - 1 - y)
                                      : target.Row(w - 1 - x) + 4 * static_cast<std::size_t>(y);
            std::memcpy(out, source.Row(y) + 4 * static_cast<std::size_t>(x), 4);
        }
}
#endif

template <int P, bool Right>
void TurnAll(const Bitmap& source, Bitmap& target, const std::function<void(int, int)>& rowDone) {
    const int h = source.Height();
    for (int y0 = 0; y0 < h; y0 += kBandRows) {
        const int y1 = std::min(h, y0 + kBandRows);
#if defined(__SSE2__)
        if constexpr (P == 4)
            TurnBand32<Right>(source, target, y0, y1);
        else
#endif
            TurnBand<P, Right>(source, target, y0, y1);
        if (rowDone)
            for (int y = y0; y < y1; ++y) rowDone(y, h);
    }
}

}  // namespace

Bitmap TurnQuarter(const Bitmap& source, TurnDirection direction, const std::function<void(int, int)>& rowDone) {
    Bitmap target(source.Height(), source.Width(), source.BitsPerPixel());
    const bool right = direction == TurnDirection::Right;
    if (source.BitsPerPixel() == 32) {
        if (right)
            TurnAll<4, true>(source, target, rowDone);
        else
            TurnAll<4, false>(source, target, rowDone);
    } else {
        if (right)
            TurnAll<3, true>(source, target, rowDone);
        else
            TurnAll<3, false>(source, target, rowDone);
    }
    return target;
}

}  // namespace pictavo
