#include "decode/SpiDib.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "decode/BmpDecoder.h"
#include "imaging/Bitmap.h"

namespace pictavo {

namespace {

constexpr std::size_t kHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;

template <class T>
T ReadLe(const std::uint8_t* p) {
    T value;
    std::memcpy(&value, p, sizeof value);  // the host is little-endian, as the format
    return value;
}

void Fail(const std::string& what) {
    throw ESPIBadPicture("plug-in picture: " + what);
}

bool KnownBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

template <class T>
void WriteLe(std::uint8_t* p, T value) {
    std::memcpy(p, &value, sizeof value);
}

}  // namespace

DibLayout CheckDib(const std::uint8_t* info, std::size_t infoCapacity, std::size_t bitsCapacity) {
    if (info == nullptr || infoCapacity < kHeaderSize) Fail("the info block is shorter than its header");
    DibLayout l;
    l.width = ReadLe<std::int32_t>(info + 4);
    l.height = ReadLe<std::int32_t>(info + 8);
    l.bitCount = ReadLe<std::uint16_t>(info + 14);
    const std::uint32_t clrUsed = ReadLe<std::uint32_t>(info + 32);
    const std::int64_t w = l.width < 0 ? -std::int64_t{l.width} : l.width;
    const std::int64_t h = l.height < 0 ? -std::int64_t{l.height} : l.height;
    if (w == 0 || h == 0) Fail("zero width or height");
    if (w * h > kMaxBitmapPixels) Fail("more than 2^28 pixels");
    if (!KnownBitCount(l.bitCount)) Fail("unknown bit count " + std::to_string(l.bitCount));
    const std::uint32_t maxColors = l.bitCount <= 8 ? (1u << l.bitCount) : 256u;
    l.colors = clrUsed != 0 ? clrUsed : (l.bitCount <= 8 ? (1u << l.bitCount) : 0u);
    if (l.colors > maxColors) Fail("a colour table of " + std::to_string(clrUsed) + " entries");
    l.infoSize = kHeaderSize + 4 * std::size_t{l.colors};
    // w <= 2^28 and bits <= 32, so the row and block sizes fit easily in 64 bits.
    l.stride = static_cast<std::size_t>((w * l.bitCount + 31) / 32 * 4);
    l.bitsSize = static_cast<std::size_t>(h) * l.stride;
    if (infoCapacity < l.infoSize) Fail("the info block is shorter than its colour table");
    if (bitsCapacity < l.bitsSize) Fail("the pixel block is shorter than its rows");
    l.hasPalette = l.bitCount == 4;
    return l;
}

std::vector<std::uint8_t> WriteBmpHead(const DibLayout& layout, const std::uint8_t* info) {
    std::vector<std::uint8_t> head(kFileHeaderSize + layout.infoSize);
    WriteLe<std::uint16_t>(head.data(), 0x4D42);
    // A file image beyond 4 GiB cannot occur: 2^28 pixels at 32 bits is 1 GiB.
    WriteLe<std::uint32_t>(head.data() + 2, static_cast<std::uint32_t>(head.size() + layout.bitsSize));
    WriteLe<std::uint32_t>(head.data() + 10, static_cast<std::uint32_t>(head.size()));
    std::memcpy(head.data() + kFileHeaderSize, info, layout.infoSize);
    return head;
}

Bitmap ConvertDib(const std::uint8_t* info, std::size_t infoCapacity, const std::uint8_t* bits,
                  std::size_t bitsCapacity) {
    const DibLayout layout = CheckDib(info, infoCapacity, bitsCapacity);
    if (bits == nullptr) Fail("no pixel block");
    return BmpDecoder::DecodeParts(WriteBmpHead(layout, info), {bits, layout.bitsSize}, BmpForm::Bits32);
}

}  // namespace pictavo
