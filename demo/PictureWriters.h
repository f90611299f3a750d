#pragma once
// Pictures made by code, as file bytes: BMP laid out by hand, PNG through libpng, JPEG through
// libjpeg and GIF through giflib's encoder. The demo pictures, the test pictures, the fuzzing
// seeds and the benchmark pictures all come from here. Colours are 0x00RRGGBB.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace pictavo {

using Bytes = std::vector<std::uint8_t>;
using Colours = std::vector<std::uint32_t>;

// A picture could not be encoded or written.
class EPictureWrite : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `count` bytes of a busy pattern, for pictures whose content does not matter.
Bytes Ramp(std::size_t count);

struct BmpParts {
    std::uint32_t headerSize = 40;  // 12, 40, 108 or 124
    int width = 0, height = 0;      // negative height: top-down
    int bits = 24;
    std::uint32_t compression = 0;
    Colours masks{};  // after a 40-byte header, inside a longer one
    Colours palette{};
    std::uint32_t colorsUsed = 0;
    Bytes pixels{};
};
Bytes MakeBmp(const BmpParts& parts);
// Packs `values` (rows from the top) into BMP rows of `bits` each, padded to 4 bytes,
// stored bottom-up unless `topDown`.
Bytes PackBmpRows(const Colours& values, int width, int bits, bool topDown);

struct PngParts {
    int width = 0, height = 0, colorType = 0, depth = 8;
    bool interlace = false;
    Bytes samples{};  // rows as PNG stores them (16-bit big-endian)
    Colours palette{};
    Bytes alphas{};            // tRNS of a palette picture
    int transparentGrey = -1;  // tRNS of a grey picture
};
Bytes MakePng(const PngParts& parts);

struct JpegParts {
    int width = 0, height = 0;
    J_COLOR_SPACE input = JCS_RGB;  // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    J_COLOR_SPACE stored = JCS_YCbCr;
    bool progressive = false;
    bool scanPerCoefficient = false;  // one scan per AC coefficient and component
    Bytes samples{};                  // rows from the top, `input` components per pixel
    int quality = 95;
};
Bytes MakeJpeg(const JpegParts& parts);

struct GifFrameParts {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlace = false;
    int disposal = 0, delayCs = 0, transparent = -1;
    Colours localColours{};  // empty: the global map
    Bytes indexes{};         // rows from the top
};
struct GifParts {
    int width = 0, height = 0;
    Colours colours{};   // the global map
    int loopCount = -1;  // -1: no looping extension; 0: for ever
    std::vector<GifFrameParts> frames{};
    bool trailer = true;
    int keptGlobalColours = -1;  // 0 or 2: the stored global map is cut to that many entries
};
Bytes MakeGif(const GifParts& parts);

// Writes `bytes` as the file `path`. Throws EPictureWrite.
void WriteBytes(const std::string& path, const Bytes& bytes);

}  // namespace pictavo
