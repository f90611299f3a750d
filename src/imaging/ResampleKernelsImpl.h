// Row loops of the resamplers. This file is included by one source per instruction set,
// each defining KERNEL_ISA as the namespace to put its copy in, so the copies never meet
// at link time. Arithmetic in every lane follows the per-channel formulas operation by
// operation; never reorder a sum or merge a multiplication here, or results change.
#include "imaging/PixelLanes.h"
#include "imaging/ResampleKernels.h"

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

// Length of the k-th of n cells of a footprint.
inline double LengthAt(const Footprint& f, int k) {
    return k == 0 ? f.lengthFirst : k == f.count - 1 ? f.lengthLast : 1.0;
}
inline double MiddleAt(const Footprint& f, int k) {
    return k == 0 ? f.middleFirst : k == f.count - 1 ? f.middleLast : 0.5;
}

void AreaRows(const SourcePlane& src, const TargetPlane& dst, const std::vector<Footprint>& columns,
              const std::vector<Footprint>& rows, double area, int rowBegin, int rowEnd) {
    const Lanes areaLanes = Broadcast(area);
    for (int y = rowBegin; y < rowEnd; ++y) {
        const Footprint& fy = rows[y];
        std::uint8_t* out = dst.data + static_cast<std::size_t>(y) * dst.stride;
        for (int x = 0; x < dst.width; ++x) {
            const Footprint& fx = columns[x];
            Lanes sum = Broadcast(0);
            for (int jj = 0; jj < fy.count; ++jj) {
                const double wy = LengthAt(fy, jj);
                const std::uint8_t* row = src.data + static_cast<std::size_t>(fy.first + jj) * src.stride;
                for (int ii = 0; ii < fx.count; ++ii) {
                    const double wx = LengthAt(fx, ii);
                    sum += Broadcast(wx * wy) * LoadPixel(row + 4 * static_cast<std::size_t>(fx.first + ii));
                }
            }
            StorePixel(out, x, dst.width, RoundToBytes(sum / areaLanes));
        }
    }
}

void CellRows(const SourcePlane& src, const TargetPlane& dst, const std::vector<Footprint>& columns,
              const std::vector<Footprint>& rows, double area, int rowBegin, int rowEnd) {
    const Lanes areaLanes = Broadcast(area);
    for (int y = rowBegin; y < rowEnd; ++y) {
        const Footprint& fy = rows[y];
        std::uint8_t* out = dst.data + static_cast<std::size_t>(y) * dst.stride;
        for (int x = 0; x < dst.width; ++x) {
            const Footprint& fx = columns[x];
            Lanes sum = Broadcast(0);
            for (int jj = 0; jj < fy.count; ++jj) {
                const int j = fy.first + jj;
                const double wy = LengthAt(fy, jj);
                const Lanes cy = Broadcast(MiddleAt(fy, jj));
                const std::uint8_t* r0 = src.data + static_cast<std::size_t>(j < 0 ? 0 : j) * src.stride;
                const std::uint8_t* r1 =
                    src.data + static_cast<std::size_t>(j + 1 > src.height - 1 ? src.height - 1 : j + 1) * src.stride;
                for (int ii = 0; ii < fx.count; ++ii) {
                    const int i = fx.first + ii;
                    const std::size_t c0 = 4 * static_cast<std::size_t>(i < 0 ? 0 : i);
                    const std::size_t c1 = 4 * static_cast<std::size_t>(i + 1 > src.width - 1 ? src.width - 1 : i + 1);
                    const Lanes p00 = LoadPixel(r0 + c0), p01 = LoadPixel(r0 + c1);
                    const Lanes p10 = LoadPixel(r1 + c0), p11 = LoadPixel(r1 + c1);
                    const Lanes a = p00, b = p01 - p00, c = p10 - p00, d = p11 + p00 - p01 - p10;
                    const Lanes cx = Broadcast(MiddleAt(fx, ii));
                    const double wx = LengthAt(fx, ii);
                    sum += Broadcast(wx * wy) * (b * cx + d * cx * cy + c * cy + a);
                }
            }
            StorePixel(out, x, dst.width, RoundToBytes(sum / areaLanes));
        }
    }
}

}  // namespace

const KernelSet kKernels{&BilinearRows, &AreaRows, &CellRows};

}  // namespace pictavo::resample::KERNEL_ISA
