#pragma once
// The per-row loops of the three resamplers, compiled once for the baseline processor and,
// on x86-64, once more for AVX2; Kernels() picks the best set the running processor has.
// Both sets give identical bytes: they differ only in how many lanes an instruction covers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/ResampleTables.h"

namespace pictavo::resample {

// A 32-bit source picture, read only.
struct SourcePlane {
    const std::uint8_t* data;
    std::size_t stride;
    int width, height;
};

// The 24-bit result; each call writes only the rows it is given, so calls on disjoint row
// ranges may run on different threads.
struct TargetPlane {
    std::uint8_t* data;
    std::size_t stride;
    int width;
};

using BilinearRowsFn = void (*)(const SourcePlane&, const TargetPlane&, const BilinearAxis& columns,
                                const BilinearAxis& rows, int rowBegin, int rowEnd);
using FootprintRowsFn = void (*)(const SourcePlane&, const TargetPlane&, const std::vector<Footprint>& columns,
                                 const std::vector<Footprint>& rows, double area, int rowBegin, int rowEnd);

struct KernelSet {
    BilinearRowsFn bilinear;
    FootprintRowsFn area;   // area average over source pixels
    FootprintRowsFn cells;  // bilinear surface integrated over cells
};

const KernelSet& Kernels();

namespace base {
extern const KernelSet kKernels;
}
namespace avx2 {
extern const KernelSet kKernels;
}

}  // namespace pictavo::resample
