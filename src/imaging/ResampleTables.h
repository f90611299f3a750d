#pragma once
// Per-axis tables of the three resamplers. Positions, fractions and weights depend only on
// the column (or only on the row), so they are computed once per call instead of once per
// pixel; the kernels then only look them up. Each entry is computed with exactly the
// expression the per-pixel formula uses, so looking it up gives the same double.
#include <cstdint>
#include <vector>

namespace pictavo::resample {

// Bilinear: for target index k, the two clamped source indexes around the sample position
// and the sample's fraction between them.
struct BilinearAxis {
    std::vector<std::int32_t> lo, hi;
    std::vector<double> frac;
};

// The source cells that one target pixel's footprint touches along one axis: `count` cells
// from `first`. Only the first and the last cell can be partly covered; every cell between
// them is covered whole (length 1, middle 0.5), so only the two ends are stored.
struct Footprint {
    std::int32_t first = 0;
    std::int32_t count = 0;
    double lengthFirst = 0, middleFirst = 0;  // when count == 1 these describe the only cell
    double lengthLast = 0, middleLast = 0;
};

// `source` and `target` are pixel counts along one axis, both at least 1. Throws
// std::bad_alloc only.
BilinearAxis MakeBilinearAxis(int source, int target);
// Footprints [k * scale, (k + 1) * scale - 0.000001] over source pixels (area average).
std::vector<Footprint> MakeAreaAxis(int source, int target);
// Footprints [k * scale - 0.5, (k + 1) * scale - 0.500001] over the cells between pixel
// centres; cell i lies between pixels i and i + 1 and may be -1 (clamped when read).
std::vector<Footprint> MakeCellAxis(int source, int target);

}  // namespace pictavo::resample
