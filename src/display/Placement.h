#pragma once
// Where a picture goes in the picture area. Plain numbers in, a rectangle out, so the rules
// (natural size, shrink, enlarge, always fit) are testable without a window.
#include <cstdint>
#include <optional>

namespace pictavo {

// (left, top, right, bottom) in picture-area pixels, right and bottom exclusive. It may reach
// outside the area (negative left or top): the area then shows the middle of the picture.
struct PictureRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const PictureRect&) const = default;
};

// The picture w x h at its natural size, centred in the area W x H (halves truncate toward
// zero, so a picture larger than the area gets a negative left/top).
PictureRect CentrePicture(int w, int h, int W, int H);

// The largest rectangle of the picture's aspect ratio that touches the area on two opposite
// sides, centred on the other axis. An empty picture or area gives an empty rectangle.
PictureRect FitPicture(int w, int h, int W, int H);

// The rectangle for `resizeType` (ImageResizeType): 0 natural size, 1 shrink what does not fit,
// 2 enlarge what is smaller in width or height, 3 always fit. Any other type gives none.
std::optional<PictureRect> PlacePicture(int w, int h, int W, int H, std::int32_t resizeType);

// What of a natural-size picture has to be resampled to fill the visible part of the area:
// the source part to crop (with one pixel of context on each side where the picture has one,
// so a 2 x 2 filter sees the same neighbours as on the whole picture) and where the visible
// part starts inside that crop.
struct VisibleCrop {
    PictureRect source;  // in picture pixels
    int innerX = 0;      // offset of the first visible pixel inside `source`
    int innerY = 0;
    PictureRect visible;  // the visible part, in picture pixels
};

// The crop for a picture w x h drawn unscaled at `rect` in an area W x H; nullopt when nothing
// of it is visible.
std::optional<VisibleCrop> NaturalSizeCrop(const PictureRect& rect, int w, int h, int W, int H);

}  // namespace pictavo
