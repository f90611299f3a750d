#pragma once
// Small encoders that make the test pictures in code: BMP bytes by hand, PNG through libpng,
// JPEG through libjpeg and GIF through giflib's encoder. Colours are 0x00RRGGBB.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "imaging/Bitmap.h"

using Bytes = std::vector<std::uint8_t>;

// Pixel (x, y) of a 32-bit bitmap as 0xAARRGGBB.
inline std::uint32_t PixelAt(const pictavo::Bitmap& b, int x, int y) {
    const std::uint8_t* p = b.Row(y) + x * 4;
    return static_cast<std::uint32_t>(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0];
}

struct BmpParts {
    std::uint32_t headerSize = 40;  // 12, 40, 108 or 124
    int width = 0;
    int height = 0;  // negative: top-down
    int bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks{};  // after a 40-byte header, inside a longer one
    std::vector<std::uint32_t> palette{};
    std::uint32_t colorsUsed = 0;
    Bytes pixels{};
};
Bytes MakeBmp(const BmpParts& parts);
// Packs `values` (rows from the top) into BMP rows of `bits` each, padded to 4 bytes,
// stored bottom-up unless `topDown`.
Bytes PackBmpRows(const std::vector<std::uint32_t>& values, int width, int bits, bool topDown);

struct PngParts {
    int width = 0;
    int height = 0;
    int colorType = 0;
    int depth = 8;
    bool interlace = false;
    Bytes samples{};  // rows as PNG stores them (16-bit big-endian)
    std::vector<std::uint32_t> palette{};
    Bytes alphas{};            // tRNS of a palette picture
    int transparentGrey = -1;  // tRNS of a grey picture
};
Bytes MakePng(const PngParts& parts);

struct JpegParts {
    int width = 0;
    int height = 0;
    J_COLOR_SPACE input = JCS_RGB;  // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    J_COLOR_SPACE stored = JCS_YCbCr;
    bool progressive = false;
    bool scanPerCoefficient = false;  // one scan per AC coefficient and component
    Bytes samples{};
};
Bytes MakeJpeg(const JpegParts& parts);

struct GifFrameParts {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlace = false;
    int disposal = 0;
    int delayCs = 0;
    int transparent = -1;
    std::vector<std::uint32_t> localColours{};  // empty: the global map
    Bytes indexes{};                            // rows from the top
};
struct GifParts {
    int width = 0, height = 0;
    std::vector<std::uint32_t> colours{};  // the global map
    int loopCount = -1;                    // -1: no looping extension
    std::vector<GifFrameParts> frames{};
    bool trailer = true;
    int keptGlobalColours = -1;  // 0 or 2: the stored global map is cut to that many entries
};
Bytes MakeGif(const GifParts& parts);

// A folder removed with its content at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string Path(const std::string& name) const { return (path_ / name).string(); }
    // Writes `bytes` to the file `name` in the folder and returns its path.
    std::string Write(const std::string& name, const Bytes& bytes) const;

private:
    std::filesystem::path path_;
};
