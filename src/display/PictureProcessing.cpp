#include "display/PictureProcessing.h"

#include <algorithm>
#include <cstring>

namespace pictavo {

// Stand-in until the imaging library's filters and resamplers are available.

void ApplyPictureCommand(Bitmap& picture, std::int32_t command, std::int32_t brightPower, std::int32_t) {
    if (picture.BitsPerPixel() != 32) picture = ToBits32(picture);
    if (command != 3 && command != 4) return;
    const int amount = command == 3 ? brightPower : -brightPower;
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x)
            for (int k = 0; k < 3; ++k)
                row[x * 4 + k] = static_cast<std::uint8_t>(std::clamp(row[x * 4 + k] + amount, 0, 255));
    }
}

Bitmap ResamplePicture(const Bitmap& source, std::int32_t, int width, int height) {
    const Bitmap src = ToBits24(source);
    Bitmap out(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::memcpy(out.Row(y) + x * 3,
                        src.Row(static_cast<int>(std::int64_t{y} * src.Height() / height)) +
                            static_cast<int>(std::int64_t{x} * src.Width() / width) * 3,
                        3);
    return out;
}

}  // namespace pictavo
