#pragma once
// The picture a Susie plug-in hands back (a BITMAPINFO block and a pixel block) is untrusted:
// these checks run before any pixel is read, and the BMP file image built from it is what
// our BMP reader turns into a bitmap. No Qt, so the fuzz harness can drive it directly.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "decode/PictureRegistry.h"
#include "imaging/Bitmap.h"

namespace pictavo {

// A plug-in result that does not describe a picture its blocks can hold.
class ESPIBadPicture : public EDecode {
public:
    using EDecode::EDecode;
};

// What the BITMAPINFOHEADER at the start of the info block says, with the derived sizes.
struct DibLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows stored top-down
    int bitCount = 0;
    std::uint32_t colors = 0;  // colour-table entries
    std::size_t infoSize = 0;  // 40 + 4 * colors
    std::size_t stride = 0;    // bytes per stored row, padded to 4
    std::size_t bitsSize = 0;  // |height| * stride
    bool hasPalette = false;   // 4-bit pictures keep the plug-in's colour table
};

// Reads and checks the header: width and height non-zero with |w| x |h| at most 2^28,
// biBitCount 1, 4, 8, 16, 24 or 32, at most min(2^bits, 256) colours, and blocks at least
// `infoCapacity` / `bitsCapacity` bytes long enough for the header, colour table and rows.
// Throws ESPIBadPicture otherwise. Reads nothing past infoCapacity.
DibLayout CheckDib(const std::uint8_t* info, std::size_t infoCapacity, std::size_t bitsCapacity);

// A BMP file image in memory, owned: "BM" header, the info block's first infoSize bytes and
// the pixel block's first bitsSize bytes.
struct BmpImage {
    PixelBlock bytes;
    std::size_t size = 0;
    std::span<const std::uint8_t> Span() const { return {bytes.get(), size}; }
};

// Writes the checked blocks as a BMP file image. Throws std::bad_alloc.
BmpImage WriteBmpImage(const DibLayout& layout, const std::uint8_t* info, const std::uint8_t* bits);

// Checks the blocks, writes the BMP image and decodes it with our BMP reader into a 32-bit
// bitmap. Throws ESPIBadPicture or the BMP reader's EDecode errors.
Bitmap ConvertDib(const std::uint8_t* info, std::size_t infoCapacity, const std::uint8_t* bits,
                  std::size_t bitsCapacity);

}  // namespace pictavo
