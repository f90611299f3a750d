#include "imaging/BoxBlur.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace pictavo {

namespace {

// Window sums are divided by reciprocal multiplication: with m = ceil(2^32 / n) the error
// of (s * m) >> 32 stays below one unit as long as s * (m * n - 2^32) < 2^32, which holds
// for every s <= 255 * n while n <= kMaxReciprocalCount. Larger windows (radii far beyond
// what the settings offer) divide plainly.
constexpr std::int64_t kMaxReciprocalCount = 4104;

struct BlurGeometry {
    int width, height, radius;
    std::vector<int> columnsInWindow;  // per column x: columns of the window inside the picture
    int maxColumns;

    int RowsInWindow(int y) const { return std::min(y + radius, height - 1) - std::max(y - radius, 0) + 1; }
};

BlurGeometry MakeGeometry(const Bitmap& bitmap, int radius) {
    BlurGeometry g{bitmap.Width(), bitmap.Height(), radius, {}, 0};
    g.columnsInWindow.resize(g.width);
    for (int x = 0; x < g.width; ++x) {
        g.columnsInWindow[x] = std::min(x + radius, g.width - 1) - std::max(x - radius, 0) + 1;
        g.maxColumns = std::max(g.maxColumns, g.columnsInWindow[x]);
    }
    return g;
}

// One row of the in-place blur with N bytes per pixel. `columns` holds, per column and byte,
// the sum over the rows of the window (new values above this row, old ones from it down).
// The window sum slides right; after each pixel its change is added to its column and to the
// window, so the next pixel sees the new value.
template <int N, typename Sum, bool Reciprocal>
void BlurRow(std::uint8_t* row, Sum* columns, const BlurGeometry& g, const std::uint64_t* divisors) {
    const int r = g.radius;
    Sum window[N] = {};
    for (int xx = 0; xx <= std::min(r, g.width - 1); ++xx)
        for (int c = 0; c < N; ++c) window[c] += columns[xx * N + c];
    for (int x = 0; x < g.width; ++x) {
        if (x > 0) {
            if (x + r < g.width)
                for (int c = 0; c < N; ++c) window[c] += columns[(x + r) * N + c];
            if (x - r - 1 >= 0)
                for (int c = 0; c < N; ++c) window[c] -= columns[(x - r - 1) * N + c];
        }
        const std::uint64_t divisor = divisors[x];
        for (int c = 0; c < N; ++c) {
            const auto total = static_cast<std::uint64_t>(window[c]);
            const auto mean = static_cast<Sum>(Reciprocal ? (total * divisor) >> 32 : total / divisor);
            const Sum change = mean - row[x * N + c];
            row[x * N + c] = static_cast<std::uint8_t>(mean);
            columns[x * N + c] += change;
            window[c] += change;
        }
    }
}

// Per column, what BlurRow divides by for a row whose window spans `rows` rows: the
// reciprocal multiplier when `reciprocal`, else the pixel count itself.
void FillDivisors(const BlurGeometry& g, int rows, bool reciprocal, std::vector<std::uint64_t>& divisors) {
    for (int x = 0; x < g.width; ++x) {
        const std::uint64_t count = static_cast<std::uint64_t>(g.columnsInWindow[x]) * rows;
        divisors[x] = reciprocal ? ((std::uint64_t{1} << 32) + count - 1) / count : count;
    }
}

template <int N, typename Sum>
void BlurRows(Bitmap& bitmap, const BlurGeometry& g, const std::function<void(int)>& rowDone) {
    const std::size_t rowValues = static_cast<std::size_t>(g.width) * N;
    std::vector<Sum> columns(rowValues, 0);
    auto addRow = [&](int y, int sign) {
        const std::uint8_t* p = bitmap.Row(y);
        for (std::size_t k = 0; k < rowValues; ++k) columns[k] += sign * static_cast<Sum>(p[k]);
    };
    for (int y = 0; y <= std::min(g.radius, g.height - 1); ++y) addRow(y, 1);

    std::vector<std::uint64_t> divisors(g.width);
    int divisorRows = -1;
    bool reciprocal = false;
    for (int y = 0; y < g.height; ++y) {
        const int rows = g.RowsInWindow(y);
        if (rows != divisorRows) {
            reciprocal = static_cast<std::int64_t>(g.maxColumns) * rows <= kMaxReciprocalCount;
            FillDivisors(g, rows, reciprocal, divisors);
            divisorRows = rows;
        }
        if (reciprocal)
            BlurRow<N, Sum, true>(bitmap.Row(y), columns.data(), g, divisors.data());
        else
            BlurRow<N, Sum, false>(bitmap.Row(y), columns.data(), g, divisors.data());
        rowDone(y);
        if (y - g.radius >= 0) addRow(y - g.radius, -1);
        if (y + g.radius + 1 < g.height) addRow(y + g.radius + 1, 1);
    }
}

#if defined(__SSE2__)
// The 32-bit blur with the four bytes of a pixel side by side in two registers, blue and
// green in one, red and fourth in the other, each in a 64-bit lane. Every pixel waits for
// its left neighbour's new value, so the time per pixel is the length of that chain: one
// multiplication by the reciprocal, one shift, one addition.
struct alignas(32) Quad {
    __m128i low, high;  // bytes 0, 1 and bytes 2, 3 of a pixel, one per 64-bit lane
};

inline Quad Add(Quad a, Quad b) { return {_mm_add_epi64(a.low, b.low), _mm_add_epi64(a.high, b.high)}; }
inline Quad Sub(Quad a, Quad b) { return {_mm_sub_epi64(a.low, b.low), _mm_sub_epi64(a.high, b.high)}; }

inline Quad LoadQuad(const std::uint8_t* p) {
    std::int32_t bits;
    std::memcpy(&bits, p, 4);
    const __m128i zero = _mm_setzero_si128();
    const __m128i ints = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(bits), zero), zero);
    return {_mm_unpacklo_epi32(ints, zero), _mm_unpackhi_epi32(ints, zero)};
}

inline void StoreQuad(std::uint8_t* p, Quad q) {
    const __m128i ints = _mm_castps_si128(
        _mm_shuffle_ps(_mm_castsi128_ps(q.low), _mm_castsi128_ps(q.high), _MM_SHUFFLE(2, 0, 2, 0)));
    const __m128i words = _mm_packs_epi32(ints, ints);
    const std::int32_t bits = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
    std::memcpy(p, &bits, 4);
}

// Column sums with radius + 1 zero columns on either side, so the window can slide across
// the edges without tests: column x is at x + radius + 1.
class PaddedColumns {
public:
    PaddedColumns(int width, int radius)
        : offset_(radius + 1), sums_(width + 2 * radius + 2, Quad{_mm_setzero_si128(), _mm_setzero_si128()}) {}
    Quad* At(int x) { return sums_.data() + (x + offset_); }
    void AddRow(const std::uint8_t* row, int width) {
        Quad* c = At(0);
        for (int x = 0; x < width; ++x) c[x] = Add(c[x], LoadQuad(row + 4 * static_cast<std::size_t>(x)));
    }
    // Moves the window down one row: `entering` (may be null) in, `leaving` (may be null) out.
    void MoveDown(const std::uint8_t* entering, const std::uint8_t* leaving, int width) {
        if (entering && leaving && __builtin_cpu_supports("avx2")) {
            MoveDownAvx2(entering, leaving, width);
            return;
        }
        if (!entering || !leaving) {
            const std::uint8_t* row = entering ? entering : leaving;
            if (!row) return;
            Quad* c = At(0);
            for (int x = 0; x < width; ++x) {
                const Quad p = LoadQuad(row + 4 * static_cast<std::size_t>(x));
                c[x] = entering ? Add(c[x], p) : Sub(c[x], p);
            }
            return;
        }
        Quad* c = At(0);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 4 * static_cast<std::size_t>(x);
            c[x] = Add(c[x], Sub(LoadQuad(entering + at), LoadQuad(leaving + at)));
        }
    }

private:
    // A Quad has the layout of one 256-bit register; AVX2 widens four bytes to four 64-bit
    // lanes in one instruction.
    __attribute__((target("avx2"))) void MoveDownAvx2(const std::uint8_t* entering, const std::uint8_t* leaving,
                                                      int width) {
        auto* c = reinterpret_cast<__m256i*>(At(0));
        for (int x = 0; x < width; ++x) {
            std::int32_t in, out;
            std::memcpy(&in, entering + 4 * static_cast<std::size_t>(x), 4);
            std::memcpy(&out, leaving + 4 * static_cast<std::size_t>(x), 4);
            const __m256i change = _mm256_sub_epi64(_mm256_cvtepu8_epi64(_mm_cvtsi32_si128(in)),
                                                    _mm256_cvtepu8_epi64(_mm_cvtsi32_si128(out)));
            _mm256_store_si256(c + x, _mm256_add_epi64(_mm256_load_si256(c + x), change));
        }
    }

    int offset_;
    std::vector<Quad> sums_;
};

// Per column, the reciprocal of the window's pixel count for the current row's window
// height, in the low half of each 64-bit lane.
struct Divisor {
    __m128i m;
};

// With radius 1 the column leaving the window is the one updated by the previous pixel;
// reading it back from memory would put a store and a load on the chain, so it is carried
// in a register instead (`Adjacent`).
template <bool Adjacent>
void BlurRow32(std::uint8_t* row, PaddedColumns& columns, const BlurGeometry& g, const Divisor* divisors) {
    const int r = g.radius;
    __m128i windowLow = _mm_setzero_si128(), windowHigh = _mm_setzero_si128();
    for (int xx = -r; xx <= r; ++xx) {
        windowLow = _mm_add_epi64(windowLow, columns.At(xx)->low);
        windowHigh = _mm_add_epi64(windowHigh, columns.At(xx)->high);
    }
    Quad previous = *columns.At(-1);
    for (int x = 0; x < g.width; ++x) {
        std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
        const Quad old = LoadQuad(p);
        Quad leaving;
        if constexpr (Adjacent)
            leaving = previous;
        else
            leaving = *columns.At(x - r);
        const Quad* entering = columns.At(x + 1 + r);
        // Everything but the new mean is known before the division finishes: the next
        // window is the mean plus this remainder.
        const __m128i restLow =
            _mm_add_epi64(_mm_sub_epi64(windowLow, old.low), _mm_sub_epi64(entering->low, leaving.low));
        const __m128i restHigh =
            _mm_add_epi64(_mm_sub_epi64(windowHigh, old.high), _mm_sub_epi64(entering->high, leaving.high));
        // floor(window / n) per lane: the high half of the product with m = ceil(2^32 / n)
        // (n >= 2, so m fits the low 32 bits that the multiplication reads).
        const __m128i m = divisors[x].m;
        const __m128i meanLow = _mm_srli_epi64(_mm_mul_epu32(windowLow, m), 32);
        const __m128i meanHigh = _mm_srli_epi64(_mm_mul_epu32(windowHigh, m), 32);
        StoreQuad(p, Quad{meanLow, meanHigh});
        Quad* column = columns.At(x);
        column->low = _mm_add_epi64(column->low, _mm_sub_epi64(meanLow, old.low));
        column->high = _mm_add_epi64(column->high, _mm_sub_epi64(meanHigh, old.high));
        if constexpr (Adjacent) previous = *column;
        windowLow = _mm_add_epi64(meanLow, restLow);
        windowHigh = _mm_add_epi64(meanHigh, restHigh);
    }
}

// Applies when every window count n satisfies 2 <= n <= kMaxReciprocalCount.
void BlurRows32(Bitmap& bitmap, const BlurGeometry& g, const std::function<void(int)>& rowDone) {
    PaddedColumns columns(g.width, g.radius);
    for (int y = 0; y <= std::min(g.radius, g.height - 1); ++y) columns.AddRow(bitmap.Row(y), g.width);
    std::vector<Divisor> divisors(g.width);
    int divisorRows = -1;
    for (int y = 0; y < g.height; ++y) {
        const int rows = g.RowsInWindow(y);
        if (rows != divisorRows) {
            for (int x = 0; x < g.width; ++x) {
                const std::uint64_t count = static_cast<std::uint64_t>(g.columnsInWindow[x]) * rows;
                const auto m = static_cast<std::int32_t>(((std::uint64_t{1} << 32) + count - 1) / count);
                divisors[x].m = _mm_set_epi32(0, m, 0, m);
            }
            divisorRows = rows;
        }
        if (g.radius == 1)
            BlurRow32<true>(bitmap.Row(y), columns, g, divisors.data());
        else
            BlurRow32<false>(bitmap.Row(y), columns, g, divisors.data());
        rowDone(y);
        columns.MoveDown(y + g.radius + 1 < g.height ? bitmap.Row(y + g.radius + 1) : nullptr,
                         y - g.radius >= 0 ? bitmap.Row(y - g.radius) : nullptr, g.width);
    }
}
#endif

template <int N>
void BlurWithSums(Bitmap& bitmap, const BlurGeometry& g, const std::function<void(int)>& rowDone) {
    // 32-bit sums are faster; they hold any window of up to 2^31 / 255 pixels.
    const std::int64_t windowPixels = static_cast<std::int64_t>(g.maxColumns) *
                                      std::min<std::int64_t>(2 * std::int64_t{g.radius} + 1, g.height);
    if (windowPixels * 255 < (std::int64_t{1} << 31))
        BlurRows<N, std::int32_t>(bitmap, g, rowDone);
    else
        BlurRows<N, std::int64_t>(bitmap, g, rowDone);
}

}  // namespace

void BlurInPlace(Bitmap& bitmap, int radius, const std::function<void(int)>& rowDone) {
    if (bitmap.Empty() || radius < 1) return;
    // A window reaching past every edge sees the whole picture whatever its radius.
    radius = std::min(radius, std::max(bitmap.Width(), bitmap.Height()));
    const BlurGeometry g = MakeGeometry(bitmap, radius);
#if defined(__SSE2__)
    const std::int64_t largestWindow =
        static_cast<std::int64_t>(g.maxColumns) * std::min<std::int64_t>(2 * std::int64_t{radius} + 1, g.height);
    if (bitmap.BitsPerPixel() == 32 && largestWindow <= kMaxReciprocalCount && g.width * std::int64_t{g.height} >= 2) {
        BlurRows32(bitmap, g, rowDone);
        return;
    }
#endif
    if (bitmap.BitsPerPixel() == 32)
        BlurWithSums<4>(bitmap, g, rowDone);
    else if (bitmap.BitsPerPixel() == 24)
        BlurWithSums<3>(bitmap, g, rowDone);
}

}  // namespace pictavo
