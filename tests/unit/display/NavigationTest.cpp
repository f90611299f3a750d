#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "display/Navigation.h"
#include "display/RandomGenerator.h"

namespace pictavo {
namespace {

// Wrapping at both ends, jumps that stop on the first or last entry before they wrap, and
// the one-page steps of spread mode.
TEST(MovedIndex, LandsOnTheRightIndex) {
    struct Case {
        const char* name;
        Move move;
        std::int32_t count, jump;
        bool spread;
        std::int32_t from, to;
    };
    const Case cases[] = {
        {"SingleNextWrapsFromLast", Move::Next, 5, 10, false, 4, 0},
        {"SinglePrevWrapsFromFirst", Move::Prev, 5, 10, false, 0, 4},
        {"SpreadPrevFromOneLandsOnZero", Move::Prev, 5, 10, true, 1, 0},
        {"JumpForwardStopsOnLast", Move::NextJump, 100, 10, false, 95, 99},
        {"JumpForwardFromLastWraps", Move::NextJump, 100, 10, false, 99, 0},
        {"JumpBackStopsOnFirst", Move::PrevJump, 100, 10, false, 5, 0},
        {"JumpBackFromFirstWraps", Move::PrevJump, 100, 10, false, 0, 99},
        {"JumpBackExactlyJToFirst", Move::PrevJump, 100, 10, false, 10, 0},
        {"JumpBackFromJPlusOne", Move::PrevJump, 100, 10, false, 11, 1},
        {"JumpOfZeroStays", Move::NextJump, 100, 0, false, 40, 40},
        {"NegativeJumpStays", Move::PrevJump, 100, -5, false, 40, 40},
        {"HugeJumpDoesNotOverflow", Move::NextJump, 100, 2147483647, false, 5, 99},
        {"Plus1PageStepsOneInSpread", Move::Plus1Page, 6, 10, true, 0, 1},
        {"Minus1PageStepsOneInSpread", Move::Minus1Page, 6, 10, true, 3, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MovedIndex(c.move, c.from, c.count, c.jump, c.spread), c.to) << c.name;
}

// Follows a series of spread moves the way the window does, checking what each one shows: pairs,
// the last entry alone, and round again; six entries start from a pairing shifted by one.
TEST(SpreadWalk, PairsThenTheLastEntryAloneInBothDirections) {
    const auto pair = [](std::int32_t i) { return std::optional(ShowRequest{i, i + 1, true}); };
    const auto alone = [](std::int32_t i) { return std::optional(ShowRequest{i, 0, false}); };
    struct Case {
        Move move;
        std::int32_t count, from;
        std::vector<std::optional<ShowRequest>> shown;
    };
    const Case cases[] = {{Move::Next, 5, 0, {pair(2), alone(4), pair(0)}},
                          {Move::Prev, 5, 0, {pair(3), pair(1), pair(0)}},
                          {Move::Next, 6, 1, {pair(3), alone(5), pair(0)}},
                          {Move::Next, 1, 0, {alone(0), alone(0)}}};
    for (const Case& c : cases) {
        std::vector<std::optional<ShowRequest>> shown;
        for (std::int32_t index = c.from; shown.size() < c.shown.size();) {
            index = MovedIndex(c.move, index, c.count, 10, true);
            shown.push_back(CurrentPosition(index, c.count, true));
        }
        EXPECT_EQ(shown, c.shown) << c.count << " entries from " << c.from;
    }
}

// Stepping back before the only entry of a spread, switching to spreads at an odd position
// and the way back are the dispatcher's table rows.
TEST(CurrentPositionTest, PastTheEndShowsNothing) {
    EXPECT_EQ(CurrentPosition(10, 10, false), std::nullopt);
}

TEST(RandomGeneratorTest, ReseedsFromTheCounterBeforeEveryDraw) {
    // seed 1 -> 134775814, times 100 is 3.14 * 2^32; seed 2^31 -> 2^31 + 1, times 100 is 50 * 2^32.
    std::vector<std::uint32_t> counts{1u, 0x80000000u, 1u};
    std::size_t next = 0;
    RandomGenerator random([&] { return counts[next++]; });
    EXPECT_EQ(random.Draw(100), 3);
    EXPECT_EQ(random.Draw(100), 50);
    EXPECT_EQ(random.Draw(100), 3);  // same counter, same index: nothing carried over
}

TEST(RandomGeneratorTest, StaysInsideTheListForExtremeSeeds) {
    for (std::uint32_t seed : {0u, 0xFFFFFFFFu, 0xF7F7F7F7u}) {
        const std::int32_t index = RandomGenerator::IndexFromSeed(RandomGenerator::Step(seed), 7);
        EXPECT_GE(index, 0);
        EXPECT_LT(index, 7);
    }
    EXPECT_EQ(RandomGenerator([] { return 5u; }).Draw(0), 0);
    for (std::uint32_t seed : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu})  // one entry always gives 0
        EXPECT_EQ(RandomGenerator([seed] { return seed; }).Draw(1), 0) << seed;
}

}  // namespace
}  // namespace pictavo
