#pragma once
// The built-in BMP reader: core, info and V2-V5 headers; 1, 4, 8, 16, 24 and 32 bits;
// RLE8/RLE4; bit-field masks; rows stored bottom-up or top-down. It also reads BMP file
// images handed over in memory (the plug-in adapter writes the plug-ins' pictures as such).
#include <cstdint>
#include <span>
#include <string>

#include "decode/PictureRegistry.h"

namespace pictavo {

enum class BmpForm {
    Bits32,  // every picture as 32-bit BGRA
    Native,  // 1/4/8-bit pictures as 8-bit indexes with their palette, the others as 32-bit
};

class BmpDecoder : public PictureDecoder {
public:
    // The file at `path` as a new 32-bit bitmap owned by the caller. The fourth byte is 255
    // except for bit-field pictures that carry an alpha mask. Throws EPictureFile,
    // EBmpDecode or EPictureTooLarge.
    Bitmap Decode(const std::string& path) const override;

    // The BMP file image `bytes` (from its "BM" on; the bytes stay the caller's) as a new
    // bitmap in the requested form. In the Native form an indexed picture keeps its palette
    // (Palette(), padded with black to 2^bits entries). Throws EBmpDecode or EPictureTooLarge.
    static Bitmap DecodeBytes(std::span<const std::uint8_t> bytes, BmpForm form = BmpForm::Bits32);

    // The same for a file image held in two pieces: `head` from the "BM" up to the pixel data
    // (its offset must be head.size()) and `pixels`, the rest. The plug-in adapter hands over
    // a plug-in's blocks this way instead of copying a large picture into one file image.
    static Bitmap DecodeParts(std::span<const std::uint8_t> head, std::span<const std::uint8_t> pixels,
                              BmpForm form = BmpForm::Bits32);
};

}  // namespace pictavo
