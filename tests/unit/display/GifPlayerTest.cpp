#include <gtest/gtest.h>

#include <gif_lib.h>

#include "PictureWriters.h"
#include "decode/DecodeErrors.h"
#include "display/GifPlayer.h"

using namespace pictavo;

namespace {

GifFrameParts Frame(int delayCs, std::uint8_t colour) {
    return {0, 0, 2, 2, false, DISPOSE_DO_NOT, delayCs, -1, Colours(), Bytes(4, colour)};
}

GifPlayer PlayerFor(int loopCount, std::vector<GifFrameParts> frames) {
    GifParts gif{
        .width = 2, .height = 2, .colours = {0, 0xFF0000, 0x00FF00, 0x0000FF}, .loopCount = loopCount};
    gif.frames = std::move(frames);
    return GifPlayer(GifAnimation(MakeGif(gif)));
}

// Frame delays of 0 and 10 ms play at 100 ms; due times are absolute, so timers that fire
// late never shift the frames after them; one more pass, then the last frame stays.
TEST(GifPlayer, PlaysFramesByTheirDelaysAndPassesOnAnAbsoluteClock) {
    EXPECT_EQ(PlayedDelayMs(10), 100);  // 0 and 20 are the frames below
    GifPlayer player = PlayerFor(1, {Frame(0, 1), Frame(2, 2), Frame(5, 3)});
    player.Start(1000);
    EXPECT_EQ(player.FrameIndex(), 0);
    EXPECT_FALSE(player.Advance(1099));
    const int delays[] = {100, 20, 50};
    std::int64_t due = 1100;
    for (int step = 1; step < 6; ++step) {
        ASSERT_EQ(player.NextDueMs(), due) << step;
        ASSERT_TRUE(player.Advance(due + 3)) << step;  // every timer fires 3 ms late
        EXPECT_EQ(player.FrameIndex(), step % 3);
        EXPECT_EQ(player.Pass(), 1 + step / 3);
        EXPECT_EQ(player.Frame().Row(0)[0], step % 3 == 2 ? 0xFF : 0);  // blue byte of frame 3
        due += delays[step % 3];
    }
    EXPECT_FALSE(player.Advance(due + 1000));
    EXPECT_TRUE(player.IsStopped());
    EXPECT_EQ(player.NextDueMs(), std::nullopt);
    EXPECT_EQ(player.FrameIndex(), 2);
}

TEST(GifPlayer, LoopsForeverOncePlayedOrStillAsTheFileSays) {
    GifPlayer forever = PlayerFor(0, {Frame(2, 1), Frame(2, 2)});
    forever.Start(0);
    for (std::int64_t t = 20; t <= 20 * 100; t += 20) ASSERT_TRUE(forever.Advance(t)) << t;
    EXPECT_EQ(forever.Pass(), 51);

    GifPlayer once = PlayerFor(-1, {Frame(2, 1), Frame(2, 2)});
    once.Start(0);
    EXPECT_TRUE(once.Advance(20));
    EXPECT_FALSE(once.Advance(40));
    EXPECT_TRUE(once.IsStopped());

    GifPlayer still = PlayerFor(0, {Frame(0, 1)});  // one frame with a looping extension
    still.Start(0);
    EXPECT_FALSE(still.Advance(100));
    EXPECT_TRUE(still.IsStopped());

    // After a stall the clock starts again from the moment it resumes.
    GifPlayer stalled = PlayerFor(0, {Frame(2, 1), Frame(2, 2)});
    stalled.Start(0);
    EXPECT_TRUE(stalled.Advance(5000));
    EXPECT_EQ(stalled.NextDueMs(), 5020);
}

// Cut and damaged files either refuse to start with the decoder's error or play until they
// stop; they never throw from Advance (run under ASan too).
TEST(GifPlayer, HostileFilesStartWithANamedErrorOrPlayCleanly) {
    GifParts gif{.width = 12, .height = 8, .colours = {0, 0xFF, 0xFF00, 0xFF0000}, .loopCount = 0};
    gif.frames.push_back({0, 0, 12, 8, false, DISPOSE_PREVIOUS, 2, 1, Colours(), Ramp(12 * 8)});
    for (auto& i : gif.frames[0].indexes) i &= 3;
    gif.frames.push_back(
        {2, 1, 6, 5, true, DISPOSE_BACKGROUND, 2, -1, Colours{0xFFFFFF, 0x808080}, Bytes(30, 1)});
    const Bytes whole = MakeGif(gif);
    auto play = [](Bytes bytes) {
        try {
            GifPlayer player{GifAnimation(std::move(bytes))};
            player.Start(0);
            for (std::int64_t t = 20; t < 20 * 12 && !player.IsStopped(); t += 20) player.Advance(t);
        } catch (const EDecode&) {
            // refusing to start is fine
        }
    };
    for (std::size_t keep = 0; keep < whole.size(); keep += 7)
        play(Bytes(whole.begin(), whole.begin() + keep));
    for (std::size_t i = 0; i < whole.size(); ++i) {
        Bytes damaged = whole;
        damaged[i] ^= static_cast<std::uint8_t>(1 << (i % 8));
        play(std::move(damaged));
    }
    EXPECT_THROW(GifPlayer(GifAnimation(Bytes(whole.begin(), whole.begin() + 20))).Start(0), EDecode);
}

}  // namespace
