#include <gtest/gtest.h>

#include <string>

#include "ReferenceImaging.h"
#include "TestPictures.h"
#include "imaging/BitmapUtils.h"

using namespace pictavo;
using pictavo::testing::Channel0;
using pictavo::testing::GreyRow;
using pictavo::testing::RandomBitmap;
using pictavo::testing::SameBytes;

namespace {

using Product = Bitmap (*)(const Bitmap&, int, int, int);
using Reference = Bitmap (*)(const Bitmap&, int, int);

struct Method {
    const char* name;
    Product product;
    Reference reference;
    int checkLine;
};

const Method kMethods[] = {
    {"Bilinear", &ResampleBilinear, &reference::Bilinear, 807},
    {"Integral", &ResampleIntegral, &reference::Integral, 942},
    {"BilinearIntegral", &ResampleBilinearIntegral, &reference::BilinearIntegral, 1066},
};

std::string MethodName(const ::testing::TestParamInfo<Method>& info) { return info.param.name; }

class EveryResampler : public ::testing::TestWithParam<Method> {};

}  // namespace

TEST(Resample, KnownRowsOfOneLine) {
    EXPECT_EQ(Channel0(ResampleBilinear(GreyRow({0, 100}), 4, 1)), (std::vector<int>{0, 25, 75, 100}));
    EXPECT_EQ(Channel0(ResampleIntegral(GreyRow({10, 20, 30, 40}), 2, 1)), (std::vector<int>{15, 35}));
    EXPECT_EQ(Channel0(ResampleBilinearIntegral(GreyRow({0, 100}), 4, 1)), (std::vector<int>{0, 25, 75, 100}));
    // The integrated surface softens even when nothing is scaled.
    EXPECT_EQ(Channel0(ResampleBilinearIntegral(GreyRow({0, 100}), 2, 1)), (std::vector<int>{12, 87}));
}

TEST(Resample, SameSizeKeepsPixelsWithBilinearAndIntegral) {
    const Bitmap source = RandomBitmap(13, 7, 32, 1);
    const Bitmap expected = ToBits24(source);
    EXPECT_TRUE(SameBytes(expected, ResampleBilinear(source, 13, 7)));
    EXPECT_TRUE(SameBytes(expected, ResampleIntegral(source, 13, 7)));
}

TEST(Resample, OnePixelSourceFillsTheTarget) {
    Bitmap one(1, 1, 32);
    one.Row(0)[0] = 255, one.Row(0)[1] = 255, one.Row(0)[2] = 255;
    const Bitmap bilinear = ResampleBilinear(one, 1000, 1000);
    // The footprints of the area methods fall 0.000001 source pixels short on each axis;
    // enlarged a thousand times that is 0.1 % of each weight, and 255 becomes 254.49...
    const Bitmap area = ResampleIntegral(one, 1000, 1000);
    const Bitmap combined = ResampleBilinearIntegral(one, 1000, 1000);
    for (int y : {0, 517, 999})
        for (int x : {0, 333, 999}) {
            EXPECT_EQ(bilinear.Row(y)[3 * x + 1], 255);
            EXPECT_EQ(area.Row(y)[3 * x], 254);
            EXPECT_EQ(combined.Row(y)[3 * x + 2], 254);
        }
    // At ordinary enlargements the shortfall is far below half a level.
    const Bitmap small = ResampleBilinearIntegral(one, 7, 5);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(Channel0(small, y), std::vector<int>(7, 255));
}

TEST_P(EveryResampler, EmptySourceRaisesTheAssertionNamingItsLine) {
    for (const Bitmap& empty : {Bitmap(), Bitmap(0, 5, 32), Bitmap(5, 0, 24)}) {
        try {
            GetParam().product(empty, 10, 10, 0);
            ADD_FAILURE() << "no error for an empty source";
        } catch (const EAssertionFailed& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Assertion failed (BitmapUtils, line " + std::to_string(GetParam().checkLine) + ")");
        }
    }
}

TEST_P(EveryResampler, ResultIsA24BitPictureOfTheTargetSize) {
    const Bitmap r = GetParam().product(RandomBitmap(5, 4, 32, 2), 9, 2, 0);
    EXPECT_EQ(r.Width(), 9);
    EXPECT_EQ(r.Height(), 2);
    EXPECT_EQ(r.BitsPerPixel(), 24);
    // No target pixels: an empty picture rather than an error.
    EXPECT_TRUE(GetParam().product(RandomBitmap(5, 4, 32, 2), 0, 7, 0).Empty());
    EXPECT_TRUE(GetParam().product(RandomBitmap(5, 4, 32, 2), 3, -1, 0).Empty());
    EXPECT_THROW(GetParam().product(RandomBitmap(5, 4, 32, 2), 1 << 20, 1 << 20, 0), EBitmapSize);
}

// Up and down, odd and even sizes, one-pixel sources and targets, exact halves (which round
// to even) and scale factors that are not simple fractions.
TEST_P(EveryResampler, MatchesTheDirectFormulaByteForByte) {
    struct Case {
        int ws, hs, wd, hd;
    };
    const Case cases[] = {{1, 1, 1, 1},   {1, 1, 7, 5},     {1, 9, 4, 3},     {9, 1, 2, 6},    {2, 2, 1, 1},
                          {8, 6, 4, 3},   {16, 16, 8, 8},   {10, 10, 20, 20}, {13, 7, 13, 7},  {37, 23, 11, 9},
                          {11, 9, 37, 23}, {64, 48, 19, 17}, {19, 17, 64, 48}, {97, 61, 96, 62}, {40, 30, 12, 31},
                          {3, 100, 301, 7}, {250, 3, 7, 2},  {33, 33, 32, 32}, {7, 5, 3, 2},    {5, 7, 50, 70}};
    unsigned seed = 10;
    for (const Case& c : cases) {
        for (int bits : {32, 24}) {
            const Bitmap source = RandomBitmap(c.ws, c.hs, bits, ++seed);
            const Bitmap expected = GetParam().reference(source, c.wd, c.hd);
            SCOPED_TRACE(std::to_string(c.ws) + "x" + std::to_string(c.hs) + " to " + std::to_string(c.wd) + "x" +
                         std::to_string(c.hd) + " at " + std::to_string(bits) + " bits");
            EXPECT_TRUE(SameBytes(expected, GetParam().product(source, c.wd, c.hd, 1)));
        }
    }
}

TEST_P(EveryResampler, RandomSizesMatchTheDirectFormula) {
    std::mt19937 gen(77);
    auto size = [&](int most) { return 1 + static_cast<int>(gen() % most); };
    for (int round = 0; round < 60; ++round) {
        const int ws = size(90), hs = size(70), wd = size(120), hd = size(80);
        const Bitmap source = RandomBitmap(ws, hs, 32, gen());
        SCOPED_TRACE(std::to_string(ws) + "x" + std::to_string(hs) + " to " + std::to_string(wd) + "x" +
                     std::to_string(hd));
        EXPECT_TRUE(SameBytes(GetParam().reference(source, wd, hd), GetParam().product(source, wd, hd, 1)));
    }
}

TEST_P(EveryResampler, ThreadCountDoesNotChangeABit) {
    const Bitmap source = RandomBitmap(301, 203, 32, 5);
    for (auto [wd, hd] : {std::pair{97, 611}, std::pair{640, 400}}) {
        const Bitmap one = GetParam().product(source, wd, hd, 1);
        EXPECT_TRUE(SameBytes(one, GetParam().product(source, wd, hd, 0)));
        EXPECT_TRUE(SameBytes(one, GetParam().product(source, wd, hd, 3)));
        EXPECT_TRUE(SameBytes(one, GetParam().product(source, wd, hd, 64)));
    }
}

TEST_P(EveryResampler, PaletteSourcesAreReadThroughTheirColours) {
    const Bitmap source = RandomBitmap(17, 11, 8, 6);
    EXPECT_TRUE(SameBytes(GetParam().reference(source, 6, 20), GetParam().product(source, 6, 20, 0)));
}

// Wider than a 16-bit counter reaches.
TEST_P(EveryResampler, PicturesWiderThan32767PixelsWork) {
    const Bitmap source = RandomBitmap(40000, 2, 32, 8);
    EXPECT_TRUE(SameBytes(GetParam().reference(source, 33001, 3), GetParam().product(source, 33001, 3, 0)));
    EXPECT_TRUE(SameBytes(GetParam().reference(source, 997, 1), GetParam().product(source, 997, 1, 0)));
}

INSTANTIATE_TEST_SUITE_P(Resample, EveryResampler, ::testing::ValuesIn(kMethods), MethodName);
