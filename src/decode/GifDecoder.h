#pragma once
// The built-in GIF reader for still pictures: the first frame, composed onto the logical
// screen. Animations are played with GifAnimation.
#include <cstdint>
#include <string>
#include <vector>

#include "decode/PictureRegistry.h"

namespace pictavo {

class GifDecoder : public PictureDecoder {
public:
    // The first frame of the file at `path` as a new 32-bit bitmap owned by the caller,
    // alpha 0 where the frame is transparent or leaves the screen uncovered. Throws
    // EPictureFile, EGifDecode (malformed, truncated inside the frame, no frame at all) or
    // EPictureTooLarge.
    Bitmap Decode(const std::string& path) const override;

    // The same for GIF data in memory (taken over by the call).
    static Bitmap DecodeBytes(std::vector<std::uint8_t> bytes);
};

}  // namespace pictavo
