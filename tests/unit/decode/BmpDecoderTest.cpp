#include <gtest/gtest.h>
#include <unistd.h>

#include "DecodeTestSupport.h"
#include "decode/BmpDecoder.h"
#include "decode/DecodeErrors.h"

using namespace pictavo;

namespace {

constexpr int kW = 5;  // odd, so that rows carry padding
constexpr int kH = 3;

struct IndexedCase {
    const char* name;
    std::uint32_t headerSize;
    int bits;
    int storedColours;  // fewer than 2^bits: indexes beyond them are black
};

class BmpIndexed : public testing::TestWithParam<IndexedCase> {};

TEST_P(BmpIndexed, DecodesEveryIndexThroughItsPalette) {
    const IndexedCase c = GetParam();
    const int full = 1 << c.bits;
    Colours palette, indexes;
    for (int i = 0; i < c.storedColours; ++i) palette.push_back(0x102030u * (i + 1) & 0xFFFFFF);
    for (int i = 0; i < kW * kH; ++i) indexes.push_back((i * 7) % full);
    // The core header cannot say top-down.
    for (const bool topDown : {false, c.headerSize != 12}) {
        const Bytes file = MakeBmp({c.headerSize, kW, topDown ? -kH : kH, c.bits, 0, Colours(), palette,
                                    c.storedColours == full ? 0u : c.storedColours,
                                    PackBmpRows(indexes, kW, c.bits, topDown)});
        const Bitmap b32 = BmpDecoder::DecodeBytes(file);
        const Bitmap native = BmpDecoder::DecodeBytes(file, BmpForm::Native);
        ASSERT_EQ(native.BitsPerPixel(), 8);
        ASSERT_EQ(native.Palette().size(), static_cast<std::size_t>(full));
        for (int i = 0; i < kW * kH; ++i) {
            const std::uint32_t colour = indexes[i] < palette.size() ? palette[indexes[i]] : 0;
            EXPECT_EQ(PixelAt(b32, i % kW, i / kW), 0xFF000000 | colour) << c.name << " pixel " << i;
            EXPECT_EQ(native.Row(i / kW)[i % kW], indexes[i]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, BmpIndexed,
                         testing::Values(IndexedCase{"info1", 40, 1, 2}, IndexedCase{"info4short", 40, 4, 5},
                                         IndexedCase{"core1", 12, 1, 2}, IndexedCase{"v4_8", 108, 8, 3},
                                         IndexedCase{"v5_4", 124, 4, 16}),
                         [](const auto& info) { return info.param.name; });

struct DirectCase {
    const char* name;
    std::uint32_t headerSize;
    int bits;
    std::uint32_t compression;
    Colours masks;
    std::uint32_t stored;    // the one pixel value written everywhere
    std::uint32_t expected;  // 0xAARRGGBB
};

class BmpDirect : public testing::TestWithParam<DirectCase> {};

TEST_P(BmpDirect, ScalesMaskedChannelsToBytes) {
    const DirectCase& c = GetParam();
    Colours values(kW * kH, c.stored);
    values[kW + 1] = 0;  // one pixel elsewhere pins the row order
    for (const bool topDown : {false, c.headerSize != 12}) {
        const Bitmap b = BmpDecoder::DecodeBytes(
            MakeBmp({c.headerSize, kW, topDown ? -kH : kH, c.bits, c.compression, c.masks, Colours(), 0,
                     PackBmpRows(values, kW, c.bits, topDown)}));
        EXPECT_EQ(PixelAt(b, 0, 0), c.expected) << c.name;
        EXPECT_EQ(PixelAt(b, kW - 1, kH - 1), c.expected) << c.name;
        EXPECT_EQ(PixelAt(b, 1, 1) & 0xFFFFFF, 0u) << c.name;
    }
}

const Colours kAlphaMasks{0xFF0000, 0xFF00, 0xFF, 0xFF000000};

// 0x8410 in 5-6-5 catches channels scaled without rounding.
INSTANTIATE_TEST_SUITE_P(
    Layouts, BmpDirect,
    testing::Values(DirectCase{"rgb16", 40, 16, 0, {}, 0x7C1F, 0xFFFF00FF},
                    DirectCase{"fields565", 40, 16, 3, {0xF800, 0x07E0, 0x001F}, 0x8410, 0xFF848284},
                    DirectCase{"core24", 12, 24, 0, {}, 0xABCDEF, 0xFFABCDEF},
                    DirectCase{"rgb32ignoresFourthByte", 40, 32, 0, {}, 0x00123456, 0xFF123456},
                    DirectCase{"fields32", 40, 32, 3, {0xFF, 0xFF00, 0xFF0000}, 0x00112233, 0xFF332211},
                    // A zero mask: that channel is absent.
                    DirectCase{"noGreen565", 40, 16, 3, {0xF800, 0, 0x001F}, 0xFFFF, 0xFFFF00FF},
                    DirectCase{"noRed32", 108, 32, 3, {0, 0xFF00, 0xFF, 0}, 0x00123456, 0xFF003456},
                    DirectCase{"alphaFields", 40, 32, 6, kAlphaMasks, 0x80102030, 0x80102030},
                    DirectCase{"v4alpha", 108, 32, 3, kAlphaMasks, 0x7F405060, 0x7F405060},
                    DirectCase{"v4allZeroAlphaIsOpaque", 108, 32, 3, kAlphaMasks, 0x00405060, 0xFF405060}),
    [](const auto& info) { return info.param.name; });

// RLE data with palette entry i = colour i, decoded to indexes, rows from the top.
std::vector<int> DecodeRle(int bits, int width, int height, const Bytes& data) {
    Colours palette(1 << bits);
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint32_t>(i);
    const Bitmap b = BmpDecoder::DecodeBytes(
        MakeBmp({40, width, height, bits, bits == 8 ? 1u : 2u, {}, palette, 0, data}), BmpForm::Native);
    std::vector<int> out;
    for (int y = 0; y < b.Height(); ++y) out.insert(out.end(), b.Row(y), b.Row(y) + b.Width());
    return out;
}

TEST(BmpDecoder, ExpandsRleRunsLiteralsDeltasAndClipsLongRuns) {
    // Bottom row: a run of 6 clipped to 4. Middle: 3 literals (padded). Top: delta to x=2.
    const Bytes rle8{6, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 2, 7, 0, 1};
    EXPECT_EQ(DecodeRle(8, 4, 3, rle8), (std::vector<int>{0, 0, 7, 7, 1, 2, 3, 0, 5, 5, 5, 5}));
    const Bytes rle4{4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};
    EXPECT_EQ(DecodeRle(4, 4, 2, rle4), (std::vector<int>{3, 4, 5, 0, 1, 2, 1, 2}));
    const Bitmap b32 =
        BmpDecoder::DecodeBytes(MakeBmp({40, 4, 2, 4, 2, {}, {0x111111, 0x222222, 0x333333}, 0, rle4}));
    EXPECT_EQ(PixelAt(b32, 0, 0), 0xFF000000u);  // index 3 lies beyond the 3 stored colours
    EXPECT_EQ(PixelAt(b32, 0, 1), 0xFF222222u);
}

TEST(BmpDecoder, RefusesBrokenRleAndHeaders) {
    EXPECT_THROW(DecodeRle(8, 4, 3, {4, 1, 0, 0}), EBmpDecode);     // ends before the last row
    EXPECT_THROW(DecodeRle(8, 4, 3, {0, 9, 1, 2, 3}), EBmpDecode);  // literal run cut short
    EXPECT_THROW(DecodeRle(8, 4, 3, {0, 2, 1}), EBmpDecode);        // delta cut short
    EXPECT_THROW(DecodeRle(8, 4, -2, {0, 1}), EBmpDecode);          // top-down RLE
    // A PNG inside (compression 5), and 7 bits per pixel.
    for (const auto& [bits, compression] : {std::pair{24, 5u}, std::pair{7, 0u}})
        EXPECT_THROW(BmpDecoder::DecodeBytes(
                         MakeBmp({40, 4, 2, bits, compression, Colours(), Colours(), 0, Bytes(32)})),
                     EBmpDecode);
}

// The file form reads the header, checks it, then only the bytes the picture needs: a picture
// followed by a sparse gigabyte decodes, and a header asking for too much is refused unread.
TEST(BmpDecoder, ReadsOnlyWhatThePictureNeeds) {
    const TempFolder folder;
    Bytes bmp =
        MakeBmp({40, kW, kH, 24, 0, {}, {}, 0, PackBmpRows(Colours(kW * kH, 0x123456), kW, 24, false)});
    const auto padded = [&](const char* name) {
        const std::string path = folder.Write(name, bmp);
        EXPECT_EQ(truncate(path.c_str(), (std::int64_t{1} << 30) + (std::int64_t{2} << 20)), 0);
        return path;
    };
    EXPECT_EQ(PixelAt(BmpDecoder().Decode(padded("small.bmp")), kW - 1, kH - 1), 0xFF123456u);
    bmp[19] = bmp[23] = 0x7F;  // 32517 x 32515 pixels
    EXPECT_THROW(BmpDecoder().Decode(padded("huge.bmp")), EPictureTooLarge);
}

}  // namespace
