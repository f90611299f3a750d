// The resampler loops for any processor this program is built for.
#define KERNEL_ISA base
#include "imaging/ResampleKernelsImpl.h"
