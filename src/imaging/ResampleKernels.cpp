#include "imaging/ResampleKernels.h"

namespace pictavo::resample {

const KernelSet& Kernels() {
#if defined(PICTAVO_AVX2_KERNELS)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) return avx2::kKernels;
#endif
    return base::kKernels;
}

}  // namespace pictavo::resample
