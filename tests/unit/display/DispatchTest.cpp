#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "display/CommandDispatcher.h"

namespace pictavo {
namespace {

// Records what the dispatcher asks of the window, one short line per call.
class RecordingActions : public DisplayActions {
public:
    explicit RecordingActions(AppState& state) : state_(state) {}

    bool IsShowRunning() const override { return running; }
    void HideDisplay() override {
        log.push_back("hide");
        running = false;
    }
    void ProcessPendingEvents() override {
        log.push_back("events");
        if (pending) std::exchange(pending, nullptr)();
    }
    void RepaintPictureArea() override { log.push_back("erase"); }
    void EmptyPictureCache() override { log.push_back("drop"); }
    void ShowPictures(std::int32_t index, std::int32_t second, bool twoPage) override {
        log.push_back(
            "show " + std::to_string(index) + (twoPage ? "+" + std::to_string(second) : "") +
            (state_.ImageProcessCommand >= 0 ? " proc" + std::to_string(state_.ImageProcessCommand) : ""));
    }
    void EraseFileInfoLines(std::int32_t lines) override {
        log.push_back("eraseinfo " + std::to_string(lines));
    }
    void EraseKeyResultStrip() override { log.push_back("strip"); }
    void WriteKeyResult(const QString& text) override { log.push_back("write " + text.toStdString()); }
    OverlayState Overlays() const override { return overlays; }
    void CloseSettingsPanel() override {
        log.push_back("closepanel");
        overlays.settingsPanel = false;
    }
    bool ToggleAnimation() override {
        if (!animationServed) return false;
        state_.settings.IsPicAnimation = !state_.settings.IsPicAnimation;
        return true;
    }

    std::vector<std::string> log;
    OverlayState overlays;
    bool running = true;
    bool animationServed = false;
    std::function<void()> pending;  // runs once inside the next ProcessPendingEvents

private:
    AppState& state_;
};

using Log = std::vector<std::string>;

// Puts the show at `index`, in spread mode or not, with `count` entries in the list.
std::function<void(AppState&)> At(std::int32_t index, bool spread = false, std::int32_t count = 5) {
    return [=](AppState& s) {
        s.ImageCount = count, s.CurrentIndex = index, s.settings.ES2PS_Is2PageSpread = spread;
    };
}

// The key-result line on, with `edit` applied to the settings.
std::function<void(AppState&)> KeyLine(std::function<void(Settings&)> edit = [](Settings&) {}) {
    return [=](AppState& s) { s.settings.IsShowKeyResult = true, edit(s.settings); };
}

class DispatchTest : public ::testing::Test {
protected:
    DispatchTest() {
        for (int i = 0; i < 5; ++i) state.ImageList << QStringLiteral("/p/%1.jpg").arg(i);
        state.ImageCount = 5;
    }
    Log Press(KeyCode code) {
        actions.log.clear();
        dispatcher.KeyDown(code);
        return actions.log;
    }

    AppState state;
    RecordingActions actions{state};
    CommandDispatcher dispatcher{state, actions, RandomGenerator([] { return 0x80000000u; })};
};

// One key press from a prepared state: what the window is asked to do and where the show lands.
struct PressCase {
    const char* name;
    std::function<void(AppState&)> setUp;
    KeyCode code;
    Log log;
    std::int32_t index;
};

class DispatchTable : public DispatchTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(DispatchTable, RunsTheBoundRow) {
    GetParam().setUp(state);
    EXPECT_EQ(Press(GetParam().code), GetParam().log);
    EXPECT_EQ(state.CurrentIndex, GetParam().index);
    EXPECT_EQ(state.ImageProcessCommand, -1);  // a processing command lasts one redraw
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DispatchTable,
    ::testing::Values(
        // A move handles pending events, then redraws from a fresh decode.
        PressCase{"MoveRedrawsFromAFreshDecode", At(0), 39, {"events", "erase", "drop", "show 1"}, 1},
        PressCase{"SpreadMoveBack", At(1, true), 37, {"events", "erase", "drop", "show 0+1"}, 0},
        PressCase{"LeavingWritesNoKeyLine", KeyLine(), 8, {"hide"}, 0},
        PressCase{"NoCodeRunsNothingEvenWhenACommandIsUnbound",
                  KeyLine([](Settings& s) { s.NextKey = 0; }),
                  0,
                  {"strip", "show 0", "write "},
                  0},
        // Image processing redraws the cached picture through the repaint binding.
        PressCase{"FlipThroughRepaint", At(2), 121, {"erase", "show 2 proc9"}, 2},
        PressCase{"RepaintCodeBoundToAnEarlierRowRunsThatRow",
                  [](AppState& s) { s.settings.RepaintKey = s.settings.NextKey; },
                  113,
                  {"events", "erase", "drop", "show 1 proc1"},
                  1},
        // Exchange and show type toggle without moving or waiting.
        PressCase{"ShowTypeToggle", At(3), 18, {"erase", "drop", "show 3+4"}, 3},
        PressCase{"Exchange", At(3, true), 88, {"erase", "drop", "show 3+4"}, 3},
        // Before the first entry in spread mode: nothing is shown, and the next move recovers.
        PressCase{"PrevFromZeroInASpreadOfOne", At(0, true, 1), 37, {"events", "erase", "drop"}, -1},
        PressCase{"RepaintAtMinusOne", At(-1, true, 1), 32, {"erase"}, -1},
        PressCase{"NextFromMinusOne", At(-1, true, 1), 39, {"events", "erase", "drop", "show 0"}, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(DispatchTest, AKeyArrivingDuringTheWaitMovesFirstButARepeatIsDropped) {
    // Three presses in a row: the last two are served inside the first one's wait, and only
    // the position they all end on is decoded, with one key-result line.
    state.settings.IsShowKeyResult = true;
    actions.pending = [this] {
        actions.pending = [this] { dispatcher.KeyDown(39); };
        dispatcher.KeyDown(39);
    };
    Log log = Press(39);
    ASSERT_EQ(log.size(), 9u);
    EXPECT_EQ(log.back().rfind("write ", 0), 0u);
    log.pop_back();
    EXPECT_EQ(log, (Log{"events", "events", "events", "erase", "drop", "show 3", "strip", "show 3"}));
    state.settings.IsShowKeyResult = false;
    state.CurrentIndex = 0;
    actions.pending = [this] { dispatcher.KeyDown(39); };
    Press(39);
    EXPECT_EQ(state.CurrentIndex, 2);
    actions.pending = [this] { dispatcher.KeyDown(39, true); };
    Press(39);
    EXPECT_EQ(state.CurrentIndex, 3);
    dispatcher.KeyDown(39, true);  // nothing is waiting now: the repeat moves
    EXPECT_EQ(state.CurrentIndex, 4);
}

TEST_F(DispatchTest, MoveStopsWhenTheShowEndedDuringTheWait) {
    actions.pending = [this] { dispatcher.KeyDown(kEscapeKey); };
    EXPECT_EQ(Press(39), (Log{"events", "hide"}));
    EXPECT_EQ(state.CurrentIndex, 0);
}

TEST_F(DispatchTest, NoEntryIsReadAtMinusOne) {
    state.CurrentIndex = -1;
    EXPECT_EQ(dispatcher.CurrentEntry(), QString());
}

TEST_F(DispatchTest, AnimationToggleRedrawsOnlyWhenTheModeIsServed) {
    EXPECT_EQ(Press(state.settings.AnimationKey), Log{});
    actions.animationServed = true;
    EXPECT_EQ(Press(state.settings.AnimationKey), (Log{"erase", "show 0"}));
    EXPECT_TRUE(state.settings.IsPicAnimation);
}

TEST_F(DispatchTest, FileInfoErasesTheLinesShownAndAnUnknownStateStartsAgain) {
    state.settings.FileInfoState = 3;
    EXPECT_EQ(Press(9), (Log{"eraseinfo 3", "show 0"}));
    EXPECT_EQ(state.settings.FileInfoState, 4);
    state.settings.FileInfoState = 9;
    Press(9);
    EXPECT_EQ(state.settings.FileInfoState, 0);
}

TEST_F(DispatchTest, OpenListOrPanelStopsCommandsButTheKeyLineIsStillWritten) {
    state.settings.IsShowKeyResult = true;
    actions.overlays.fileList = true;
    EXPECT_EQ(Press(39), (Log{"strip", "show 0", "write 次の画像を表示"}));
    actions.log.clear();
    dispatcher.Wheel(-120);
    dispatcher.MouseButtonDown(kMouseLeftCode);
    EXPECT_EQ(actions.log, Log{});
}

TEST_F(DispatchTest, AClickWithThePanelOpenOnlyClosesThePanel) {
    actions.overlays.settingsPanel = true;
    state.settings.NextKey = kMouseLeftCode;
    dispatcher.MouseButtonDown(kMouseLeftCode);
    EXPECT_EQ(actions.log, (Log{"closepanel"}));
    EXPECT_EQ(state.CurrentIndex, 0);
    dispatcher.MouseButtonDown(kMouseLeftCode);
    EXPECT_EQ(state.CurrentIndex, 1);
}

}  // namespace
}  // namespace pictavo
