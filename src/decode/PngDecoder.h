#pragma once
// The built-in PNG reader on libpng: every colour type and depth (palette with tRNS, grey,
// grey+alpha, RGB, RGBA; 16 bits stripped to 8), interlaced or not, to straight BGRA.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "decode/PictureRegistry.h"

namespace pictavo {

// An ancillary chunk (text, colour profile) may take this much memory once decompressed;
// a zip bomb in a comment therefore stops there instead of filling the memory.
inline constexpr std::size_t kMaxPngChunkBytes = std::size_t{8} << 20;
// At most this many ancillary chunks are kept.
inline constexpr unsigned kMaxPngChunkCount = 1000;

class PngDecoder : public PictureDecoder {
public:
    // The file at `path` as a new 32-bit bitmap owned by the caller; the fourth byte is the
    // picture's own alpha (straight, not premultiplied), 255 where it has none. Throws
    // EPictureFile, EPngDecode (malformed, truncated, bad checksum) or EPictureTooLarge.
    Bitmap Decode(const std::string& path) const override;

    // The PNG data `bytes` (the caller's) as a new bitmap, as Decode.
    static Bitmap DecodeBytes(std::span<const std::uint8_t> bytes);
};

}  // namespace pictavo
