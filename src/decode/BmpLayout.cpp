#include "decode/BmpLayout.h"

#include <algorithm>
#include <string>

#include "decode/DecodeErrors.h"

namespace pictavo {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kLargestInfoHeader = 124;  // BITMAPV5HEADER
constexpr std::size_t kOs2InfoHeaderSize = 64;   // its compression numbers mean other things

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

[[noreturn]] void Fail(const std::string& why) {
    throw EBmpDecode("BMP: " + why);
}

bool IsValidBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

void CheckCompression(const BmpLayout& l, std::size_t headerSize) {
    switch (l.compression) {
        case kBmpRgb:
            if (!IsValidBitCount(l.bits)) Fail("unsupported bit count " + std::to_string(l.bits));
            return;
        case kBmpRle8:
        case kBmpRle4:
            if (l.bits != (l.compression == kBmpRle8 ? 8 : 4))
                Fail("run-length coding with the wrong bit count");
            if (l.topDown) Fail("run-length coded pictures cannot be stored top-down");
            return;
        case kBmpBitFields:
        case kBmpAlphaBitFields:
            if (headerSize == kOs2InfoHeaderSize) Fail("OS/2 Huffman coding is not supported");
            if (l.bits != 16 && l.bits != 32) Fail("bit fields need 16 or 32 bits per pixel");
            return;
        default:
            Fail("unsupported compression " + std::to_string(l.compression));
    }
}

// Reads the bit masks, which follow a 40-byte header or sit inside a longer one; returns the
// offset just behind them (where the colour table would start).
std::size_t ReadMasks(std::span<const std::uint8_t> b, std::size_t headerSize, BmpLayout& l) {
    std::size_t end = kFileHeaderSize + headerSize;
    if (l.compression == kBmpBitFields || l.compression == kBmpAlphaBitFields) {
        const std::size_t count = l.compression == kBmpAlphaBitFields || headerSize >= 56 ? 4 : 3;
        std::size_t at = kFileHeaderSize + kInfoHeaderSize;
        if (headerSize == kInfoHeaderSize) {
            end += count * 4;
        } else if (headerSize < kInfoHeaderSize + count * 4) {
            Fail("bit masks missing from the header");
        }
        if (end > b.size()) Fail("file ends inside the bit masks");
        for (std::size_t i = 0; i < count; ++i, at += 4) l.masks[i] = U32(b, at);
    } else if (l.bits == 16) {
        l.masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (l.bits == 32) {
        l.masks = {0xFF0000, 0xFF00, 0xFF, 0};
    }
    return end;
}

// Fills l.palette and returns the number of entries stored in the file.
std::size_t ReadPalette(std::span<const std::uint8_t> b, std::size_t start, std::size_t entrySize,
                        std::uint32_t colorsUsed, std::size_t pixelOffset, BmpLayout& l) {
    if (l.bits > 8) return 0;
    const std::size_t full = std::size_t{1} << l.bits;
    std::size_t count = colorsUsed == 0 ? full : std::min<std::size_t>(colorsUsed, full);
    // Writers that leave the colour count at 0 sometimes store fewer entries: trust the room
    // left before the pixels over the count.
    const std::size_t end = pixelOffset > start ? std::min(pixelOffset, b.size()) : b.size();
    count = std::min(count, (end > start ? end - start : 0) / entrySize);
    l.palette.assign(full, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = start + i * entrySize;
        l.palette[i] = static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
                       (static_cast<std::uint32_t>(b[at + 2]) << 16);
    }
    return count;
}

}  // namespace

BmpLayout ReadBmpLayout(std::span<const std::uint8_t> b, std::uint64_t fileSize) {
    if (b.size() < kFileHeaderSize + kCoreHeaderSize || b[0] != 'B' || b[1] != 'M') Fail("not a BMP file");
    const std::size_t headerSize = U32(b, 14);
    BmpLayout l;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t colorsUsed = 0;
    std::size_t entrySize = 4;
    if (headerSize == kCoreHeaderSize) {
        width = U16(b, 18);
        height = U16(b, 20);
        l.bits = U16(b, 24);
        entrySize = 3;
        if (l.bits > 8 && l.bits != 24) Fail("unsupported bit count " + std::to_string(l.bits));
    } else if (headerSize >= kInfoHeaderSize && headerSize <= kLargestInfoHeader) {
        if (b.size() < kFileHeaderSize + headerSize) Fail("file ends inside the header");
        width = static_cast<std::int32_t>(U32(b, 18));
        height = static_cast<std::int32_t>(U32(b, 22));
        l.bits = U16(b, 28);
        l.compression = U32(b, 30);
        colorsUsed = U32(b, 46);
    } else {
        Fail("unknown header size " + std::to_string(headerSize));
    }
    l.topDown = height < 0;
    height = height < 0 ? -height : height;
    CheckPictureSize<EBmpDecode>(width, height, "BMP");
    l.width = static_cast<int>(width);
    l.height = static_cast<int>(height);
    CheckCompression(l, headerSize);

    const std::size_t paletteStart = ReadMasks(b, headerSize, l);
    std::size_t pixelOffset = U32(b, 10);
    const std::size_t stored = ReadPalette(b, paletteStart, entrySize, colorsUsed, pixelOffset, l);
    // An offset pointing into the headers is a writer's mistake; the pixels then follow
    // the colour table directly.
    if (pixelOffset < paletteStart) pixelOffset = paletteStart + entrySize * stored;
    if (pixelOffset >= fileSize) Fail("no pixel data");
    l.pixelOffset = pixelOffset;
    l.stride = ((static_cast<std::size_t>(l.width) * l.bits + 31) / 32) * 4;
    if (l.compression != kBmpRle8 && l.compression != kBmpRle4 &&
        fileSize - pixelOffset < l.stride * static_cast<std::size_t>(l.height))
        Fail("pixel data is truncated");
    return l;
}

std::uint64_t BmpBytesNeeded(const BmpLayout& l, std::uint64_t fileSize) {
    const auto height = static_cast<std::uint64_t>(l.height);
    if (l.compression != kBmpRle8 && l.compression != kBmpRle4) return l.pixelOffset + l.stride * height;
    // Two bytes per pixel (runs of one), an end of line per row and the end of the picture;
    // literal runs and moves take less.
    const std::uint64_t longest = 2 * static_cast<std::uint64_t>(l.width) * height + 2 * height + 2;
    return std::min(fileSize, l.pixelOffset + longest);
}

}  // namespace pictavo
