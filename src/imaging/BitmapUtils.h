#pragma once
// The three resamplers the display uses to scale a picture into its destination rectangle:
// bilinear, area average, and the bilinear surface integrated over each target pixel's
// footprint. They run on every draw, so they are table-driven and split rows among cores;
// the bytes they produce never depend on the number of threads or the processor.
#include <stdexcept>

#include "imaging/Bitmap.h"

namespace pictavo {

// A broken precondition inside the imaging code. The message names the unit and the line
// of the check, e.g. "Assertion failed (BitmapUtils, line 807)".
class EAssertionFailed : public std::logic_error {
public:
    EAssertionFailed(const char* unit, int line);
    int Line() const { return line_; }

private:
    int line_;
};

// Each returns a new 24-bit bitmap of width x height pixels (owned by the caller); the
// source (any pixel format) is only read. `threads` is the number of threads to use, 0 for
// one per core. A width or height below 1 gives an empty 24-bit bitmap.
// Throws EAssertionFailed when the source is empty (width or height below 1), before
// allocating anything; EBitmapSize when width x height is beyond kMaxBitmapPixels;
// std::bad_alloc when memory runs out.

// Bilinear with pixel centres aligned; the result's pixel centres sample the source surface.
Bitmap ResampleBilinear(const Bitmap& source, int width, int height, int threads = 0);
// Area average: each result pixel is the mean of the source pixels under its footprint.
Bitmap ResampleIntegral(const Bitmap& source, int width, int height, int threads = 0);
// Area average of the bilinear surface; softens slightly even at the same size.
Bitmap ResampleBilinearIntegral(const Bitmap& source, int width, int height, int threads = 0);

}  // namespace pictavo
