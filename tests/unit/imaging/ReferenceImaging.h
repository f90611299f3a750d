#pragma once
// Plain, direct versions of the resamplers and of the blur: one pixel at a time, every
// position and weight computed where it is used, exactly as the formulas read. The
// product code must give the same bytes.
#include "imaging/Bitmap.h"

namespace pictavo::reference {

Bitmap Bilinear(const Bitmap& source, int width, int height);
Bitmap Integral(const Bitmap& source, int width, int height);
Bitmap BilinearIntegral(const Bitmap& source, int width, int height);
// In place, each pixel computed from the bitmap as it is at that moment.
void Blur(Bitmap& bitmap, int radius);

}  // namespace pictavo::reference
