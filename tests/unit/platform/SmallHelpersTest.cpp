#include <gtest/gtest.h>

#include "platform/ClockText.h"
#include "platform/Collation.h"

namespace pictavo {
namespace {

TEST(FormatTimeOfDay, FollowsTheGivenFormatOrTheLocalesLongOne) {
    std::tm time{};
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 7;
    EXPECT_EQ(FormatTimeOfDay(time, "%H:%M:%S"), "09:05:07");
    EXPECT_EQ(FormatTimeOfDay(time, "%k時%M分"), " 9時05分");
    time.tm_hour = 14;
    // The test runs in the C locale, whose long time format is %H:%M:%S.
    EXPECT_EQ(FormatTimeOfDay(time), "14:05:07");
}

TEST(SortCaseInsensitive, IgnoresTheCaseOfLetters) {
    QStringList paths{"/p/b.jpg", "/p/C.jpg", "/p/a2.jpg", "/P/z.jpg", "/p/A.jpg"};
    SortCaseInsensitive(paths);
    EXPECT_EQ(paths, (QStringList{"/p/A.jpg", "/p/a2.jpg", "/p/b.jpg", "/p/C.jpg", "/P/z.jpg"}));
    EXPECT_EQ(CompareCaseInsensitive("ABC", "abc"), 0);
    EXPECT_LT(CompareCaseInsensitive("abc", "ABD"), 0);
}

TEST(SortCaseInsensitive, IgnoresCaseAndKeepsATieOrder) {
    QStringList paths{"/p/b.jpg", "/p/C.jpg", "/p/a.jpg", "/p/B.jpg", "/p/A.jpg"};
    SortCaseInsensitive(paths);
    EXPECT_EQ(paths, (QStringList{"/p/A.jpg", "/p/a.jpg", "/p/B.jpg", "/p/b.jpg", "/p/C.jpg"}));
}

}  // namespace
}  // namespace pictavo
