// Plug-ins the tests load, one library per behaviour (chosen by TEST_PLUGIN_KIND). The
// made-up format "PVTX": magic, width and height (u32 little-endian), then RGB rows top-down.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "decode/SusiePluginApi.h"

#define KIND_PICTURE 1     // reads PVTX, progress per row, "*.pvx;*.PVY"
#define KIND_ARCHIVE 2     // "00AM"
#define KIND_XN 3          // "00XN"
#define KIND_NO_PICTURE 4  // "00IN" without GetPicture
#define KIND_INFO_ONLY 5   // an info block but no pixel block
#define KIND_MACBINARY 6   // reads PVTX only 128 bytes into a file
#define KIND_PALETTE 7     // a 3 x 2 4-bit picture for "PV4!"
#define KIND_LIAR 8        // blocks that disagree with their header, for "PVLI"

namespace {

// The API version by kind, one name for all and the file pattern by kind. The second pair's
// name is missing, so only the first pair counts.
const char* const kPatterns[] = {"",      "*.pvx;*.PVY", "*.pva", "*.pvn", "*.pvx;*.PVY", "*.pvx;*.PVY",
                                 "*.pvm", "*.pv4",       "*.pvl"};
const char* const kInfo[] = {TEST_PLUGIN_KIND == KIND_ARCHIVE ? "00AM"
                             : TEST_PLUGIN_KIND == KIND_XN    ? "00XN"
                                                              : "00IN",
                             "test picture", kPatterns[TEST_PLUGIN_KIND], "Pictavo test picture", "*.never"};
[[maybe_unused]] const char* kMagic = TEST_PLUGIN_KIND == KIND_PALETTE ? "PV4!"
                                      : TEST_PLUGIN_KIND == KIND_LIAR  ? "PVLI"
                                                                       : "PVTX";

std::uint32_t U32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}

// The picture's bytes from a file (at `len`) or from memory.
[[maybe_unused]] bool Read(const char* buf, intptr_t len, uint32_t flag, std::vector<unsigned char>& out) {
    if ((flag & SPI_INPUT_MASK) == SPI_INPUT_MEMORY) {
        out.assign(buf, buf + len);
        return true;
    }
    if (TEST_PLUGIN_KIND == KIND_MACBINARY && len != SPI_MACBINARY_OFFSET) return false;
    std::ifstream file(buf, std::ios::binary);
    std::vector<unsigned char> all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.is_open() || all.size() < static_cast<std::size_t>(len)) return false;
    out.assign(all.begin() + len, all.end());
    return true;
}

unsigned char* Header(std::size_t blockSize, std::int32_t w, std::int32_t h, int bits,
                      std::uint32_t colours) {
    auto* info = static_cast<SPI_BITMAPINFOHEADER*>(std::calloc(1, blockSize));
    *info = {40, w, h, 1, static_cast<std::uint16_t>(bits), 0, 0, 0, 0, colours, 0};
    return reinterpret_cast<unsigned char*>(info);
}

[[maybe_unused]] int32_t Picture(const std::vector<unsigned char>& d, SPI_HANDLE* pInfo, SPI_HANDLE* pBits,
                                 SPI_PROGRESS cb, intptr_t lData) {
    if (d.size() < 12) return SPI_INTERNAL_ERROR;
    const std::uint32_t w = U32(&d[4]), h = U32(&d[8]);
    const std::size_t stride = (w * 3 + 3) / 4 * 4;
    if (w == 0 || h == 0 || w > 4096 || h > 4096 || d.size() < 12 + std::size_t(w) * h * 3)
        return SPI_INTERNAL_ERROR;
    auto* bits = static_cast<unsigned char*>(std::calloc(h, stride));
    for (std::uint32_t y = 0; y < h; ++y) {
        if (cb != nullptr && cb(static_cast<int32_t>(y + 1), static_cast<int32_t>(h), lData) != 0) {
            std::free(bits);
            return SPI_ABORTED;
        }
        const unsigned char* in = &d[12 + std::size_t(y) * w * 3];
        unsigned char* out = bits + (h - 1 - y) * stride;
        for (std::uint32_t x = 0; x < w; ++x)
            out[x * 3] = in[x * 3 + 2], out[x * 3 + 1] = in[x * 3 + 1], out[x * 3 + 2] = in[x * 3];
    }
    *pInfo = Header(40, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h), 24, 0);
    *pBits = bits;
    if (TEST_PLUGIN_KIND == KIND_INFO_ONLY) std::free(bits), *pBits = nullptr;
    return SPI_SUCCESS;
}

// Colours 0..15 are (16 i, 255 - 16 i, i) as RGB; pixels top row 1 2 3, bottom row 15 14 0.
[[maybe_unused]] int32_t PalettePicture(SPI_HANDLE* pInfo, SPI_HANDLE* pBits) {
    auto* info = Header(40 + 16 * 4, 3, 2, 4, 16);
    for (int i = 0; i < 16; ++i) {
        unsigned char* q = info + 40 + i * 4;
        q[0] = static_cast<unsigned char>(i), q[1] = static_cast<unsigned char>(255 - 16 * i),
        q[2] = static_cast<unsigned char>(16 * i);
    }
    auto* bits = static_cast<unsigned char*>(std::calloc(2, 4));
    bits[0] = 0xFE, bits[1] = 0x00;  // bottom row: 15 14 | 0
    bits[4] = 0x12, bits[5] = 0x30;  // top row: 1 2 | 3
    *pInfo = info;
    *pBits = bits;
    return SPI_SUCCESS;
}

struct Lie {
    std::int32_t width, height;
    int bits;
    std::uint32_t colours;
    std::size_t bitsSize;
};

// Byte 4 of the file picks the lie: a short pixel block, a short colour table, zero width, bit
// count 7, 2^30 pixels, 300 colours.
[[maybe_unused]] int32_t LyingPicture(const std::vector<unsigned char>& d, SPI_HANDLE* pInfo,
                                      SPI_HANDLE* pBits) {
    constexpr Lie kLies[] = {{64, 64, 24, 0, 16},
                             {2, 2, 8, 200, 64},
                             {0, 5, 24, 0, 16},
                             {2, 2, 7, 0, 16},
                             {1 << 15, -(1 << 15), 24, 0, 16},
                             {2, 2, 8, 300, 64}};
    const Lie& lie = kLies[d.size() > 4 && d[4] < 6 ? d[4] : 0];
    *pInfo = Header(40, lie.width, lie.height, lie.bits, lie.colours);
    *pBits = std::malloc(lie.bitsSize);
    return SPI_SUCCESS;
}

}  // namespace

extern "C" {

SPI_EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {
    if (infono < 0 || infono >= int32_t(sizeof kInfo / sizeof kInfo[0])) return 0;
    std::strncpy(buf, kInfo[infono], static_cast<std::size_t>(buflen));
    return static_cast<int32_t>(std::strlen(kInfo[infono]));
}

#if TEST_PLUGIN_KIND != KIND_XN
SPI_EXPORT int32_t IsSupported(const char*, const void* dw) {
    return std::memcmp(dw, kMagic, 4) == 0;
}
#endif

#if TEST_PLUGIN_KIND == KIND_ARCHIVE
SPI_EXPORT int32_t GetArchiveInfo(const char*, intptr_t, uint32_t, SPI_HANDLE*) {
    return SPI_NOT_IMPLEMENTED;
}
SPI_EXPORT int32_t GetFileInfo(const char*, intptr_t, const char*, uint32_t, SpiFileInfo*) {
    return SPI_NOT_IMPLEMENTED;
}
SPI_EXPORT int32_t GetFile(const char*, intptr_t, char*, uint32_t, SPI_PROGRESS, intptr_t) {
    return SPI_NOT_IMPLEMENTED;
}
#elif TEST_PLUGIN_KIND != KIND_XN
SPI_EXPORT int32_t GetPictureInfo(const char*, intptr_t, uint32_t, PictureInfo* info) {
    std::memset(info, 0, sizeof *info);
    info->hInfo = std::calloc(1, 8);  // a text the host must free
    return SPI_SUCCESS;
}
#endif

#if TEST_PLUGIN_KIND != KIND_ARCHIVE && TEST_PLUGIN_KIND != KIND_XN && TEST_PLUGIN_KIND != KIND_NO_PICTURE
SPI_EXPORT int32_t GetPicture(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* pInfo,
                              SPI_HANDLE* pBits, SPI_PROGRESS cb, intptr_t lData) {
    std::vector<unsigned char> d;
    if (!Read(buf, len, flag, d)) return SPI_FILE_READ_ERROR;
    if (TEST_PLUGIN_KIND == KIND_PALETTE) return PalettePicture(pInfo, pBits);
    if (TEST_PLUGIN_KIND == KIND_LIAR) return LyingPicture(d, pInfo, pBits);
    return Picture(d, pInfo, pBits, cb, lData);
}
#endif
}
