#include <gtest/gtest.h>

#include "PictureMaker.h"
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
    std::vector<std::uint32_t> palette, indexes;
    for (int i = 0; i < c.storedColours; ++i) palette.push_back(0x102030u * (i + 1) & 0xFFFFFF);
    for (int i = 0; i < kW * kH; ++i) indexes.push_back((i * 7) % full);
    for (const bool topDown : {false, true}) {
        if (topDown && c.headerSize == 12) continue;  // the core header cannot say top-down
        BmpParts parts{.headerSize = c.headerSize, .width = kW, .height = topDown ? -kH : kH, .bits = c.bits};
        parts.palette = palette;
        parts.colorsUsed = c.storedColours == full ? 0 : c.storedColours;
        parts.pixels = PackBmpRows(indexes, kW, c.bits, topDown);
        const Bytes file = MakeBmp(parts);
        const Bitmap b32 = BmpDecoder::DecodeBytes(file);
        const Bitmap native = BmpDecoder::DecodeBytes(file, BmpForm::Native);
        ASSERT_EQ(native.BitsPerPixel(), 8);
        ASSERT_EQ(native.Palette().size(), static_cast<std::size_t>(full));
        for (int i = 0; i < kW * kH; ++i) {
            const std::uint32_t index = indexes[i];
            const std::uint32_t colour = index < palette.size() ? palette[index] : 0;
            EXPECT_EQ(PixelAt(b32, i % kW, i / kW), 0xFF000000 | colour) << c.name << " pixel " << i;
            EXPECT_EQ(native.Row(i / kW)[i % kW], index);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, BmpIndexed,
                         testing::Values(IndexedCase{"info1", 40, 1, 2}, IndexedCase{"info4short", 40, 4, 5},
                                         IndexedCase{"info8short", 40, 8, 7}, IndexedCase{"core1", 12, 1, 2},
                                         IndexedCase{"core4", 12, 4, 16}, IndexedCase{"core8", 12, 8, 256},
                                         IndexedCase{"v4_8", 108, 8, 3}, IndexedCase{"v5_4", 124, 4, 16}),
                         [](const auto& info) { return info.param.name; });

struct DirectCase {
    const char* name;
    std::uint32_t headerSize;
    int bits;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    std::uint32_t stored;    // the one pixel value written everywhere
    std::uint32_t expected;  // 0xAARRGGBB
};

class BmpDirect : public testing::TestWithParam<DirectCase> {};

TEST_P(BmpDirect, ScalesMaskedChannelsToBytes) {
    const DirectCase& c = GetParam();
    std::vector<std::uint32_t> values(kW * kH, c.stored);
    values[kW + 1] = 0;  // one pixel elsewhere pins the row order
    for (const bool topDown : {false, c.headerSize != 12}) {
        BmpParts parts{.headerSize = c.headerSize,
                       .width = kW,
                       .height = topDown ? -kH : kH,
                       .bits = c.bits,
                       .compression = c.compression,
                       .masks = c.masks};
        parts.pixels = PackBmpRows(values, kW, c.bits, topDown);
        const Bitmap b = BmpDecoder::DecodeBytes(MakeBmp(parts));
        EXPECT_EQ(PixelAt(b, 0, 0), c.expected) << c.name;
        EXPECT_EQ(PixelAt(b, kW - 1, kH - 1), c.expected) << c.name;
        EXPECT_EQ(PixelAt(b, 1, 1) & 0xFFFFFF, 0u) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, BmpDirect,
    testing::Values(
        DirectCase{"rgb16", 40, 16, 0, {}, 0x7C1F, 0xFFFF00FF},
        DirectCase{"fields565", 40, 16, 3, {0xF800, 0x07E0, 0x001F}, 0x8410, 0xFF848284},
        DirectCase{"core24", 12, 24, 0, {}, 0xABCDEF, 0xFFABCDEF},
        DirectCase{"rgb32ignoresFourthByte", 40, 32, 0, {}, 0x00123456, 0xFF123456},
        DirectCase{"fields32", 40, 32, 3, {0xFF, 0xFF00, 0xFF0000}, 0x00112233, 0xFF332211},
        DirectCase{"alphaFields", 40, 32, 6, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0x80102030, 0x80102030},
        DirectCase{"v4alpha", 108, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0x7F405060, 0x7F405060},
        DirectCase{"v5rgb24", 124, 24, 0, {}, 0x0A0B0C, 0xFF0A0B0C}),
    [](const auto& info) { return info.param.name; });

TEST(BmpDecoder, AllZeroAlphaMeansOpaque) {
    BmpParts parts{.headerSize = 108,
                   .width = 2,
                   .height = 1,
                   .bits = 32,
                   .compression = 3,
                   .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000}};
    parts.pixels = PackBmpRows({0x00102030, 0x00405060}, 2, 32, false);
    EXPECT_EQ(PixelAt(BmpDecoder::DecodeBytes(MakeBmp(parts)), 1, 0), 0xFF405060u);
}

Bitmap DecodeRle(int bits, int width, int height, const Bytes& data) {
    BmpParts parts{.width = width, .height = height, .bits = bits, .compression = bits == 8 ? 1u : 2u};
    for (int i = 0; i < (1 << bits); ++i) parts.palette.push_back(static_cast<std::uint32_t>(i));
    parts.pixels = data;
    return BmpDecoder::DecodeBytes(MakeBmp(parts), BmpForm::Native);
}

std::vector<int> Indexes(const Bitmap& b) {
    std::vector<int> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) out.push_back(b.Row(y)[x]);
    return out;
}

TEST(BmpDecoder, ExpandsRle8RunsLiteralsDeltasAndClipsLongRuns) {
    // Bottom row: a run of 6 clipped to 4. Middle: 3 literals (padded). Top: delta to x=2.
    const Bytes data{6, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 2, 7, 0, 1};
    EXPECT_EQ(Indexes(DecodeRle(8, 4, 3, data)), (std::vector<int>{0, 0, 7, 7, 1, 2, 3, 0, 5, 5, 5, 5}));
}

TEST(BmpDecoder, ExpandsRle4NibblePairsAndLiterals) {
    const Bytes data{4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};
    EXPECT_EQ(Indexes(DecodeRle(4, 4, 2, data)), (std::vector<int>{3, 4, 5, 0, 1, 2, 1, 2}));
    const Bitmap b32 =
        BmpDecoder::DecodeBytes(MakeBmp({40, 4, 2, 4, 2, {}, {0x111111, 0x222222, 0x333333}, 0, data}));
    EXPECT_EQ(PixelAt(b32, 0, 0), 0xFF000000u);  // index 3 lies beyond the 3 stored colours
    EXPECT_EQ(PixelAt(b32, 0, 1), 0xFF222222u);
}

TEST(BmpDecoder, RefusesBrokenRleAndHeaders) {
    EXPECT_THROW(DecodeRle(8, 4, 3, {4, 1, 0, 0}), EBmpDecode);     // ends before the last row
    EXPECT_THROW(DecodeRle(8, 4, 3, {0, 9, 1, 2, 3}), EBmpDecode);  // literal run cut short
    EXPECT_THROW(DecodeRle(8, 4, 3, {0, 2, 1}), EBmpDecode);        // delta cut short
    BmpParts topDownRle{40, 4, -2, 8, 1, {}, {0}, 0, {0, 1}};
    EXPECT_THROW(BmpDecoder::DecodeBytes(MakeBmp(topDownRle)), EBmpDecode);
    BmpParts png{40, 4, 2, 24, 5, {}, {}, 0, Bytes(32)};
    EXPECT_THROW(BmpDecoder::DecodeBytes(MakeBmp(png)), EBmpDecode);
    BmpParts bits7{40, 4, 2, 7, 0, {}, {}, 0, Bytes(32)};
    EXPECT_THROW(BmpDecoder::DecodeBytes(MakeBmp(bits7)), EBmpDecode);
}

}  // namespace
