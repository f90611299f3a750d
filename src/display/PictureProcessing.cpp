#include "display/PictureProcessing.h"

#include "display/Placement.h"
#include "imaging/BitmapUtils.h"
#include "imaging/diziPicFilters.h"

namespace pictavo {

void ApplyPictureCommand(Bitmap& picture, std::int32_t command, std::int32_t brightPower,
                         std::int32_t blurPower) {
    if (picture.BitsPerPixel() != 32) picture = ToBits32(picture);
    const auto bright = static_cast<std::int16_t>(brightPower);
    TDiziPicFilters filters;
    switch (command) {
        case 1:
            filters.Monochrome(picture);
            break;
        case 2:
            filters.Negative(picture);
            break;
        case 3:
            filters.Brightness(picture, bright);
            break;
        case 4:
            filters.Brightness(picture, static_cast<std::int16_t>(-bright));
            break;
        case 5:
            filters.Blur(picture, static_cast<std::int16_t>(blurPower));
            break;
        case 6:
            filters.RotateLeft(picture);
            break;
        case 7:
            filters.RotateRight(picture);
            break;
        case 8:
            filters.FlipVertical(picture);
            break;
        case 9:
            filters.FlipHorizontal(picture);
            break;
        default:
            break;
    }
}

std::optional<Bitmap> ResampleForScreen(const Bitmap& picture, const ScreenFit& fit) {
    if (fit.algorithm < 1 || fit.algorithm > 3 || picture.Empty()) return std::nullopt;
    const auto rect =
        PlacePicture(picture.Width(), picture.Height(), fit.areaWidth, fit.areaHeight, fit.resizeType);
    if (!rect || rect->IsEmpty() || (rect->Width() == picture.Width() && rect->Height() == picture.Height()))
        return std::nullopt;
    return ResamplePicture(picture, fit.algorithm, rect->Width(), rect->Height());
}

Bitmap ResamplePicture(const Bitmap& source, std::int32_t method, int width, int height) {
    switch (method) {
        case 2:
            return ResampleIntegral(source, width, height);
        case 3:
            return ResampleBilinearIntegral(source, width, height);
        default:
            return ResampleBilinear(source, width, height);
    }
}

}  // namespace pictavo
