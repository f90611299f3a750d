#include "sources/Collection.h"

#include <gtest/gtest.h>

#include "sources/EventPump.h"
#include "sources/PathSort.h"

namespace pictavo {
namespace {

TEST(JudgeCollectionTest, NothingFoundWinsAndOnlyAPlainCancelGivesUp) {
    EXPECT_EQ(JudgeCollection(0, false, false), CollectionVerdict::NothingFound);
    EXPECT_EQ(JudgeCollection(0, true, false), CollectionVerdict::NothingFound);
    EXPECT_EQ(JudgeCollection(3, true, false), CollectionVerdict::GaveUp);
    EXPECT_EQ(JudgeCollection(3, true, true), CollectionVerdict::Start);
    EXPECT_EQ(JudgeCollection(1, false, false), CollectionVerdict::Start);
}

TEST(EventPumpTest, RunsAtMostOncePerInterval) {
    using namespace std::chrono_literals;
    EventPump::Clock::time_point now{};
    int runs = 0;
    EventPump pump([&] { ++runs; }, 15ms, [&] { return now; });
    pump.Poll();  // the first entry always lets events through
    EXPECT_EQ(runs, 1);
    now += 14ms;
    pump.Poll();
    EXPECT_EQ(runs, 1);
    now += 1ms;
    pump.Poll();
    EXPECT_EQ(runs, 2);
    now += 1h;
    pump.Poll();
    pump.Poll();
    EXPECT_EQ(runs, 3);
}

TEST(SortPathsIgnoringCaseTest, IgnoresCaseAndKeepsATieOrder) {
    QStringList paths{"/p/b.jpg", "/p/C.jpg", "/p/a.jpg", "/p/B.jpg", "/p/A.jpg"};
    SortPathsIgnoringCase(paths);
    ASSERT_EQ(paths.size(), 5);
    EXPECT_EQ(paths.mid(0, 2), (QStringList{"/p/A.jpg", "/p/a.jpg"}));
    EXPECT_EQ(paths.mid(2, 2), (QStringList{"/p/B.jpg", "/p/b.jpg"}));
    EXPECT_EQ(paths[4], "/p/C.jpg");
}

}  // namespace
}  // namespace pictavo
