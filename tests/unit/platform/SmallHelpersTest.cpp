#include <gtest/gtest.h>

#include <clocale>

#include "platform/ClockText.h"
#include "platform/Collation.h"

namespace pictavo {
namespace {

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

// Paths that differ only in case always come in the same order, capitals first.
TEST(SortCaseInsensitive, IgnoresCaseAndKeepsATieOrder) {
    QStringList paths{"/p/b.jpg", "/p/C.jpg", "/p/a2.jpg", "/P/z.jpg", "/p/a.jpg", "/p/B.jpg", "/p/A.jpg"};
    SortCaseInsensitive(paths);
    EXPECT_EQ(paths, (QStringList{"/p/A.jpg", "/p/a.jpg", "/p/a2.jpg", "/p/B.jpg", "/p/b.jpg", "/p/C.jpg",
                                  "/P/z.jpg"}));
}

}  // namespace
}  // namespace pictavo
