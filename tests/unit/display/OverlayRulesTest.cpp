#include <gtest/gtest.h>

#include "display/OverlayRules.h"
#include "display/SettingsPanelFields.h"

using namespace pictavo;

namespace {

// Which binding the auto slide's tick runs is the window test's random-mode case.
TEST(OverlayRules, PanelGeometry) {
    EXPECT_EQ(FileListRect(806, 603), (OverlayRect{201, 150, 403, 301}));
    EXPECT_EQ(CentredRect(361, 457, 300, 300), (OverlayRect{-30, -78, 361, 457}));
}

// Duplicates and archive shows are the window test's; a position past the list adds nothing.
TEST(OverlayRules, AddToListRefusesAPositionPastTheList) {
    AppState state;
    state.ImageList = {"/p/a.jpg"};
    state.ImageCount = 1;
    state.CurrentIndex = 1;
    EXPECT_FALSE(AddCurrentToHandMadeList(state));
    EXPECT_EQ(state.FileSelectList.rowCount(), 0);
}

struct ApplyCase {
    const char* interval;
    const char* jump;
    std::int32_t storedInterval;
    std::int32_t storedJump;
    const char* shownInterval;
    const char* shownJump;
};

// Short intervals become 100, empty fields 100 and 0; text that is not a whole number (only
// pasting gets it there) or overflows keeps the previous setting (5000 and 10) and shows it.
TEST(SettingsPanelFields, ApplyStoresWhatTheFieldsHold) {
    const ApplyCase cases[] = {{"50", "", 100, 0, "50", "0"},
                               {"", "7", 100, 7, "100", "7"},
                               {"2000", "25", 2000, 25, "2000", "25"},
                               {"1e3", "-4", 5000, 10, "5000", "10"},
                               {"99999999999", " 3", 5000, 10, "5000", "10"}};
    for (const ApplyCase& c : cases) {
        Settings s;
        SettingsPanelFields f = FillSettingsPanel(s);
        f.slideInterval = c.interval;
        f.jumpNumber = c.jump;
        f.stretchAlgorithm = -1;
        f.isAutoRandom = true;
        f.password = "pw";
        ApplySettingsPanel(f, s);
        EXPECT_EQ(s.SlideInterval, c.storedInterval) << c.interval;
        EXPECT_EQ(s.JumpNumber, c.storedJump) << c.jump;
        EXPECT_EQ(f.slideInterval, c.shownInterval);
        EXPECT_EQ(f.jumpNumber, c.shownJump);
        EXPECT_EQ(s.StretchAlgorithm, 1);  // no item chosen: unchanged
        EXPECT_TRUE(s.IsAutoRandom);
        EXPECT_EQ(s.InputPassword, "pw");
    }
    Settings odd;
    odd.StretchAlgorithm = 7;
    EXPECT_EQ(FillSettingsPanel(odd).stretchAlgorithm, -1);
}

}  // namespace
