#include "imaging/QuarterTurn.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

template <int P, bool Right>
void TurnAll(const Bitmap& source, Bitmap& target, const std::function<void(int, int)>& rowDone) {
    const int h = source.Height();
    for (int y0 = 0; y0 < h; y0 += kBandRows) {
        const int y1 = std::min(h, y0 + kBandRows);
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
