#include "display/PictureProcessing.h"

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
