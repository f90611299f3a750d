#include <gtest/gtest.h>

#include "display/Placement.h"

using namespace pictavo;

TEST(PlacePicture, GivesTheDesignedRectangleOrNoneForAnUnknownType) {
    struct Case {
        int type, w, h, W, H;
        PictureRect expected;
    };
    const Case cases[] = {
        // Natural size, centred; halves truncate toward zero for pictures larger than the area.
        {0, 800, 600, 1024, 768, {112, 84, 912, 684}},
        {0, 2001, 1501, 1024, 768, {-488, -366, 1513, 1135}},
        // Always fit, both branches, and the equal-ratio case on the taller branch.
        {3, 800, 600, 1280, 1024, {0, 32, 1280, 992}},
        {3, 600, 800, 1024, 768, {224, 0, 800, 768}},
        {3, 3, 1, 1000, 1000, {0, 333, 1000, 666}},
        {3, 1024, 768, 1024, 768, {0, 0, 1024, 768}},
        // Shrink only what does not fit; enlarge what is smaller in either direction.
        {1, 100, 100, 1024, 768, {462, 334, 562, 434}},
        {1, 2048, 768, 1024, 768, {0, 192, 1024, 576}},
        {2, 100, 100, 1024, 768, {128, 0, 896, 768}},
        {2, 2000, 100, 1024, 768, {0, 358, 1024, 409}},
        {2, 2000, 1000, 1024, 768, {-488, -116, 1512, 884}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlacePicture(c.w, c.h, c.W, c.H, c.type), std::optional(c.expected))
            << c.type << ": " << c.w << "x" << c.h;
    // An unknown type gives no rectangle.
    EXPECT_FALSE(PlacePicture(10, 10, 100, 100, 4).has_value());
    EXPECT_FALSE(PlacePicture(10, 10, 100, 100, -1).has_value());
}

TEST(FitPicture, EmptyPictureOrAreaGivesAnEmptyRectangle) {
    EXPECT_TRUE(FitPicture(0, 10, 100, 100).IsEmpty());
    EXPECT_TRUE(FitPicture(10, 10, 100, 0).IsEmpty());
    // Too flat to cover one row: nothing to draw, and no division by zero later.
    EXPECT_TRUE(FitPicture(100000, 1, 1000, 1000).IsEmpty());
}

// Only what shows is cropped from the picture, with one pixel of context where the picture goes on.
TEST(NaturalSizeCrop, KeepsOnePixelOfContextInsideThePicture) {
    // 2001 x 1501 at (-488, -366) in 1024 x 768: columns 488..1511, rows 366..1133 show.
    const auto crop = NaturalSizeCrop({-488, -366, 1513, 1135}, 2001, 1501, 1024, 768);
    ASSERT_TRUE(crop.has_value());
    EXPECT_EQ(crop->visible, (PictureRect{488, 366, 1512, 1134}));
    EXPECT_EQ(crop->source, (PictureRect{487, 365, 1513, 1135}));
    EXPECT_EQ(crop->innerX, 1);
    EXPECT_EQ(crop->innerY, 1);
    // Entirely visible; sticking out only to the right and bottom; outside the area altogether.
    EXPECT_EQ(NaturalSizeCrop({112, 84, 912, 684}, 800, 600, 1024, 768).value().source,
              (PictureRect{0, 0, 800, 600}));
    const auto corner = NaturalSizeCrop({10, 10, 210, 210}, 200, 200, 100, 100);
    ASSERT_TRUE(corner.has_value());
    EXPECT_EQ(corner->visible, (PictureRect{0, 0, 90, 90}));
    EXPECT_EQ(corner->source, (PictureRect{0, 0, 91, 91}));
    EXPECT_EQ(corner->innerX, 0);
    EXPECT_FALSE(NaturalSizeCrop({100, 0, 200, 50}, 100, 50, 100, 100).has_value());
}
