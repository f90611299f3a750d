#pragma once
// The image-processing commands of the display: pixel filters (monochrome, negative,
// brightness, blur) and geometric transforms (quarter turns and flips). Each works in place
// on the bitmap it is given and answers whether it worked on it.
#include <cstdint>
#include <functional>

#include "imaging/Bitmap.h"

namespace pictavo {

class TDiziPicFilters {
public:
    // Called with (row index, row count) after each row an operation has finished, when set.
    // The flips do not report rows. The callback must not change the bitmap.
    std::function<void(int row, int rowCount)> OnRowDone;

    // The pixel filters change only blue, green and red (Blur: every byte of a pixel) of 24-
    // and 32-bit bitmaps; other formats are left alone and the answer is false. None throws.

    // Grey from the weights 77, 150, 29 (red, green, blue) over 256.
    bool Monochrome(Bitmap& bitmap);
    // Each colour byte v becomes 255 - v.
    bool Negative(Bitmap& bitmap);
    // Each colour byte v becomes v + amount, clamped to 0..255.
    bool Brightness(Bitmap& bitmap, std::int16_t amount);
    // Mean of the (2 radius + 1)^2 window clipped to the picture, rounded down, computed in
    // place from the top-left: a pixel sees the new values of the pixels done before it.
    // Radius 0 or less does nothing and answers false.
    bool Blur(Bitmap& bitmap, std::int16_t radius);

    // Quarter turns of 24- and 32-bit bitmaps (false and unchanged for others); the bitmap
    // takes the new size. Throws std::bad_alloc when the turned copy cannot be made.
    bool RotateLeft(Bitmap& bitmap);
    bool RotateRight(Bitmap& bitmap);
    // Mirror top to bottom / left to right; any pixel format. False when there is no row
    // (FlipVertical) or no column (FlipHorizontal) to move.
    bool FlipVertical(Bitmap& bitmap);
    bool FlipHorizontal(Bitmap& bitmap);

private:
    void RowDone(int row, int rowCount) const {
        if (OnRowDone) OnRowDone(row, rowCount);
    }
    static bool IsTrueColour(const Bitmap& bitmap) {
        return bitmap.BitsPerPixel() == 24 || bitmap.BitsPerPixel() == 32;
    }
};

}  // namespace pictavo
