// Row loops of the resamplers. This file is included by one source per instruction set,
// each defining KERNEL_ISA as the namespace to put its copy in, so the copies never meet
// at link time. Arithmetic in every lane follows the per-channel formulas operation by
// operation; never reorder a sum or merge a multiplication here, or results change.
#include "imaging/PixelLanes.h"
#include "imaging/ResampleKernels.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace pictavo::resample::KERNEL_ISA {

namespace {

using lanes::Broadcast;
using lanes::Lanes;
using lanes::LoadPixel;
using lanes::RoundToBytes;

inline void StorePixel(std::uint8_t* out, int x, int width, std::uint32_t bgra) {
    if (x + 1 < width)
        lanes::Store4(out + 3 * static_cast<std::size_t>(x), bgra);
    else
        lanes::Store3(out + 3 * static_cast<std::size_t>(x), bgra);
}

void BilinearRows(const SourcePlane& src, const TargetPlane& dst, const BilinearAxis& columns,
                  const BilinearAxis& rows, int rowBegin, int rowEnd) {
    const std::int32_t* lo = columns.lo.data();
    const std::int32_t* hi = columns.hi.data();
    const double* fracs = columns.frac.data();
    for (int y = rowBegin; y < rowEnd; ++y) {
        const std::uint8_t* r0 = src.data + static_cast<std::size_t>(rows.lo[y]) * src.stride;
        const std::uint8_t* r1 = src.data + static_cast<std::size_t>(rows.hi[y]) * src.stride;
        const Lanes v = Broadcast(rows.frac[y]);
        std::uint8_t* out = dst.data + static_cast<std::size_t>(y) * dst.stride;
        for (int x = 0; x < dst.width; ++x) {
            const std::size_t c0 = 4 * static_cast<std::size_t>(lo[x]);
            const std::size_t c1 = 4 * static_cast<std::size_t>(hi[x]);
            const Lanes p00 = LoadPixel(r0 + c0), p01 = LoadPixel(r0 + c1);
            const Lanes p10 = LoadPixel(r1 + c0), p11 = LoadPixel(r1 + c1);
            const Lanes a = p00, b = p01 - p00, c = p10 - p00, d = p11 + p00 - p01 - p10;
            const Lanes u = Broadcast(fracs[x]);
            StorePixel(out, x, dst.width, RoundToBytes(u * b + u * d * v + v * c + a));
        }
    }
}

// Length and middle of the k-th cell of a footprint; the cells between the ends are whole.
// Cells past the end have length 0: a batch pads shorter footprints with them, and adding
// 0 x (a finite value) leaves a sum exactly as it was.
inline double LengthAt(const Footprint& f, int k) {
    return k == 0 ? f.lengthFirst : k == f.count - 1 ? f.lengthLast : k >= f.count ? 0.0 : 1.0;
}
inline double MiddleAt(const Footprint& f, int k) {
    return k == 0 ? f.middleFirst : k == f.count - 1 ? f.middleLast : 0.5;
}

// The area loops and the cell loops below work on a batch of K neighbouring target pixels
// at once. Each pixel keeps its own sum, built in exactly the order of the formula; K sums
// side by side only give the processor independent additions to overlap, where a single
// pixel would wait for each addition to finish before starting the next.
template <int K>
struct Batch {
    const Footprint* fx;  // the K column footprints
    int cells;            // the most cells any of them has (the others are padded)
    int wholeEnd;         // cells 1 .. wholeEnd - 1 are whole in every footprint

    explicit Batch(const Footprint* columns) : fx(columns), cells(columns[0].count), wholeEnd(columns[0].count - 1) {
        for (int k = 1; k < K; ++k) {
            cells = std::max(cells, fx[k].count);
            wholeEnd = std::min(wholeEnd, fx[k].count - 1);
        }
    }
    // One past the last source column the batch reads.
    int End() const {
        int end = 0;
        for (int k = 0; k < K; ++k) end = std::max(end, fx[k].first + cells);
        return end;
    }
};

// Adds one footprint row of source pixels to the K sums. The whole pixels between the ends
// weigh 1 x 1, and (1 * 1) * p is p exactly, so they are added without the product.
template <int K>
inline void AddAreaRow(Lanes* sum, const std::uint8_t* row, const Batch<K>& batch, double wy, bool wholeRow) {
    const std::uint8_t* p[K];
    for (int k = 0; k < K; ++k) p[k] = row + 4 * static_cast<std::size_t>(batch.fx[k].first);
    auto weighed = [&](int i) {
        for (int k = 0; k < K; ++k)
            sum[k] += Broadcast(LengthAt(batch.fx[k], i) * wy) * LoadPixel(p[k] + 4 * static_cast<std::size_t>(i));
    };
    weighed(0);
    int i = 1;
    if (wholeRow)
        for (; i < batch.wholeEnd; ++i)
            for (int k = 0; k < K; ++k) sum[k] += LoadPixel(p[k] + 4 * static_cast<std::size_t>(i));
    for (; i < batch.cells; ++i) weighed(i);
}

template <int K>
inline void AreaPixels(const SourcePlane& src, const Batch<K>& batch, const Footprint& fy, Lanes area,
                       std::uint8_t* out, int x, int width) {
    Lanes sum[K];
    for (int k = 0; k < K; ++k) sum[k] = Broadcast(0);
    for (int jj = 0; jj < fy.count; ++jj) {
        const std::uint8_t* row = src.data + static_cast<std::size_t>(fy.first + jj) * src.stride;
        AddAreaRow<K>(sum, row, batch, LengthAt(fy, jj), jj > 0 && jj < fy.count - 1);
    }
    for (int k = 0; k < K; ++k) StorePixel(out, x + k, width, RoundToBytes(sum[k] / area));
}

// Four pixels go together unless one has an empty footprint (only at absurd enlargements)
// or padding would read past the right edge.
constexpr int kBatch = 4;

template <typename Footprints>
bool CanBatch(const Footprints& fx, int x, int targetWidth, int sourceEnd) {
    if (x + kBatch > targetWidth) return false;
    for (int k = 0; k < kBatch; ++k)
        if (fx[x + k].count < 1) return false;
    return Batch<kBatch>(fx.data() + x).End() <= sourceEnd;
}

void AreaRows(const SourcePlane& src, const TargetPlane& dst, const std::vector<Footprint>& columns,
              const std::vector<Footprint>& rows, double area, int rowBegin, int rowEnd) {
    const Lanes areaLanes = Broadcast(area);
    for (int y = rowBegin; y < rowEnd; ++y) {
        std::uint8_t* out = dst.data + static_cast<std::size_t>(y) * dst.stride;
        int x = 0;
        while (x < dst.width) {
            if (CanBatch(columns, x, dst.width, src.width)) {
                AreaPixels<kBatch>(src, Batch<kBatch>(&columns[x]), rows[y], areaLanes, out, x, dst.width);
                x += kBatch;
            } else {
                if (columns[x].count > 0)
                    AreaPixels<1>(src, Batch<1>(&columns[x]), rows[y], areaLanes, out, x, dst.width);
                else
                    StorePixel(out, x, dst.width, RoundToBytes(Broadcast(0) / areaLanes));
                x += 1;
            }
        }
    }
}

// Source pixels first .. first + count of one row as lanes, clamped into the picture
// (a cell spans two pixels, so n cells need n + 1 pixels).
inline void LoadPixelRun(Lanes* to, const std::uint8_t* row, int first, int count, int width) {
    if (first >= 0 && first + count <= width - 1) {
        const std::uint8_t* p = row + 4 * static_cast<std::size_t>(first);
        for (int c = 0; c <= count; ++c) to[c] = LoadPixel(p + 4 * static_cast<std::size_t>(c));
        return;
    }
    for (int c = 0; c <= count; ++c) {
        const int i = first + c;
        to[c] = LoadPixel(row + 4 * static_cast<std::size_t>(i < 0 ? 0 : i > width - 1 ? width - 1 : i));
    }
}

// Adds the cells between pixel rows P (top) and Q (bottom) to the K sums, in order: each
// cell's bilinear surface a + b u + c v + d u v integrated over its covered part, with
// a = p00, b = p01 - p00, c = p10 - p00, d = p11 + p00 - p01 - p10 (small integers, exact
// in any order, so c and d come from the column differences Q - P). On a cell covered whole
// in both directions the integral is exactly the mean of its four corners (quarters of
// small integers are exact in a double), and its weight is exactly 1.
template <int K>
inline void AddCellRow(Lanes* sum, Lanes* const* P, Lanes* const* Q, const Batch<K>& batch, double wy,
                       double cyValue, bool wholeRow) {
    const Lanes cy = Broadcast(cyValue);
    Lanes down[K];  // c of the current cell
    for (int k = 0; k < K; ++k) down[k] = Q[k][0] - P[k][0];
    auto general = [&](int i) {
        for (int k = 0; k < K; ++k) {
            const Lanes nextDown = Q[k][i + 1] - P[k][i + 1];
            const Lanes a = P[k][i], b = P[k][i + 1] - P[k][i], c = down[k], d = nextDown - down[k];
            const Lanes cx = Broadcast(MiddleAt(batch.fx[k], i));
            down[k] = nextDown;
            sum[k] += Broadcast(LengthAt(batch.fx[k], i) * wy) * (b * cx + d * cx * cy + c * cy + a);
        }
    };
    general(0);
    int i = 1;
    if (wholeRow && batch.wholeEnd > 1) {
        const Lanes quarter = Broadcast(0.25);
        for (; i < batch.wholeEnd; ++i)
            for (int k = 0; k < K; ++k) sum[k] += ((P[k][i] + Q[k][i]) + (P[k][i + 1] + Q[k][i + 1])) * quarter;
        for (int k = 0; k < K; ++k) down[k] = Q[k][i] - P[k][i];
    } else if (batch.wholeEnd > 1) {
        // Whole columns of a top or bottom cell row: cx = 0.5 and the weight is 1 x wy. Halving
        // is exact, so b * 0.5 + (d * 0.5) * cy equals (b + d * cy) * 0.5 bit for bit.
        const Lanes half = Broadcast(0.5), weight = Broadcast(wy);
        for (; i < batch.wholeEnd; ++i)
            for (int k = 0; k < K; ++k) {
                const Lanes nextDown = Q[k][i + 1] - P[k][i + 1];
                const Lanes a = P[k][i], b = P[k][i + 1] - P[k][i], c = down[k], d = nextDown - down[k];
                down[k] = nextDown;
                sum[k] += weight * ((b + d * cy) * half + c * cy + a);
            }
    }
    for (; i < batch.cells; ++i) general(i);
}

// Two sets of pixel rows (top and bottom of a cell row), each with room for the widest
// footprint of every pixel of a batch, in one piece so that a run shared by the batch fits.
struct CellScratch {
    explicit CellScratch(const std::vector<Footprint>& columns) {
        for (const Footprint& f : columns) span = std::max(span, static_cast<std::size_t>(f.count) + 1);
        lanes.resize(2 * kBatch * span);
    }
    std::size_t span = 1;
    std::vector<Lanes> lanes;
};

// Neighbouring footprints share their boundary pixels, so away from the picture's left and
// right edges one run of pixels serves the whole batch and each pixel is converted once.
template <int K>
inline void CellPixels(const SourcePlane& src, const Batch<K>& batch, const Footprint& fy, Lanes area,
                       CellScratch& scratch, std::uint8_t* out, int x, int width) {
    auto rowAt = [&](int j) {
        return src.data + static_cast<std::size_t>(j < 0 ? 0 : j > src.height - 1 ? src.height - 1 : j) * src.stride;
    };
    const int from = batch.fx[0].first, to = batch.End();
    const bool shared = from >= 0 && to <= src.width - 1;
    Lanes* top[K];
    Lanes* bottom[K];
    Lanes sum[K];
    for (int k = 0; k < K; ++k) {
        top[k] = scratch.lanes.data() + k * scratch.span;
        bottom[k] = top[k] + kBatch * scratch.span;
        sum[k] = Broadcast(0);
    }
    // With a shared run, top[0] and bottom[0] hold it and the pixels' views point into it.
    auto load = [&](Lanes* const* rows, const std::uint8_t* pixels) {
        if (shared)
            LoadPixelRun(rows[0], pixels, from, to - from, src.width);
        else
            for (int k = 0; k < K; ++k) LoadPixelRun(rows[k], pixels, batch.fx[k].first, batch.cells, src.width);
    };
    auto view = [&](Lanes* const* rows, Lanes** into) {
        for (int k = 0; k < K; ++k) into[k] = shared ? rows[0] + (batch.fx[k].first - from) : rows[k];
    };
    load(top, rowAt(fy.first));
    for (int jj = 0; jj < fy.count; ++jj) {
        // Cell row j lies between pixel rows j and j + 1, both clamped.
        load(bottom, rowAt(fy.first + jj + 1));
        Lanes* P[K];
        Lanes* Q[K];
        view(top, P);
        view(bottom, Q);
        AddCellRow<K>(sum, P, Q, batch, LengthAt(fy, jj), MiddleAt(fy, jj), jj > 0 && jj < fy.count - 1);
        for (int k = 0; k < K; ++k) std::swap(top[k], bottom[k]);
    }
    for (int k = 0; k < K; ++k) StorePixel(out, x + k, width, RoundToBytes(sum[k] / area));
}

void CellRows(const SourcePlane& src, const TargetPlane& dst, const std::vector<Footprint>& columns,
              const std::vector<Footprint>& rows, double area, int rowBegin, int rowEnd) {
    const Lanes areaLanes = Broadcast(area);
    CellScratch scratch(columns);
    for (int y = rowBegin; y < rowEnd; ++y) {
        std::uint8_t* out = dst.data + static_cast<std::size_t>(y) * dst.stride;
        int x = 0;
        while (x < dst.width) {
            // Cells may reach one pixel past the last (clamped when read), hence + 1.
            if (rows[y].count > 0 && CanBatch(columns, x, dst.width, src.width + 1)) {
                CellPixels<kBatch>(src, Batch<kBatch>(&columns[x]), rows[y], areaLanes, scratch, out, x, dst.width);
                x += kBatch;
            } else {
                if (rows[y].count > 0 && columns[x].count > 0)
                    CellPixels<1>(src, Batch<1>(&columns[x]), rows[y], areaLanes, scratch, out, x, dst.width);
                else
                    StorePixel(out, x, dst.width, RoundToBytes(Broadcast(0) / areaLanes));
                x += 1;
            }
        }
    }
}

}  // namespace

const KernelSet kKernels{&BilinearRows, &AreaRows, &CellRows};

}  // namespace pictavo::resample::KERNEL_ISA
