#pragma once
// The two pages of a spread side by side in one picture, as a book lies open: the pages touch,
// the lower page is centred vertically and the margins carry the background colour.
#include <cstdint>

#include "imaging/Bitmap.h"

namespace pictavo {

// Width and height of the left and of the right page of the last spread read from files.
struct SpreadSizes {
    std::int32_t leftWidth = 0;
    std::int32_t leftHeight = 0;
    std::int32_t rightWidth = 0;
    std::int32_t rightHeight = 0;

    bool operator==(const SpreadSizes&) const = default;
};

// Size of the composite and where each page goes in it (pixels from its top-left corner).
struct SpreadLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    int leftX = 0;
    int leftY = 0;
    int rightX = 0;
    int rightY = 0;

    bool operator==(const SpreadLayout&) const = default;
};

SpreadLayout LayoutSpread(const SpreadSizes& sizes);

// A new 32-bit picture holding `left` and `right` (any bit depth) as laid out above, the rest
// filled with `backgroundColor` (0x00BBGGRR). Throws EBitmapSize when the composite would be
// beyond the pixel limit, before allocating it.
Bitmap ComposeSpread(const Bitmap& left, const Bitmap& right, std::int32_t backgroundColor);

// Fills a 32-bit picture with a 0x00BBGGRR colour (fourth byte 0).
void FillBitmap(Bitmap& picture, std::int32_t color);

// Blends every pixel of a 32-bit picture whose fourth byte (straight alpha) is below 255 onto
// `color` (0x00BBGGRR) and makes it opaque, so that transparent parts show the background
// whichever way the picture is drawn or processed. Other depths are left alone.
void FlattenOntoColor(Bitmap& picture, std::int32_t color);

}  // namespace pictavo
