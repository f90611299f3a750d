#include <gtest/gtest.h>

#include <algorithm>

#include "ReferenceImaging.h"
#include "TestPictures.h"
#include "imaging/diziPicFilters.h"

using namespace pictavo;
using pictavo::testing::Channel0;
using pictavo::testing::Grey;
using pictavo::testing::RandomBitmap;
using pictavo::testing::SameBytes;

namespace {

// Sets blue, green and red of every pixel to `rule(original pixel, channel)`; the fourth
// byte must stay as it was.
using Px = const std::uint8_t*;
template <typename F>
Bitmap Expected(const Bitmap& source, F rule) {
    Bitmap out = source.Clone();
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            std::uint8_t* p = out.Row(y) + x * out.BytesPerPixel();
            const std::uint8_t was[3] = {p[0], p[1], p[2]};
            for (int ch = 0; ch < 3; ++ch) p[ch] = static_cast<std::uint8_t>(rule(was, ch));
        }
    return out;
}

}  // namespace

// Odd widths at both depths cover the wide loop and the single bytes after it.
TEST(PixelFilters, EveryByteOfEveryWidthFollowsTheRule) {
    TDiziPicFilters f;
    unsigned seed = 100;
    for (int bits : {24, 32})
        for (int width : {1, 3, 5, 6, 7, 17, 33}) {
            SCOPED_TRACE(std::to_string(width) + " wide at " + std::to_string(bits));
            const Bitmap source = RandomBitmap(width, 3, bits, ++seed);
            Bitmap b = source.Clone();
            EXPECT_TRUE(f.Negative(b));
            EXPECT_TRUE(SameBytes(Expected(source, [](Px p, int ch) { return 255 - p[ch]; }), b));
            f.Negative(b);
            EXPECT_TRUE(SameBytes(source, b));
            for (int amount : {0, 1, 77, 255, 300, 32767, -1, -77, -255, -300, -32768}) {
                b = source.Clone();
                EXPECT_TRUE(f.Brightness(b, static_cast<std::int16_t>(amount)));
                const auto brightened = [&](Px p, int ch) { return std::clamp(p[ch] + amount, 0, 255); };
                EXPECT_TRUE(SameBytes(Expected(source, brightened), b)) << "amount " << amount;
            }
            b = source.Clone();
            EXPECT_TRUE(f.Monochrome(b));
            const auto grey = [](Px p, int) { return (77 * p[2] + 150 * p[1] + 29 * p[0]) >> 8; };
            EXPECT_TRUE(SameBytes(Expected(source, grey), b));
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
    Bitmap row = Grey({{0, 90, 0}});
    EXPECT_TRUE(f.Blur(row, 1));
    EXPECT_EQ(Channel0(row), (std::vector<int>{45, 45, 22}));
    // No window at all: refused, nothing touched.
    const Bitmap source = RandomBitmap(4, 4, 32, 9);
    Bitmap b = source.Clone();
    EXPECT_FALSE(f.Blur(b, 0));
    EXPECT_FALSE(f.Blur(b, -3));
    EXPECT_TRUE(SameBytes(source, b));
}

// Every byte position of a 32-bit pixel is averaged, the fourth included. Windows too large
// for the reciprocal shortcut divide plainly; 16-bit counters would not reach the last rows
// of the 33000-row picture.
TEST(Blur, MatchesTheDirectWindowSum) {
    TDiziPicFilters f;
    unsigned seed = 200;
    struct Case {
        int w, h, radius;
    };
    const Case cases[] = {{1, 1, 1},    {1, 9, 2},    {9, 1, 3},    {2, 2, 5},    {7, 5, 1},
                          {31, 17, 2},  {23, 29, 4},  {40, 11, 10}, {12, 40, 11}, {50, 50, 33},
                          {16, 8, 200}, {70, 70, 35}, {1, 33000, 2}};
    for (const Case c : cases)
        for (int bits : {24, 32}) {
            SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " radius " +
                         std::to_string(c.radius));
            Bitmap expected = RandomBitmap(c.w, c.h, bits, ++seed);
            Bitmap actual = expected.Clone();
            reference::Blur(expected, c.radius);
            EXPECT_TRUE(f.Blur(actual, static_cast<std::int16_t>(c.radius)));
            EXPECT_TRUE(SameBytes(expected, actual));
        }
}
