#include "imaging/ResampleTables.h"

#include <algorithm>
#include <cmath>

namespace pictavo::resample {

namespace {

int Clamp(std::int64_t i, int source) {
    return static_cast<int>(std::clamp<std::int64_t>(i, 0, source - 1));
}

// Length of the part of source cell i that the footprint [p0, p1] covers.
double CoveredLength(std::int64_t i, double p0, double p1) {
    const double di = static_cast<double>(i);
    if (di > p0 && di + 1 < p1) return 1;
    if (di <= p0 && di + 1 < p1) return 1 - (p0 - di);
    if (di > p0) return p1 - di;
    return p1 - p0;
}

// Middle of that covered part, measured from the cell's left (or top) edge.
double CoveredMiddle(std::int64_t i, double p0, double p1) {
    const double di = static_cast<double>(i);
    if (di > p0 && di + 1 < p1) return 0.5;
    if (di <= p0 && di + 1 < p1) return (p0 - di + 1) / 2;
    if (di > p0) return (p1 - di) / 2;
    return ((p1 - di) + (p0 - di)) / 2;
}

// The cells strictly between the first and the last satisfy i > p0 and i + 1 <= p1, which
// gives length 1 and middle 0.5 in every branch above; that is why only the ends are kept.
Footprint MakeFootprint(std::int64_t from, std::int64_t to, double p0, double p1) {
    Footprint f;
    f.first = static_cast<std::int32_t>(from);
    f.count = static_cast<std::int32_t>(std::max<std::int64_t>(to - from + 1, 0));
    f.lengthFirst = CoveredLength(from, p0, p1);
    f.middleFirst = CoveredMiddle(from, p0, p1);
    f.lengthLast = CoveredLength(to, p0, p1);
    f.middleLast = CoveredMiddle(to, p0, p1);
    return f;
}

}  // namespace

BilinearAxis MakeBilinearAxis(int source, int target) {
    BilinearAxis axis;
    axis.lo.resize(target);
    axis.hi.resize(target);
    axis.frac.resize(target);
    const double scale = static_cast<double>(source) / static_cast<double>(target);
    for (int k = 0; k < target; ++k) {
        const double f = (k + 0.5) * scale - 0.5;
        const double i = std::floor(f);
        axis.frac[k] = f - i;
        axis.lo[k] = Clamp(static_cast<std::int64_t>(i), source);
        axis.hi[k] = Clamp(static_cast<std::int64_t>(i) + 1, source);
    }
    return axis;
}

std::vector<Footprint> MakeAreaAxis(int source, int target) {
    std::vector<Footprint> axis(target);
    const double scale = static_cast<double>(source) / static_cast<double>(target);
    for (int k = 0; k < target; ++k) {
        const double p0 = k * scale;
        const double p1 = (k + 1) * scale - 0.000001;
        // The footprint never leaves the source; the clamp only guards extreme scales.
        const auto from = std::max<std::int64_t>(static_cast<std::int64_t>(std::floor(p0)), 0);
        const auto to = std::min<std::int64_t>(static_cast<std::int64_t>(std::floor(p1)), source - 1);
        axis[k] = MakeFootprint(from, to, p0, p1);
    }
    return axis;
}

std::vector<Footprint> MakeCellAxis(int source, int target) {
    std::vector<Footprint> axis(target);
    const double scale = static_cast<double>(source) / static_cast<double>(target);
    for (int k = 0; k < target; ++k) {
        const double p0 = k * scale - 0.5;
        const double p1 = (k + 1) * scale - 0.500001;
        const auto from = std::max<std::int64_t>(static_cast<std::int64_t>(std::floor(p0)), -1);
        const auto to = std::min<std::int64_t>(static_cast<std::int64_t>(std::floor(p1)), source - 1);
        axis[k] = MakeFootprint(from, to, p0, p1);
    }
    return axis;
}

}  // namespace pictavo::resample
