#include "imaging/BoxBlur.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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
    if (bitmap.BitsPerPixel() == 32)
        BlurWithSums<4>(bitmap, g, rowDone);
    else if (bitmap.BitsPerPixel() == 24)
        BlurWithSums<3>(bitmap, g, rowDone);
}

}  // namespace pictavo
