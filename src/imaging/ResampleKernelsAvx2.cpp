// The resampler loops once more for processors with AVX2 (built with -mavx2, never FMA:
// a fused multiply-add would round differently from the baseline loops).
#define KERNEL_ISA avx2
#include "imaging/ResampleKernelsImpl.h"
