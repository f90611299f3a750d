// Row loops of the resamplers. This file is included by one source per instruction set,
// each defining KERNEL_ISA as the namespace to put its copy in, so the copies never meet
// at link time. Arithmetic in every lane follows the per-channel formulas operation by
// operation; never reorder a sum or merge a multiplication here, or results change.
#include "imaging/PixelLanes.h"
#include "imaging/ResampleKernels.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

namespace pictavo::resample::KERNEL_ISA {

namespace {

using lanes::Broadcast;
using lanes::Lanes;
using lanes::LoadPixel;
using lanes::RoundToBytes;

// Storage for lanes, of a type each instruction set's copy has to itself. The lane type is the
// same name in every copy but aligned to 32 bytes with AVX and to 16 without, so a
// std::vector of it would be one function shared at link time, and one copy would get
// storage aligned for the other (an aligned AVX store into it crashes).
template <typename T>
struct ScratchAllocator {
    using value_type = T;
    ScratchAllocator() = default;
    template <typename U>
    explicit ScratchAllocator(const ScratchAllocator<U>&) {}
    T* allocate(std::size_t n) {
        return static_cast<T*>(::operator new (n * sizeof(T), std::align_val_t{alignof(T)}));
    }
    void deallocate(T* p, std::size_t) noexcept { ::operator delete (p, std::align_val_t{alignof(T)}); }
    bool operator==(const ScratchAllocator&) const = default;
};

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

// The area loops below work on a batch of K neighbouring target pixels
// at once. Each pixel keeps its own sum, built in exactly the order of the formula; K sums
// side by side only give the processor independent additions to overlap, where a single
// pixel would wait for each addition to finish before starting the next.
template <int K>
struct Batch {
    const Footprint* fx;  // the K column footprints
    int cells;            // the most cells any of them has (the others are padded)
    int wholeEnd;         // cells 1 .. wholeEnd - 1 are whole in every footprint

    explicit Batch(const Footprint* columns)
        : fx(columns), cells(columns[0].count), wholeEnd(columns[0].count - 1) {
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
            sum[k] +=
                Broadcast(LengthAt(batch.fx[k], i) * wy) * LoadPixel(p[k] + 4 * static_cast<std::size_t>(i));
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

// The cell loops go through a target row in chunks of neighbouring pixels and, within a
// chunk, one cell row at a time. Each source row of a chunk is converted to lanes once, and
// the pixels' sums do not depend on each other, so the processor overlaps their additions;
// each sum still takes its own cells in the formula's order, row by row, left to right.
constexpr int kCellChunk = 64;

// Target pixels [begin, end) of a row and the source pixels lo .. hi their cells touch (a
// cell spans two pixels, so n cells from `first` need pixels first .. first + n).
struct CellChunk {
    int begin, end;
    int lo = 0, hi = -1;
};

std::vector<CellChunk> MakeCellChunks(const std::vector<Footprint>& columns, int width) {
    std::vector<CellChunk> chunks;
    for (int begin = 0; begin < width; begin += kCellChunk) {
        CellChunk chunk{begin, std::min(width, begin + kCellChunk)};
        bool any = false;
        for (int x = chunk.begin; x < chunk.end; ++x) {
            const Footprint& f = columns[x];
            if (f.count < 1) continue;
            chunk.lo = any ? std::min(chunk.lo, f.first) : f.first;
            chunk.hi = any ? std::max(chunk.hi, f.first + f.count) : f.first + f.count;
            any = true;
        }
        chunks.push_back(chunk);
    }
    return chunks;
}

// Source pixels lo .. hi of one row as lanes, clamped into the picture (cells reach one
// pixel past each edge).
inline void ConvertRow(Lanes* to, const std::uint8_t* row, int lo, int hi, int width) {
    int c = lo;
    for (; c <= hi && c < 0; ++c) *to++ = LoadPixel(row);
#pragma GCC unroll 4
    for (const int inside = std::min(hi, width - 1); c <= inside; ++c)
        *to++ = LoadPixel(row + 4 * static_cast<std::size_t>(c));
    for (const std::uint8_t* last = row + 4 * static_cast<std::size_t>(width - 1); c <= hi; ++c)
        *to++ = LoadPixel(last);
}

// What one cell row gives every pixel: its weight wy and middle cy as lanes.
struct CellRowWeights {
    CellRowWeights(double wyValue, double cyValue)
        : wy(wyValue), cy(Broadcast(cyValue)), weight(Broadcast(wyValue)) {}
    double wy;
    Lanes cy, weight;
};

// A cell's bilinear surface a + b u + c v + d u v, with c already times the row's middle
// cy. a = p00, b = p01 - p00, c = p10 - p00, d = p11 + p00 - p01 - p10 are small integers,
// exact in any order of computing them; p and q point at the cell's top-left and
// bottom-left pixels. The last cell of one footprint is mostly the first of the next, whose
// pixel then reuses these instead of computing them again.
struct Corners {
    Lanes a, b, d, cy;
};

inline Corners CornersAt(const Lanes* p, const Lanes* q, const CellRowWeights& r) {
    const Lanes c = q[0] - p[0];
    return {p[0], p[1] - p[0], (q[1] - p[1]) - c, c * r.cy};
}

// The surface integrated over the covered part of the cell (middle across `middle`) and
// weighed.
inline Lanes CellTerm(const Corners& k, double weight, double middle, const CellRowWeights& r) {
    const Lanes cx = Broadcast(middle);
    return Broadcast(weight) * (k.b * cx + k.d * cx * r.cy + k.cy + k.a);
}

// Adds the cells of one pixel's footprint in one cell row to its sum, left to right; p and
// q point at the footprint's first column in the pixel rows above and below, `first` holds
// the first cell's corners, and `last` receives the last cell's. Count is the footprint's
// cell count when known at compile time (the loop then unrolls, and the neighbouring cells
// share their loads and corner sums), 0 otherwise. The cells between the ends are covered
// whole across: there the middle is 0.5 and the weight 1 x wy, and halving is exact, so
// b * 0.5 + (d * 0.5) * cy equals (b + d * cy) * 0.5 bit for bit. In a whole cell row
// (wy = 1, cy = 0.5) a whole cell's integral is exactly the mean of its four corners
// (quarters of small integers are exact in a double) and its weight exactly 1.
template <bool WholeRow, int Count>
inline Lanes AddPixelCells(Lanes sum, const Lanes* p, const Lanes* q, const Footprint& f,
                           const CellRowWeights& r, const Corners& first, Corners& last) {
    const int count = Count > 0 ? Count : f.count;
    sum += CellTerm(first, f.lengthFirst * r.wy, f.middleFirst, r);
    if (count < 2) {
        last = first;
        return sum;
    }
#pragma GCC unroll 8
    for (int i = 1; i < count - 1; ++i) {
        if constexpr (WholeRow) {
            sum += ((p[i] + q[i]) + (p[i + 1] + q[i + 1])) * Broadcast(0.25);
        } else {
            const Lanes a = p[i], b = p[i + 1] - p[i], c = q[i] - p[i], d = (q[i + 1] - p[i + 1]) - c;
            sum += r.weight * ((b + d * r.cy) * Broadcast(0.5) + c * r.cy + a);
        }
    }
    last = CornersAt(p + (count - 1), q + (count - 1), r);
    return sum + CellTerm(last, f.lengthLast * r.wy, f.middleLast, r);
}

// Adds one cell row (between pixel rows P above and Q below) to the sums of a chunk's pixels.
template <bool WholeRow>
void AddCellRow(Lanes* sums, const Footprint* columns, int pixels, const Lanes* P, const Lanes* Q, int lo,
                const CellRowWeights& r) {
    Corners carried{};
    int carriedColumn = lo - 2;  // no cell yet
    for (int k = 0; k < pixels; ++k) {
        const Footprint& f = columns[k];
        const Lanes* p = P + (f.first - lo);
        const Lanes* q = Q + (f.first - lo);
        if (f.count < 1) continue;
        const Corners first = f.first == carriedColumn ? carried : CornersAt(p, q, r);
        carriedColumn = f.first + f.count - 1;
        switch (f.count) {
            case 1:
                sums[k] = AddPixelCells<WholeRow, 1>(sums[k], p, q, f, r, first, carried);
                break;
            case 2:
                sums[k] = AddPixelCells<WholeRow, 2>(sums[k], p, q, f, r, first, carried);
                break;
            case 3:
                sums[k] = AddPixelCells<WholeRow, 3>(sums[k], p, q, f, r, first, carried);
                break;
            case 4:
                sums[k] = AddPixelCells<WholeRow, 4>(sums[k], p, q, f, r, first, carried);
                break;
            case 5:
                sums[k] = AddPixelCells<WholeRow, 5>(sums[k], p, q, f, r, first, carried);
                break;
            default:
                sums[k] = AddPixelCells<WholeRow, 0>(sums[k], p, q, f, r, first, carried);
                break;
        }
    }
}

void CellRows(const SourcePlane& src, const TargetPlane& dst, const std::vector<Footprint>& columns,
              const std::vector<Footprint>& rows, double area, int rowBegin, int rowEnd) {
    const Lanes areaLanes = Broadcast(area);
    const std::vector<CellChunk> chunks = MakeCellChunks(columns, dst.width);
    std::size_t span = 1;
    for (const CellChunk& chunk : chunks)
        span = std::max(span, static_cast<std::size_t>(chunk.hi - chunk.lo + 1));
    std::vector<Lanes, ScratchAllocator<Lanes>> scratch(2 * span + kCellChunk);
    Lanes* top = scratch.data();
    Lanes* bottom = top + span;
    Lanes* sums = bottom + span;
    auto rowAt = [&](int j) {
        return src.data + static_cast<std::size_t>(j < 0                ? 0
                                                   : j > src.height - 1 ? src.height - 1
                                                                        : j) *
                              src.stride;
    };
    for (int y = rowBegin; y < rowEnd; ++y) {
        const Footprint& fy = rows[y];
        std::uint8_t* out = dst.data + static_cast<std::size_t>(y) * dst.stride;
        for (const CellChunk& chunk : chunks) {
            const int pixels = chunk.end - chunk.begin;
            std::fill_n(sums, pixels, Broadcast(0));
            if (chunk.hi >= chunk.lo && fy.count > 0) {
                ConvertRow(top, rowAt(fy.first), chunk.lo, chunk.hi, src.width);
                for (int jj = 0; jj < fy.count; ++jj) {
                    // Cell row j lies between pixel rows j and j + 1, both clamped.
                    ConvertRow(bottom, rowAt(fy.first + jj + 1), chunk.lo, chunk.hi, src.width);
                    const CellRowWeights weights(LengthAt(fy, jj), MiddleAt(fy, jj));
                    if (jj > 0 && jj < fy.count - 1)
                        AddCellRow<true>(sums, &columns[chunk.begin], pixels, top, bottom, chunk.lo, weights);
                    else
                        AddCellRow<false>(sums, &columns[chunk.begin], pixels, top, bottom, chunk.lo,
                                          weights);
                    std::swap(top, bottom);
                }
            }
            for (int k = 0; k < pixels; ++k)
                StorePixel(out, chunk.begin + k, dst.width, RoundToBytes(sums[k] / areaLanes));
        }
    }
}

}  // namespace

const KernelSet kKernels{&BilinearRows, &AreaRows, &CellRows};

}  // namespace pictavo::resample::KERNEL_ISA
