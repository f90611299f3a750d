#include <gtest/gtest.h>

#include <string>

#include "ReferenceImaging.h"
#include "TestPictures.h"
#include "imaging/BitmapUtils.h"

using namespace pictavo;
using pictavo::testing::Channel0;
using pictavo::testing::Grey;
using pictavo::testing::RandomBitmap;
using pictavo::testing::SameBytes;

namespace {

using Product = Bitmap (*)(const Bitmap&, int, int, int);
using Reference = Bitmap (*)(const Bitmap&, int, int);

struct Method {
    const char* name;
    Product product;
    Reference reference;
};

const Method kMethods[] = {
    {"Bilinear", &ResampleBilinear, &reference::Bilinear},
    {"Integral", &ResampleIntegral, &reference::Integral},
    {"BilinearIntegral", &ResampleBilinearIntegral, &reference::BilinearIntegral},
};

class EveryResampler : public ::testing::TestWithParam<Method> {};

}  // namespace

TEST(Resample, KnownRowsOfOneLine) {
    EXPECT_EQ(Channel0(ResampleBilinear(Grey({{0, 100}}), 4, 1)), (std::vector<int>{0, 25, 75, 100}));
    EXPECT_EQ(Channel0(ResampleIntegral(Grey({{10, 20, 30, 40}}), 2, 1)), (std::vector<int>{15, 35}));
    EXPECT_EQ(Channel0(ResampleBilinearIntegral(Grey({{0, 100}}), 4, 1)), (std::vector<int>{0, 25, 75, 100}));
    // The integrated surface softens even when nothing is scaled.
    EXPECT_EQ(Channel0(ResampleBilinearIntegral(Grey({{0, 100}}), 2, 1)), (std::vector<int>{12, 87}));
}

// The footprints of the area methods fall 0.000001 source pixels short on each axis; enlarged
// a thousand times that is 0.1 % of each weight, and 255 becomes 254.49... At ordinary
// enlargements the shortfall is far below half a level.
TEST(Resample, OnePixelSourceFillsTheTarget) {
    Bitmap one(1, 1, 32);
    std::fill_n(one.Row(0), 3, 255);
    const Bitmap bilinear = ResampleBilinear(one, 1000, 1000), area = ResampleIntegral(one, 1000, 1000);
    const Bitmap combined = ResampleBilinearIntegral(one, 1000, 1000);
    for (int y : {0, 517, 999})
        for (int x : {0, 333, 999})
            EXPECT_EQ((std::vector<int>{bilinear.Row(y)[3 * x + 1], area.Row(y)[3 * x],
                                        combined.Row(y)[3 * x + 2]}),
                      (std::vector<int>{255, 254, 254}));
}

// An empty source is a caller's error; no target pixels give an empty picture rather than an
// error; too many are refused.
TEST_P(EveryResampler, EmptySourcesAndTargetSizesOutsideTheUsualRange) {
    for (const Bitmap& empty : {Bitmap(), Bitmap(0, 5, 32), Bitmap(5, 0, 24)})
        EXPECT_THROW(GetParam().product(empty, 10, 10, 0), EAssertionFailed);
    const Bitmap source = RandomBitmap(5, 4, 32, 2);
    EXPECT_TRUE(GetParam().product(source, 0, 7, 0).Empty());
    EXPECT_TRUE(GetParam().product(source, 3, -1, 0).Empty());
    EXPECT_THROW(GetParam().product(source, 1 << 20, 1 << 20, 0), EBitmapSize);
}

// Up and down, odd and even sizes, one-pixel sources and targets, exact halves (which round
// to even) and scale factors that are not simple fractions; palette sources are read through
// their colours. Then sizes drawn at random.
TEST_P(EveryResampler, MatchesTheDirectFormulaByteForByte) {
    struct Case {
        int ws, hs, wd, hd;
    };
    std::vector<Case> cases{{1, 1, 1, 1},     {1, 1, 7, 5},     {1, 9, 4, 3},     {9, 1, 2, 6},
                            {2, 2, 1, 1},     {8, 6, 4, 3},     {16, 16, 8, 8},   {10, 10, 20, 20},
                            {13, 7, 13, 7},   {37, 23, 11, 9},  {11, 9, 37, 23},  {64, 48, 19, 17},
                            {19, 17, 64, 48}, {97, 61, 96, 62}, {40, 30, 12, 31}, {3, 100, 301, 7},
                            {250, 3, 7, 2},   {33, 33, 32, 32}, {7, 5, 3, 2},     {5, 7, 50, 70}};
    const std::size_t designed = cases.size();
    std::mt19937 gen(77);
    auto size = [&](int most) { return 1 + static_cast<int>(gen() % most); };
    for (int round = 0; round < 60; ++round) cases.push_back({size(90), size(70), size(120), size(80)});
    unsigned seed = 10;
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const Case& c = cases[k];
        for (int bits : {32, 24, 8}) {
            if (k >= designed && bits != 32) continue;
            const Bitmap source = RandomBitmap(c.ws, c.hs, bits, ++seed);
            SCOPED_TRACE(std::to_string(c.ws) + "x" + std::to_string(c.hs) + " to " + std::to_string(c.wd) +
                         "x" + std::to_string(c.hd) + " at " + std::to_string(bits) + " bits");
            EXPECT_TRUE(SameBytes(GetParam().reference(source, c.wd, c.hd),
                                  GetParam().product(source, c.wd, c.hd, 1)));
        }
    }
}

TEST_P(EveryResampler, ThreadCountDoesNotChangeABit) {
    const Bitmap source = RandomBitmap(301, 203, 32, 5);
    for (auto [wd, hd] : {std::pair{97, 611}, std::pair{640, 400}}) {
        const Bitmap one = GetParam().product(source, wd, hd, 1);
        for (int threads : {0, 3, 64})
            EXPECT_TRUE(SameBytes(one, GetParam().product(source, wd, hd, threads)));
    }
}

// Wider than a 16-bit counter reaches.
TEST_P(EveryResampler, PicturesWiderThan32767PixelsWork) {
    const Bitmap source = RandomBitmap(40000, 2, 32, 8);
    EXPECT_TRUE(SameBytes(GetParam().reference(source, 33001, 3), GetParam().product(source, 33001, 3, 0)));
    EXPECT_TRUE(SameBytes(GetParam().reference(source, 997, 1), GetParam().product(source, 997, 1, 0)));
}

INSTANTIATE_TEST_SUITE_P(Resample, EveryResampler, ::testing::ValuesIn(kMethods),
                         [](const auto& info) { return std::string(info.param.name); });
