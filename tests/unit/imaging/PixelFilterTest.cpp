#include <gtest/gtest.h>

#include <algorithm>

#include "ReferenceImaging.h"
#include "TestPictures.h"
#include "imaging/diziPicFilters.h"

using namespace pictavo;
using pictavo::testing::Channel0;
using pictavo::testing::GreyRow;
using pictavo::testing::RandomBitmap;
using pictavo::testing::SameBytes;

namespace {

// A 32-bit one-pixel picture (blue, green, red, fourth).
Bitmap Pixel(int b, int g, int r, int fourth = 0) {
    Bitmap p(1, 1, 32);
    p.Row(0)[0] = b, p.Row(0)[1] = g, p.Row(0)[2] = r, p.Row(0)[3] = fourth;
    return p;
}

std::vector<int> Bytes(const Bitmap& b) { return {b.Row(0), b.Row(0) + b.BytesPerPixel()}; }

// Applies `perByte(value, isFourth)` to every pixel byte: the rule a filter must follow.
template <typename F>
Bitmap Expected(const Bitmap& source, F perByte) {
    Bitmap out = source.Clone();
    const int n = out.BytesPerPixel();
    for (int y = 0; y < out.Height(); ++y)
        for (int i = 0; i < out.Width() * n; ++i) out.Row(y)[i] = perByte(out.Row(y)[i], n == 4 && i % 4 == 3);
    return out;
}

Bitmap Grey(const std::vector<std::vector<int>>& rows) {
    Bitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 24);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) std::fill_n(b.Row(y) + 3 * x, 3, rows[y][x]);
    return b;
}

}  // namespace

TEST(PixelFilters, MonochromeWeighsRedGreenBlue) {
    TDiziPicFilters f;
    for (auto [b, g, r, grey] : {std::tuple{0, 0, 255, 76}, {0, 255, 0, 149}, {255, 0, 0, 28}, {255, 255, 255, 255}}) {
        Bitmap p = Pixel(b, g, r, 99);
        EXPECT_TRUE(f.Monochrome(p));
        EXPECT_EQ(Bytes(p), (std::vector<int>{grey, grey, grey, 99}));
    }
}

TEST(PixelFilters, NegativeAndBrightnessFollowTheirRules) {
    TDiziPicFilters f;
    Bitmap p = Pixel(10, 20, 30, 7);
    EXPECT_TRUE(f.Negative(p));
    EXPECT_EQ(Bytes(p), (std::vector<int>{245, 235, 225, 7}));
    Bitmap row = GreyRow({200, 100, 50, 0, 255});
    EXPECT_TRUE(f.Brightness(row, 100));
    EXPECT_EQ(Channel0(row), (std::vector<int>{255, 200, 150, 100, 255}));
    row = GreyRow({200, 100, 50, 0, 255});
    EXPECT_TRUE(f.Brightness(row, -100));
    EXPECT_EQ(Channel0(row), (std::vector<int>{100, 0, 0, 0, 155}));
}

// Odd widths at both depths cover the wide loop and the single bytes after it.
TEST(PixelFilters, EveryByteOfEveryWidthFollowsTheRule) {
    TDiziPicFilters f;
    unsigned seed = 100;
    for (int bits : {24, 32})
        for (int width : {1, 3, 5, 6, 7, 17, 33}) {
            SCOPED_TRACE(std::to_string(width) + " wide at " + std::to_string(bits));
            const Bitmap source = RandomBitmap(width, 3, bits, ++seed);
            Bitmap b = source.Clone();
            f.Negative(b);
            EXPECT_TRUE(SameBytes(Expected(source, [](int v, bool fourth) { return fourth ? v : 255 - v; }), b));
            f.Negative(b);
            EXPECT_TRUE(SameBytes(source, b));
            for (int amount : {0, 1, 77, 255, 300, 32767, -1, -77, -255, -300, -32768}) {
                b = source.Clone();
                f.Brightness(b, static_cast<std::int16_t>(amount));
                EXPECT_TRUE(SameBytes(Expected(source, [&](int v, bool fourth) {
                                          return fourth ? v : std::clamp(v + amount, 0, 255);
                                      }),
                                      b))
                    << "amount " << amount;
            }
            b = source.Clone();
            f.Monochrome(b);
            Bitmap grey = source.Clone();
            for (int y = 0; y < grey.Height(); ++y)
                for (int x = 0; x < width; ++x) {
                    std::uint8_t* q = grey.Row(y) + x * grey.BytesPerPixel();
                    std::fill_n(q, 3, (77 * q[2] + 150 * q[1] + 29 * q[0]) >> 8);
                }
            EXPECT_TRUE(SameBytes(grey, b));
        }
}

TEST(PixelFilters, PaletteBitmapsAreRefusedUntouched) {
    TDiziPicFilters f;
    const Bitmap source = RandomBitmap(5, 4, 8, 3);
    Bitmap b = source.Clone();
    EXPECT_FALSE(f.Monochrome(b));
    EXPECT_FALSE(f.Negative(b));
    EXPECT_FALSE(f.Brightness(b, 50));
    EXPECT_FALSE(f.Blur(b, 2));
    EXPECT_FALSE(f.RotateLeft(b));
    EXPECT_FALSE(f.RotateRight(b));
    EXPECT_TRUE(SameBytes(source, b));
}

TEST(Blur, LaterPixelsSeeTheNewValuesOfEarlierOnes) {
    TDiziPicFilters f;
    Bitmap row = GreyRow({0, 90, 0});
    EXPECT_TRUE(f.Blur(row, 1));
    EXPECT_EQ(Channel0(row), (std::vector<int>{45, 45, 22}));
    Bitmap square = Grey({{0, 0, 0}, {0, 90, 0}, {0, 0, 0}});
    EXPECT_TRUE(f.Blur(square, 1));
    EXPECT_TRUE(SameBytes(Grey({{22, 18, 27}, {21, 19, 10}, {10, 10, 9}}), square));
}

TEST(Blur, TrivialCases) {
    TDiziPicFilters f;
    Bitmap one = Pixel(1, 2, 3, 4);
    EXPECT_TRUE(f.Blur(one, 3));
    EXPECT_EQ(Bytes(one), (std::vector<int>{1, 2, 3, 4}));
    const Bitmap source = RandomBitmap(4, 4, 32, 9);
    Bitmap b = source.Clone();
    EXPECT_FALSE(f.Blur(b, 0));
    EXPECT_FALSE(f.Blur(b, -3));
    EXPECT_TRUE(SameBytes(source, b));
    Bitmap white(40, 30, 32);
    std::fill_n(white.Data(), white.ByteSize(), 255);
    EXPECT_TRUE(f.Blur(white, 10));
    EXPECT_TRUE(std::all_of(white.Data(), white.Data() + white.ByteSize(), [](int v) { return v == 255; }));
}

// Every byte position of a 32-bit pixel is averaged, the fourth included.
TEST(Blur, MatchesTheDirectWindowSum) {
    TDiziPicFilters f;
    unsigned seed = 200;
    struct Case {
        int w, h, radius;
    };
    for (const Case c : {Case{1, 1, 1}, {1, 9, 2}, {9, 1, 3}, {2, 2, 5}, {7, 5, 1}, {31, 17, 2}, {23, 29, 4},
                         {40, 11, 10}, {12, 40, 11}, {50, 50, 33}, {16, 8, 200}})
        for (int bits : {24, 32}) {
            SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " radius " + std::to_string(c.radius));
            Bitmap expected = RandomBitmap(c.w, c.h, bits, ++seed);
            Bitmap actual = expected.Clone();
            reference::Blur(expected, c.radius);
            EXPECT_TRUE(f.Blur(actual, static_cast<std::int16_t>(c.radius)));
            EXPECT_TRUE(SameBytes(expected, actual));
        }
}

// Windows too large for the reciprocal shortcut divide plainly; 16-bit counters would not
// reach the last rows of this picture.
TEST(Blur, LargeWindowsAndTallPicturesMatchTheDirectSum) {
    TDiziPicFilters f;
    Bitmap expected = RandomBitmap(70, 70, 32, 11);
    Bitmap actual = expected.Clone();
    reference::Blur(expected, 35);
    f.Blur(actual, 35);
    EXPECT_TRUE(SameBytes(expected, actual));
    expected = RandomBitmap(1, 33000, 24, 12);
    actual = expected.Clone();
    reference::Blur(expected, 2);
    f.Blur(actual, 2);
    EXPECT_TRUE(SameBytes(expected, actual));
}

TEST(PixelFilters, ReportEachFinishedRowInOrder) {
    TDiziPicFilters f;
    std::vector<int> rows;
    f.OnRowDone = [&](int row, int count) {
        EXPECT_EQ(count, 70);
        rows.push_back(row);
    };
    std::vector<int> all(70);
    for (int y = 0; y < 70; ++y) all[y] = y;
    Bitmap b = RandomBitmap(5, 70, 32, 4);
    for (auto op : {+[](TDiziPicFilters& f, Bitmap& b) { f.Monochrome(b); },
                    +[](TDiziPicFilters& f, Bitmap& b) { f.Negative(b); },
                    +[](TDiziPicFilters& f, Bitmap& b) { f.Brightness(b, -5); },
                    +[](TDiziPicFilters& f, Bitmap& b) { f.Blur(b, 2); }}) {
        rows.clear();
        op(f, b);
        EXPECT_EQ(rows, all);
    }
}
