#pragma once
// The picture a Susie plug-in hands back (a BITMAPINFO block and a pixel block) is untrusted:
// these checks run before any pixel is read, and the BMP file image built from it is what
// our BMP reader turns into a bitmap. No Qt, so the fuzz harness can drive it directly.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

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

// The headers of the BMP file image that the checked blocks make: "BM" header and the info
// block's first infoSize bytes. The pixel block follows them as it is, never copied.
std::vector<std::uint8_t> WriteBmpHead(const DibLayout& layout, const std::uint8_t* info);

// Checks the blocks and decodes them as a BMP file image (head and pixel block) with our BMP reader into a
// 32-bit bitmap. Throws ESPIBadPicture or the BMP reader's EDecode errors.
Bitmap ConvertDib(const std::uint8_t* info, std::size_t infoCapacity, const std::uint8_t* bits,
                  std::size_t bitsCapacity);

}  // namespace pictavo
