#include <gtest/gtest.h>

#include <cstdlib>

#include "DecodeTestSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/JpegDecoder.h"

using namespace pictavo;

namespace {

constexpr int kW = 64;
constexpr int kH = 48;

// A smooth picture, which JPEG keeps within a few levels at quality 95.
JpegParts Smooth(J_COLOR_SPACE input, J_COLOR_SPACE stored, bool progressive = false) {
    JpegParts p{kW, kH, input, stored, progressive};
    const int count = input == JCS_GRAYSCALE ? 1 : input == JCS_CMYK ? 4 : 3;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int values[4] = {40 + x * 3, 30 + y * 4, 200 - x - y, 60 + (x + y) / 2};
            p.samples.insert(p.samples.end(), values, values + count);
        }
    return p;
}

// What the samples should decode to, as 0x00RRGGBB.
std::uint32_t Expected(const JpegParts& p, int x, int y) {
    if (p.input == JCS_GRAYSCALE) return p.samples[y * kW + x] * 0x010101u;
    const std::uint8_t* s = p.samples.data() + (y * kW + x) * (p.input == JCS_CMYK ? 4 : 3);
    if (p.input == JCS_RGB) return s[0] << 16 | s[1] << 8 | s[2];
    // libjpeg marks CMYK with the Adobe marker, whose convention stores the inks inverted.
    const auto ink = [&](int c) { return static_cast<std::uint32_t>((s[c] * s[3] + 127) / 255); };
    return ink(0) << 16 | ink(1) << 8 | ink(2);
}

void ExpectClose(const JpegParts& p, const Bitmap& b) {
    ASSERT_EQ(b.Width(), kW);
    ASSERT_EQ(b.Height(), kH);
    int worst = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const std::uint32_t e = Expected(p, x, y), got = PixelAt(b, x, y);
            ASSERT_EQ(got >> 24, 255u);
            for (int c = 0; c < 24; c += 8)
                worst = std::max(worst, std::abs(int((got >> c) & 0xFF) - int((e >> c) & 0xFF)));
        }
    EXPECT_LE(worst, 10);
}

class JpegLayouts : public testing::TestWithParam<std::pair<const char*, JpegParts>> {};

TEST_P(JpegLayouts, DecodeCloseToTheSource) {
    Bitmap b;
    JpegDecoder::DecodeInto(MakeJpeg(GetParam().second), b);
    ExpectClose(GetParam().second, b);
}

INSTANTIATE_TEST_SUITE_P(Layouts, JpegLayouts,
                         testing::Values(std::pair{"ycc", Smooth(JCS_RGB, JCS_YCbCr)},
                                         std::pair{"grey", Smooth(JCS_GRAYSCALE, JCS_GRAYSCALE)},
                                         std::pair{"cmyk", Smooth(JCS_CMYK, JCS_CMYK)},
                                         std::pair{"ycck", Smooth(JCS_CMYK, JCS_YCCK, true)}),
                         [](const auto& info) { return info.param.first; });

// A same-sized target is reused; any other, or one emptied by a move, is replaced.
TEST(JpegDecoder, ReusesTheTargetOfTheSameSizeOnly) {
    const Bytes jpeg = MakeJpeg(Smooth(JCS_RGB, JCS_YCbCr));
    Bitmap target(kW, kH, 32);
    const std::uint8_t* memory = target.Data();
    JpegDecoder::DecodeInto(jpeg, target);
    EXPECT_EQ(target.Data(), memory);
    Bitmap other(3, 3, 24);
    JpegDecoder::DecodeInto(jpeg, other);
    EXPECT_EQ(other.Width(), kW);
    EXPECT_EQ(other.BitsPerPixel(), 32);
    const Bitmap kept = std::move(target);
    JpegDecoder::DecodeInto(jpeg, target);
    ExpectClose(Smooth(JCS_RGB, JCS_YCbCr), target);
}

TEST(JpegDecoder, BoundsTheNumberOfProgressiveScans) {
    JpegParts grey = Smooth(JCS_GRAYSCALE, JCS_GRAYSCALE);
    grey.scanPerCoefficient = true;  // 64 scans: allowed, and the progressive grey layout
    Bitmap b;
    JpegDecoder::DecodeInto(MakeJpeg(grey), b);
    ExpectClose(grey, b);
    JpegParts colour = Smooth(JCS_RGB, JCS_YCbCr);
    colour.scanPerCoefficient = true;  // 190 scans: refused
    EXPECT_THROW(JpegDecoder::DecodeInto(MakeJpeg(colour), b), EJpegDecode);
}

}  // namespace
