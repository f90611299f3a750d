#pragma once
// The image-processing commands and the resamplers as the display uses them, on the cached
// picture. Plain C++ on Bitmap.
#include <cstdint>
#include <optional>

#include "imaging/Bitmap.h"

namespace pictavo {

// Image-processing commands (ImageProcessCommand): 0 restore from the file, 1 monochrome,
// 2 negative, 3 brighter, 4 darker, 5 blur, 6 rotate left, 7 rotate right, 8 flip top to
// bottom, 9 flip left to right; -1 and anything else: nothing.
inline constexpr std::int32_t kRestorePicture = 0;

// Applies command 1..9 to `picture` in place, first turning it into 32 bits per pixel (which
// happens for every command, even one that does nothing). `brightPower` and `blurPower` are
// the settings' strengths, passed on as 16-bit values. Restore (0) is the caller's: it rereads
// the file. Throws EBitmapSize only if the 32-bit form cannot be allocated.
void ApplyPictureCommand(Bitmap& picture, std::int32_t command, std::int32_t brightPower,
                         std::int32_t blurPower);

// A new 24-bit picture of exactly width x height (both >= 1) made from `source` by method
// 1 bilinear, 2 area average or 3 both combined. The source is not changed. Throws what the
// resampler throws (an empty source, a picture that cannot be allocated).
Bitmap ResamplePicture(const Bitmap& source, std::int32_t method, int width, int height);

// How a single picture is fitted to the screen: the picture area's size, the fit rule
// (ImageResizeType) and the stretch method (StretchAlgorithm).
struct ScreenFit {
    int areaWidth = 0;
    int areaHeight = 0;
    std::int32_t resizeType = 0;
    std::int32_t algorithm = 0;
    bool operator==(const ScreenFit&) const = default;
};

// The whole picture resampled as the picture area draws it for `fit`; nothing when the area
// does not resample the whole picture (natural size, plain stretching, nothing to show).
std::optional<Bitmap> ResampleForScreen(const Bitmap& picture, const ScreenFit& fit);

}  // namespace pictavo
