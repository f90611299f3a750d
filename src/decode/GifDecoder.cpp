#include "decode/GifDecoder.h"

#include "decode/DecodeErrors.h"
#include "decode/GifAnimation.h"

namespace pictavo {

namespace {

Bitmap FirstFrame(GifAnimation& animation) {
    if (!animation.NextFrame()) throw EGifDecode("GIF: the file holds no picture");
    return animation.TakeFrame();
}

}  // namespace

Bitmap GifDecoder::Decode(const std::string& path) const {
    GifAnimation animation(path);
    return FirstFrame(animation);
}

Bitmap GifDecoder::DecodeBytes(std::vector<std::uint8_t> bytes) {
    GifAnimation animation(std::move(bytes));
    return FirstFrame(animation);
}

}  // namespace pictavo
