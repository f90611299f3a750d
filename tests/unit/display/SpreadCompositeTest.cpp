#include <gtest/gtest.h>

#include <cstring>

#include "display/SpreadComposite.h"

using namespace pictavo;

namespace {

Bitmap Uniform(int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    Bitmap picture(w, h, 32);
    const std::uint8_t bgr[] = {b, g, r};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) std::memcpy(picture.Row(y) + x * 4, bgr, 3);
    return picture;
}

std::array<int, 3> Bgr(const Bitmap& p, int x, int y) {
    const std::uint8_t* px = p.Row(y) + x * 4;
    return {px[0], px[1], px[2]};
}

}  // namespace

TEST(LayoutSpread, CentresTheLowerPage) {
    EXPECT_EQ(LayoutSpread({300, 100, 100, 200}), (SpreadLayout{400, 200, 0, 50, 300, 0}));
    // Equal heights: both at the top. An odd difference truncates.
    EXPECT_EQ(LayoutSpread({10, 50, 20, 50}), (SpreadLayout{30, 50, 0, 0, 10, 0}));
    EXPECT_EQ(LayoutSpread({10, 50, 20, 53}), (SpreadLayout{30, 53, 0, 1, 10, 0}));
}

TEST(ComposeSpread, PagesTouchAndMarginsCarryTheBackground) {
    const Bitmap left = Uniform(100, 200, 10, 20, 30);
    const Bitmap right = Uniform(300, 100, 40, 50, 60);
    const std::int32_t background = 0x00112233;  // red 0x33, green 0x22, blue 0x11
    const Bitmap spread = ComposeSpread(left, right, background);
    ASSERT_EQ(spread.Width(), 400);
    ASSERT_EQ(spread.Height(), 200);
    ASSERT_EQ(spread.BitsPerPixel(), 32);
    EXPECT_EQ(Bgr(spread, 0, 0), (std::array{10, 20, 30}));
    EXPECT_EQ(Bgr(spread, 99, 199), (std::array{10, 20, 30}));
    EXPECT_EQ(Bgr(spread, 100, 50), (std::array{40, 50, 60}));
    EXPECT_EQ(Bgr(spread, 399, 149), (std::array{40, 50, 60}));
    EXPECT_EQ(Bgr(spread, 100, 49), (std::array{0x11, 0x22, 0x33}));
    EXPECT_EQ(Bgr(spread, 399, 150), (std::array{0x11, 0x22, 0x33}));
}

TEST(ComposeSpread, AcceptsOtherDepthsAndRefusesOversizedComposites) {
    Bitmap left(2, 1, 24);
    left.Row(0)[0] = 7;
    const Bitmap spread = ComposeSpread(left, Uniform(1, 1, 1, 2, 3), 0);
    EXPECT_EQ(Bgr(spread, 0, 0), (std::array{7, 0, 0}));
    EXPECT_EQ(Bgr(spread, 2, 0), (std::array{1, 2, 3}));
    // Two pages within the limit whose composite is not: refused before allocating.
    const Bitmap tall(1, 1 << 20, 8);
    const Bitmap wide(256, 1, 8);  // 257 x 2^20 > 2^28
    EXPECT_THROW(ComposeSpread(tall, wide, 0), EBitmapSize);
}

TEST(FlattenOntoColor, BlendsByTheFourthByteAndLeavesOpaquePixels) {
    Bitmap picture(3, 1, 32);
    const std::uint8_t pixels[12] = {200, 100, 50, 255, 200, 100, 50, 0, 200, 100, 50, 128};
    std::memcpy(picture.Row(0), pixels, sizeof pixels);
    FlattenOntoColor(picture, 0x00000000 | 10);  // red 10, green 0, blue 0
    EXPECT_EQ(Bgr(picture, 0, 0), (std::array{200, 100, 50}));
    EXPECT_EQ(Bgr(picture, 1, 0), (std::array{0, 0, 10}));
    EXPECT_EQ(Bgr(picture, 2, 0), (std::array{100, 50, 30}));
    EXPECT_EQ(picture.Row(0)[7], 255);
    EXPECT_EQ(picture.Row(0)[11], 255);
}
