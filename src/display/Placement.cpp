#include "display/Placement.h"

#include <algorithm>

namespace pictavo {

PictureRect CentrePicture(int w, int h, int W, int H) {
    const int left = (W - w) / 2;
    const int top = (H - h) / 2;
    return {left, top, left + w, top + h};
}

PictureRect FitPicture(int w, int h, int W, int H) {
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0) return {};
    const double a = static_cast<double>(w) / h;
    const double A = static_cast<double>(W) / H;
    if (a <= A) {
        // Relatively taller: full height, and nw <= W because a <= A.
        const int nw = static_cast<int>(H * a);
        const int left = (W - nw) / 2;
        return {left, 0, left + nw, H};
    }
    const int nh = static_cast<int>(W / a);
    const int top = (H - nh) / 2;
    return {0, top, W, top + nh};
}

std::optional<PictureRect> PlacePicture(int w, int h, int W, int H, std::int32_t resizeType) {
    switch (resizeType) {
        case 0:
            return CentrePicture(w, h, W, H);
        case 1:
            if (w > W || h > H) return FitPicture(w, h, W, H);
            return CentrePicture(w, h, W, H);
        case 2:
            if (w < W || h < H) return FitPicture(w, h, W, H);
            return CentrePicture(w, h, W, H);
        case 3:
            return FitPicture(w, h, W, H);
        default:
            return std::nullopt;
    }
}

std::optional<VisibleCrop> NaturalSizeCrop(const PictureRect& rect, int w, int h, int W, int H) {
    // Visible part in picture coordinates.
    const PictureRect visible{std::max(0, -rect.left), std::max(0, -rect.top), std::min(w, W - rect.left),
                              std::min(h, H - rect.top)};
    if (visible.IsEmpty()) return std::nullopt;
    VisibleCrop crop;
    crop.visible = visible;
    crop.source = {std::max(0, visible.left - 1), std::max(0, visible.top - 1),
                   std::min(w, visible.right + 1), std::min(h, visible.bottom + 1)};
    crop.innerX = visible.left - crop.source.left;
    crop.innerY = visible.top - crop.source.top;
    return crop;
}

}  // namespace pictavo
