#include <gtest/gtest.h>

#include "display/FrameHitTest.h"

using namespace pictavo;

// A 400 x 300 window whose caption bar ends at x 400, y 24.
TEST(FrameHitTest, CornersWinOverEdgesAndEdgesOverTheCaption) {
    const auto hit = [](int x, int y) { return HitTestFrame(x, y, 400, 300, 400, 24); };
    EXPECT_EQ(hit(5, 5), FrameArea::TopLeft);
    EXPECT_EQ(hit(2, 295), FrameArea::BottomLeft);
    EXPECT_EQ(hit(395, 0), FrameArea::TopRight);
    EXPECT_EQ(hit(399, 299), FrameArea::BottomRight);
    EXPECT_EQ(hit(2, 100), FrameArea::Left);
    EXPECT_EQ(hit(398, 100), FrameArea::Right);
    EXPECT_EQ(hit(200, 2), FrameArea::Top);
    EXPECT_EQ(hit(200, 298), FrameArea::Bottom);
    EXPECT_EQ(hit(200, 3), FrameArea::Caption);
    EXPECT_EQ(hit(200, 23), FrameArea::Caption);
    EXPECT_EQ(hit(200, 24), FrameArea::Client);
    EXPECT_EQ(hit(3, 150), FrameArea::Client);
    // The boundaries are strict: x = W - 3 is not yet the right edge.
    EXPECT_EQ(hit(397, 150), FrameArea::Client);
    EXPECT_EQ(hit(6, 6), FrameArea::Caption);
}
