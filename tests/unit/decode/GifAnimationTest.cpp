#include <gtest/gtest.h>

#include <algorithm>

#include <gif_lib.h>

#include "DecodeTestSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/GifAnimation.h"
#include "decode/GifDecoder.h"

using namespace pictavo;

namespace {

const Colours kColours{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

// The frame as letters, rows joined by '|': k r g b for black red green blue, '.' for
// transparent, '?' for anything else.
std::string Letters(const Bitmap& b) {
    std::string out;
    for (int y = 0; y < b.Height(); ++y) {
        if (y) out += '|';
        for (int x = 0; x < b.Width(); ++x) {
            const std::uint32_t p = PixelAt(b, x, y);
            const auto known = std::find(kColours.begin(), kColours.end(), p & 0xFFFFFF) - kColours.begin();
            out += p >> 24 == 0 ? '.' : "krgb?"[known];
        }
    }
    return out;
}

GifFrameParts Frame(int left, int top, int width, int height, Bytes indexes, int disposal = 0,
                    int delayCs = 0, int transparent = -1) {
    return {left, top, width, height, false, disposal, delayCs, transparent, Colours(), std::move(indexes)};
}

TEST(GifAnimation, ComposesThreeFramesWithTheirDelaysDisposalsAndTransparency) {
    GifParts gif{.width = 4, .height = 4, .colours = kColours, .loopCount = 2};
    gif.frames = {Frame(0, 0, 4, 4, Bytes(16, 1), DISPOSE_DO_NOT, 10),
                  Frame(1, 1, 2, 2, {2, 3, 3, 2}, DISPOSE_PREVIOUS, 20, 3),
                  Frame(0, 0, 2, 2, Bytes(4, 3), DISPOSE_BACKGROUND, 30)};
    TempFolder folder;
    GifAnimation animation(folder.Write("three.gif", MakeGif(gif)));
    EXPECT_EQ(animation.Width(), 4);
    const std::string expected[] = {"rrrr|rrrr|rrrr|rrrr", "rrrr|rgrr|rrgr|rrrr", "bbrr|bbrr|rrrr|rrrr"};
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(animation.NextFrame());
            EXPECT_EQ(animation.FrameIndex(), i);
            EXPECT_EQ(animation.DelayMs(), 100 * (i + 1));
            EXPECT_EQ(Letters(animation.Frame()), expected[i]) << "pass " << pass << " frame " << i;
        }
        EXPECT_FALSE(animation.NextFrame());
        EXPECT_FALSE(animation.NextFrame());
        EXPECT_EQ(animation.LoopCount(), 2);
        animation.Rewind();
        EXPECT_EQ(animation.FrameIndex(), -1);
    }
    ASSERT_TRUE(animation.NextFrame());
    const Bitmap taken = animation.TakeFrame();  // leaves nothing behind to draw on
    animation.Rewind();
    ASSERT_TRUE(animation.NextFrame());
    EXPECT_EQ(Letters(animation.Frame()), Letters(taken));
}

TEST(GifAnimation, ClearsToTransparentAndClipsFramesToTheScreen) {
    GifParts gif{.width = 3, .height = 3, .colours = kColours};
    gif.frames = {Frame(0, 0, 2, 2, Bytes(4, 2), DISPOSE_BACKGROUND), Frame(2, 2, 3, 3, Bytes(9, 3)),
                  Frame(1, 0, 1, 1, {1}), Frame(5, 5, 2, 2, Bytes(4, 1))};
    GifAnimation animation(MakeGif(gif));
    ASSERT_TRUE(animation.NextFrame());
    EXPECT_EQ(Letters(animation.Frame()), "gg.|gg.|...");
    ASSERT_TRUE(animation.NextFrame() && animation.NextFrame() && animation.NextFrame());
    EXPECT_EQ(Letters(animation.Frame()), ".r.|...|..b");
    EXPECT_EQ(animation.LoopCount(), kGifPlayOnce);
}

// A frame's own map; a global map cut to 2 entries or missing (indexes without a colour are
// black); interlaced rows.
TEST(GifAnimation, UsesTheRightMapAndPlacesInterlacedRows) {
    GifParts local{.width = 2, .height = 1, .colours = kColours, .frames = {Frame(0, 0, 2, 1, {0, 1})}};
    local.frames[0].localColours = {0x0000FF, 0x00FF00};
    EXPECT_EQ(Letters(GifDecoder::DecodeBytes(MakeGif(local))), "bg");
    GifParts cut{.width = 2, .height = 1, .colours = kColours, .frames = {Frame(0, 0, 2, 1, {1, 3})}};
    cut.keptGlobalColours = 2;
    EXPECT_EQ(Letters(GifDecoder::DecodeBytes(MakeGif(cut))), "rk");
    GifParts none{
        .width = 3, .height = 1, .colours = kColours, .frames = {Frame(0, 0, 3, 1, {1, 2, 0}, 0, 0, 2)}};
    none.keptGlobalColours = 0;
    EXPECT_EQ(Letters(GifDecoder::DecodeBytes(MakeGif(none))), "k.k");
    GifParts interlaced{
        .width = 1, .height = 11, .colours = kColours, .frames = {Frame(0, 0, 1, 11, Bytes(11))}};
    for (int r = 0; r < 11; ++r) interlaced.frames[0].indexes[r] = static_cast<std::uint8_t>(r % 4);
    interlaced.frames[0].interlace = true;
    EXPECT_EQ(Letters(GifDecoder::DecodeBytes(MakeGif(interlaced))), "k|r|g|b|k|r|g|b|k|r|g");
}

TEST(GifAnimation, EndsAtAMissingTrailerButRefusesAFileWithoutFrames) {
    GifParts gif{.width = 2, .height = 2, .colours = kColours, .trailer = false};
    gif.frames = {Frame(0, 0, 2, 2, {1, 2, 3, 0}), Frame(0, 0, 2, 2, {0, 1, 2, 3})};
    GifAnimation animation(MakeGif(gif));
    EXPECT_TRUE(animation.NextFrame() && animation.NextFrame());
    EXPECT_FALSE(animation.NextFrame());
    EXPECT_THROW(GifDecoder::DecodeBytes(MakeGif({.width = 2, .height = 2, .colours = kColours})),
                 EGifDecode);
}

TEST(GifAnimation, StopsWhenFramesTimesAreaPassTheLimit) {
    GifParts gif{.width = 4096, .height = 4096, .colours = kColours};
    gif.frames.assign(1100, Frame(0, 0, 1, 1, {1}));
    GifAnimation animation(MakeGif(gif));
    int frames = 0;
    EXPECT_THROW(while (animation.NextFrame())++ frames, EPictureTooLarge);
    EXPECT_EQ(frames, 1023);  // each frame costs the screen (2^24) and itself (1) of 2^34
}

}  // namespace
