#include <gtest/gtest.h>

#include <png.h>

#include "DecodeTestSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/PngDecoder.h"

using namespace pictavo;

namespace {

constexpr int kW = 13;  // odd sizes reach every interlace pass partly
constexpr int kH = 11;
constexpr int kGrey = PNG_COLOR_TYPE_GRAY, kGreyAlpha = PNG_COLOR_TYPE_GRAY_ALPHA, kRgb = PNG_COLOR_TYPE_RGB,
              kRgba = PNG_COLOR_TYPE_RGB_ALPHA, kPalette = PNG_COLOR_TYPE_PALETTE;

struct PngCase {
    const char* name;
    int colorType;
    int depth;
    bool interlace = false;
    bool transparentGrey = false;
};

// Sample c of pixel (x, y), spread over the whole range of the depth.
unsigned Sample(int x, int y, int c, int depth) {
    const unsigned v = static_cast<unsigned>(x * 37 + y * 101 + c * 59) * (depth == 16 ? 263u : 1u);
    return v & ((1u << depth) - 1);
}

std::uint32_t PaletteColour(unsigned i) {
    return ((i * 53) & 0xFF) << 16 | ((i * 97) & 0xFF) << 8 | ((i * 151) & 0xFF);
}

PngParts Build(const PngCase& c) {
    PngParts p{kW, kH, c.colorType, c.depth, c.interlace};
    const int channels = c.colorType == kGreyAlpha ? 2
                         : c.colorType == kRgb     ? 3
                         : c.colorType == kRgba    ? 4
                                                   : 1;
    const std::size_t stride = (static_cast<std::size_t>(kW) * channels * c.depth + 7) / 8;
    p.samples.assign(stride * kH, 0);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            for (int ch = 0; ch < channels; ++ch) {
                const unsigned v = Sample(x, y, ch, c.depth);
                const std::size_t bit = (static_cast<std::size_t>(x) * channels + ch) * c.depth;
                std::uint8_t* at = p.samples.data() + stride * y + bit / 8;
                if (c.depth == 16) at[1] = static_cast<std::uint8_t>(v);
                at[0] |= static_cast<std::uint8_t>(c.depth == 16 ? v >> 8 : v << (8 - c.depth - bit % 8));
            }
    for (unsigned i = 0; c.colorType == kPalette && i < (1u << c.depth); ++i) {
        p.palette.push_back(PaletteColour(i));
        if (i < 5) p.alphas.push_back(static_cast<std::uint8_t>(i * 60));
    }
    if (c.transparentGrey) p.transparentGrey = static_cast<int>(Sample(2, 3, 0, c.depth));
    return p;
}

std::uint32_t Expected(const PngCase& c, int x, int y) {
    const unsigned index = Sample(x, y, 0, c.depth);
    if (c.colorType == kPalette) return (index < 5 ? index * 60 : 255u) << 24 | PaletteColour(index);
    const auto to8 = [&](int ch) {
        const unsigned v = Sample(x, y, ch, c.depth);
        return c.depth == 16 ? v >> 8 : v * 255 / ((1u << c.depth) - 1);
    };
    const bool colour = c.colorType & PNG_COLOR_MASK_COLOR, alpha = c.colorType & PNG_COLOR_MASK_ALPHA;
    const bool hidden = c.transparentGrey && index == Sample(2, 3, 0, c.depth);
    return (alpha    ? to8(colour ? 3 : 1)
            : hidden ? 0u
                     : 255u)
               << 24 |
           (colour ? to8(0) << 16 | to8(1) << 8 | to8(2) : to8(0) * 0x010101u);
}

class PngLayouts : public testing::TestWithParam<PngCase> {};

TEST_P(PngLayouts, DecodeToExactStraightBgra) {
    const PngCase& c = GetParam();
    const Bitmap b = PngDecoder::DecodeBytes(MakePng(Build(c)));
    ASSERT_EQ(b.Width(), kW);
    ASSERT_EQ(b.Height(), kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(PixelAt(b, x, y), Expected(c, x, y)) << c.name << " at " << x << "," << y;
    // Flattening skips a picture marked opaque: only a file without alpha or tRNS may be marked.
    const bool mayBeTransparent =
        (c.colorType & PNG_COLOR_MASK_ALPHA) || c.transparentGrey || c.colorType == kPalette;
    EXPECT_EQ(b.KnownOpaque(), !mayBeTransparent) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Layouts, PngLayouts,
                         testing::Values(PngCase{"grey1", kGrey, 1}, PngCase{"grey16", kGrey, 16},
                                         PngCase{"grey8trns", kGrey, 8, false, true},
                                         PngCase{"greyAlpha8", kGreyAlpha, 8}, PngCase{"rgb8", kRgb, 8},
                                         PngCase{"rgba16", kRgba, 16}, PngCase{"palette8", kPalette, 8},
                                         PngCase{"interlacedPalette4", kPalette, 4, true}),
                         [](const auto& info) { return info.param.name; });

// A file cut before its end chunk fails with the hostile inputs.
TEST(PngDecoder, RefusesADamagedChecksum) {
    Bytes png = MakePng(Build({"rgb8", kRgb, 8}));
    png[20] ^= 0x01;  // inside IHDR: its checksum no longer matches
    EXPECT_THROW(PngDecoder::DecodeBytes(png), EPngDecode);
}

}  // namespace
