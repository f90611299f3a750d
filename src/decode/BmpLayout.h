#pragma once
// What a BMP header says about its pixels, read and checked before anything is allocated.
// Internal to the BMP reader.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pictavo {

enum BmpCompression : std::uint32_t {
    kBmpRgb = 0,
    kBmpRle8 = 1,
    kBmpRle4 = 2,
    kBmpBitFields = 3,
    kBmpAlphaBitFields = 6,
};

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;  // 1, 4, 8, 16, 24 or 32
    std::uint32_t compression = kBmpRgb;
    // Red, green, blue and alpha masks of 16- and 32-bit pixels (alpha 0: no alpha).
    std::array<std::uint32_t, 4> masks{};
    // 0x00RRGGBB colours of a 1/4/8-bit picture, always 2^bits long: a palette that the file
    // stores shorter is padded with black, so every index of the pixel data has a colour.
    std::vector<std::uint32_t> palette;
    std::size_t pixelOffset = 0;  // first byte of the pixel data within the file image
    // Bytes of one stored row of an uncompressed picture (padded to 4 bytes).
    std::size_t stride = 0;
};

// The headers and the largest colour table lie within this many bytes from the file's start.
inline constexpr std::size_t kBmpHeadBytes = 14 + 124 + 256 * 4;

// Reads the file header, the info header (core, info, V2-V5) and the colour table from `head`,
// the first min(kBmpHeadBytes, fileSize) bytes (or more) of a BMP file image of `fileSize`
// bytes. Throws EBmpDecode for a malformed, unsupported or truncated header (uncompressed
// pixel data is checked to fit in the file too) and EPictureTooLarge past the limit.
BmpLayout ReadBmpLayout(std::span<const std::uint8_t> head, std::uint64_t fileSize);
inline BmpLayout ReadBmpLayout(std::span<const std::uint8_t> bytes) {
    return ReadBmpLayout(bytes, bytes.size());
}

// How many bytes from the file's start the picture of `layout` needs: up to the end of its
// rows, or for run-length data as far as the longest sensible coding of the picture reaches
// (never more than `fileSize`).
std::uint64_t BmpBytesNeeded(const BmpLayout& layout, std::uint64_t fileSize);

}  // namespace pictavo
