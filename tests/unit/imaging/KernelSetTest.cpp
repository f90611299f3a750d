#include <gtest/gtest.h>

#include "TestPictures.h"
#include "imaging/ResampleKernels.h"

using namespace pictavo;
using namespace pictavo::resample;
using pictavo::testing::RandomBitmap;
using pictavo::testing::SameBytes;

namespace {

enum class Kind { Bilinear, Area, Cells };

Bitmap RunKernels(const KernelSet& set, Kind kind, const Bitmap& source, int wd, int hd) {
    Bitmap out(wd, hd, 24);
    const SourcePlane src{source.Data(), source.Stride(), source.Width(), source.Height()};
    const TargetPlane dst{out.Data(), out.Stride(), wd};
    const double area = double(source.Width()) * source.Height() / wd / hd;
    switch (kind) {
        case Kind::Bilinear:
            set.bilinear(src, dst, MakeBilinearAxis(source.Width(), wd),
                         MakeBilinearAxis(source.Height(), hd), 0, hd);
            break;
        case Kind::Area:
            set.area(src, dst, MakeAreaAxis(source.Width(), wd), MakeAreaAxis(source.Height(), hd), area, 0,
                     hd);
            break;
        case Kind::Cells:
            set.cells(src, dst, MakeCellAxis(source.Width(), wd), MakeCellAxis(source.Height(), hd), area, 0,
                      hd);
            break;
    }
    return out;
}

}  // namespace

// The program picks the widest kernels the processor has; the baseline ones must agree.
TEST(KernelSets, BaselineAndAvx2GiveTheSameBytes) {
#if defined(PICTAVO_AVX2_KERNELS)
    if (!__builtin_cpu_supports("avx2")) GTEST_SKIP() << "this processor has no AVX2";
    unsigned seed = 500;
    for (auto [ws, hs, wd, hd] :
         {std::tuple{61, 37, 19, 12}, {19, 12, 61, 37}, {40, 40, 20, 20}, {1, 1, 5, 3}})
        for (Kind kind : {Kind::Bilinear, Kind::Area, Kind::Cells}) {
            const Bitmap source = RandomBitmap(ws, hs, 32, ++seed);
            EXPECT_TRUE(SameBytes(RunKernels(base::kKernels, kind, source, wd, hd),
                                  RunKernels(avx2::kKernels, kind, source, wd, hd)))
                << ws << "x" << hs << " to " << wd << "x" << hd << " kind " << int(kind);
        }
#else
    GTEST_SKIP() << "built without the AVX2 kernels";
#endif
}
