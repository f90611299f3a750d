#include <gtest/gtest.h>

#include <png.h>

#include "PictureMaker.h"
#include "decode/DecodeErrors.h"
#include "decode/PngDecoder.h"

using namespace pictavo;

namespace {

constexpr int kW = 13;  // odd sizes reach every interlace pass partly
constexpr int kH = 11;

struct PngCase {
    const char* name;
    int colorType;
    int depth;
    bool interlace = false;
    bool transparentGrey = false;
};

int Channels(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return 4;
        default:
            return 1;
    }
}

// Sample c of pixel (x, y), spread over the whole range of the depth.
unsigned Sample(int x, int y, int c, int depth) {
    const unsigned v = static_cast<unsigned>(x * 37 + y * 101 + c * 59) * (depth == 16 ? 263u : 1u);
    return v & ((1u << depth) - 1);
}

std::uint32_t PaletteColour(unsigned i) {
    return ((i * 53) & 0xFF) << 16 | ((i * 97) & 0xFF) << 8 | ((i * 151) & 0xFF);
}

PngParts Build(const PngCase& c) {
    PngParts p{
        .width = kW, .height = kH, .colorType = c.colorType, .depth = c.depth, .interlace = c.interlace};
    const int channels = Channels(c.colorType);
    const std::size_t stride = (static_cast<std::size_t>(kW) * channels * c.depth + 7) / 8;
    p.samples.assign(stride * kH, 0);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            for (int ch = 0; ch < channels; ++ch) {
                const unsigned v = Sample(x, y, ch, c.depth);
                const std::size_t bit = (static_cast<std::size_t>(x) * channels + ch) * c.depth;
                std::uint8_t* at = p.samples.data() + stride * y + bit / 8;
                if (c.depth == 16) {
                    at[0] = static_cast<std::uint8_t>(v >> 8);
                    at[1] = static_cast<std::uint8_t>(v);
                } else {
                    at[0] |= static_cast<std::uint8_t>(v << (8 - c.depth - bit % 8));
                }
            }
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
        for (unsigned i = 0; i < (1u << c.depth); ++i) p.palette.push_back(PaletteColour(i));
        for (unsigned i = 0; i < 5 && i < p.palette.size(); ++i)
            p.alphas.push_back(static_cast<std::uint8_t>(i * 60));
    }
    if (c.transparentGrey) p.transparentGrey = static_cast<int>(Sample(2, 3, 0, c.depth));
    return p;
}

std::uint32_t Expected(const PngCase& c, int x, int y) {
    const auto to8 = [&](int ch) {
        const unsigned v = Sample(x, y, ch, c.depth);
        return c.depth == 16 ? v >> 8 : v * 255 / ((1u << c.depth) - 1);
    };
    switch (c.colorType) {
        case PNG_COLOR_TYPE_PALETTE: {
            const unsigned i = Sample(x, y, 0, c.depth);
            return (i < 5 ? i * 60 : 255u) << 24 | PaletteColour(i);
        }
        case PNG_COLOR_TYPE_GRAY: {
            const bool hidden = c.transparentGrey && Sample(x, y, 0, c.depth) == Sample(2, 3, 0, c.depth);
            return (hidden ? 0u : 0xFF000000u) | to8(0) * 0x010101u;
        }
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return to8(1) << 24 | to8(0) * 0x010101u;
        case PNG_COLOR_TYPE_RGB:
            return 0xFF000000u | to8(0) << 16 | to8(1) << 8 | to8(2);
        default:
            return to8(3) << 24 | to8(0) << 16 | to8(1) << 8 | to8(2);
    }
}

class PngLayouts : public testing::TestWithParam<PngCase> {};

TEST_P(PngLayouts, DecodeToExactStraightBgra) {
    const PngCase& c = GetParam();
    const Bitmap b = PngDecoder::DecodeBytes(MakePng(Build(c)));
    ASSERT_EQ(b.Width(), kW);
    ASSERT_EQ(b.Height(), kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            ASSERT_EQ(PixelAt(b, x, y), Expected(c, x, y)) << c.name << " at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PngLayouts,
    testing::Values(
        PngCase{"grey1", PNG_COLOR_TYPE_GRAY, 1}, PngCase{"grey2", PNG_COLOR_TYPE_GRAY, 2},
        PngCase{"grey4", PNG_COLOR_TYPE_GRAY, 4}, PngCase{"grey8", PNG_COLOR_TYPE_GRAY, 8},
        PngCase{"grey16", PNG_COLOR_TYPE_GRAY, 16}, PngCase{"grey8trns", PNG_COLOR_TYPE_GRAY, 8, false, true},
        PngCase{"greyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        PngCase{"greyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16}, PngCase{"rgb8", PNG_COLOR_TYPE_RGB, 8},
        PngCase{"rgb16", PNG_COLOR_TYPE_RGB, 16}, PngCase{"rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8},
        PngCase{"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16}, PngCase{"palette1", PNG_COLOR_TYPE_PALETTE, 1},
        PngCase{"palette2", PNG_COLOR_TYPE_PALETTE, 2}, PngCase{"palette4", PNG_COLOR_TYPE_PALETTE, 4},
        PngCase{"palette8", PNG_COLOR_TYPE_PALETTE, 8},
        PngCase{"interlacedRgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, true},
        PngCase{"interlacedPalette4", PNG_COLOR_TYPE_PALETTE, 4, true},
        PngCase{"interlacedGrey16", PNG_COLOR_TYPE_GRAY, 16, true}),
    [](const auto& info) { return info.param.name; });

TEST(PngDecoder, RefusesDamagedChecksumsAndMissingEnd) {
    const Bytes good = MakePng(Build({"rgb8", PNG_COLOR_TYPE_RGB, 8}));
    Bytes header = good;
    header[20] ^= 0x01;  // inside IHDR: its checksum no longer matches
    EXPECT_THROW(PngDecoder::DecodeBytes(header), EPngDecode);
    const Bytes noEnd(good.begin(), good.end() - 12);
    EXPECT_THROW(PngDecoder::DecodeBytes(noEnd), EPngDecode);
}

}  // namespace
