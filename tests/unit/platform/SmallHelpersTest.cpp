#include <gtest/gtest.h>

#include <clocale>

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

// With a ":" the seconds are cut from the text; without one (the Japanese long format) the
// time is formatted again without its seconds field.
TEST(ClockText, DropsTheSecondsInBothKindsOfFormat) {
    std::tm time{};
    time.tm_hour = 14;
    time.tm_min = 5;
    time.tm_sec = 9;
    const std::pair<const char*, const char*> cases[] = {
        {"%H:%M:%S", "14:05"},        {"%I:%M:%S %p", "02:05 PM"},
        {"%H時%M分%S秒", "14時05分"}, {"%p%I時%M分%S秒", "PM02時05分"},
        {"%H.%M.%S", "14.05"},        {"%H%M", "1405"},
        {"%H時%M分%OS秒", "14時05分"}};
    for (const auto& [format, expected] : cases) EXPECT_EQ(ClockText(time, format), expected) << format;
    EXPECT_EQ(ClockText(time), "14:05");  // the C locale's %H:%M:%S
    if (std::setlocale(LC_TIME, "ja_JP.UTF-8")) {
        EXPECT_EQ(ClockText(time), "14時05分");
        std::setlocale(LC_TIME, "C");
    }
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
