#include "sources/Collection.h"

#include <gtest/gtest.h>

#include "sources/EventPump.h"

namespace pictavo {
namespace {

TEST(JudgeCollectionTest, NothingFoundWinsAndOnlyAPlainCancelGivesUp) {
    EXPECT_EQ(JudgeCollection(0, true, false), CollectionVerdict::NothingFound);
    EXPECT_EQ(JudgeCollection(3, true, true), CollectionVerdict::Start);
}

TEST(EventPumpTest, RunsAtMostOncePerInterval) {
    using namespace std::chrono_literals;
    EventPump::Clock::time_point now{};
    int runs = 0;
    EventPump pump([&] { ++runs; }, 15ms, [&] { return now; });
    // The first entry always lets events through.
    for (auto [step, expected] : {std::pair{0ms, 1}, {14ms, 1}, {1ms, 2}, {3600000ms, 3}, {0ms, 3}}) {
        now += step;
        pump.Poll();
        EXPECT_EQ(runs, expected) << "after " << step.count() << " ms";
    }
}

}  // namespace
}  // namespace pictavo
