#include "display/SpreadComposite.h"

#include <algorithm>
#include <cstring>

namespace pictavo {

namespace {

// Copies a picture of any depth into a 32-bit one at (x, y); the target is large enough.
void CopyInto(Bitmap& target, const Bitmap& page, int x, int y) {
    if (page.BitsPerPixel() != 32) {
        CopyInto(target, ToBits32(page), x, y);
        return;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(page.Width()) * 4;
    for (int row = 0; row < page.Height(); ++row)
        std::memcpy(target.Row(y + row) + static_cast<std::size_t>(x) * 4, page.Row(row), rowBytes);
}

}  // namespace

SpreadLayout LayoutSpread(const SpreadSizes& s) {
    SpreadLayout layout;
    layout.width = std::int64_t{s.leftWidth} + s.rightWidth;
    layout.height = std::max(s.leftHeight, s.rightHeight);
    layout.rightX = s.leftWidth;
    if (s.leftHeight <= s.rightHeight)
        layout.leftY = (s.rightHeight - s.leftHeight) / 2;
    else
        layout.rightY = (s.leftHeight - s.rightHeight) / 2;
    return layout;
}

void FillBitmap(Bitmap& picture, std::int32_t color) {
    const std::uint8_t pixel[4] = {static_cast<std::uint8_t>((color >> 16) & 0xFF),
                                   static_cast<std::uint8_t>((color >> 8) & 0xFF),
                                   static_cast<std::uint8_t>(color & 0xFF), 0};
    if (picture.Height() == 0) return;
    std::uint8_t* first = picture.Row(0);
    for (int x = 0; x < picture.Width(); ++x) std::memcpy(first + static_cast<std::size_t>(x) * 4, pixel, 4);
    for (int y = 1; y < picture.Height(); ++y) std::memcpy(picture.Row(y), first, picture.Stride());
}

namespace {

// Most pictures have no transparency at all; one AND over the row's words tells.
bool RowIsOpaque(const std::uint8_t* row, int width) {
    std::uint32_t all = 0xFFFFFFFFu;
    for (int x = 0; x < width; ++x) {
        std::uint32_t pixel;
        std::memcpy(&pixel, row + static_cast<std::size_t>(x) * 4, 4);
        all &= pixel;
    }
    return (all >> 24) == 0xFF;
}

}  // namespace

void FlattenOntoColor(Bitmap& picture, std::int32_t color) {
    if (picture.BitsPerPixel() != 32 || picture.KnownOpaque()) return;
    const unsigned background[3] = {static_cast<unsigned>((color >> 16) & 0xFF),
                                    static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>(color & 0xFF)};
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* px = picture.Row(y);
        if (RowIsOpaque(px, picture.Width())) continue;
        for (int x = 0; x < picture.Width(); ++x, px += 4) {
            const unsigned a = px[3];
            if (a == 255) continue;
            for (int k = 0; k < 3; ++k)
                px[k] = static_cast<std::uint8_t>((px[k] * a + background[k] * (255 - a) + 127) / 255);
            px[3] = 255;
        }
    }
}

Bitmap ComposeSpread(const Bitmap& left, const Bitmap& right, std::int32_t backgroundColor) {
    const SpreadLayout layout = LayoutSpread({left.Width(), left.Height(), right.Width(), right.Height()});
    CheckedPixelCount(layout.width, layout.height);
    Bitmap composite(static_cast<int>(layout.width), static_cast<int>(layout.height), 32);
    FillBitmap(composite, backgroundColor);
    CopyInto(composite, left, layout.leftX, layout.leftY);
    CopyInto(composite, right, layout.rightX, layout.rightY);
    return composite;
}

}  // namespace pictavo
