#pragma once
// Test pictures in the shipped plug-ins' formats, encoded in code by the same Debian
// libraries: WebP, TIFF and JPEG XL lossless, AVIF and HEIC lossy (flat colours survive).
#include <cstdint>
#include <string>
#include <vector>

namespace spitest {

struct RgbPicture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // rows from the top
    // 0xRRGGBB of pixel (x, y).
    std::uint32_t At(int x, int y) const;
};

// Four flat quadrants: red, green / blue, white.
RgbPicture Quadrants(int width, int height);
// Smooth gradients with some noise: what a photograph costs a decoder.
RgbPicture Photo(int width, int height);

enum class Format { WebP, Tiff, Avif, Heif, Jxl };
// The picture encoded in `format`; `lossy` WebP and JPEG XL are what photographs cost (benchmarks).
// Throws std::runtime_error when the library refuses.
std::vector<std::uint8_t> Encode(Format format, const RgbPicture& picture, bool lossy = false);
const char* ExtensionOf(Format format);  // ".webp", ...

}  // namespace spitest
