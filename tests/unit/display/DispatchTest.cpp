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

TEST_F(DispatchTest, MoveHandlesPendingEventsThenRedrawsFromAFreshDecode) {
    EXPECT_EQ(Press(39), (Log{"events", "erase", "drop", "show 1"}));
    EXPECT_EQ(state.CurrentIndex, 1);
    state.settings.ES2PS_Is2PageSpread = true;
    EXPECT_EQ(Press(37), (Log{"events", "erase", "drop", "show 0+1"}));
}

TEST_F(DispatchTest, AKeyArrivingDuringTheWaitMovesFirstAndTheMoveBuildsOnIt) {
    actions.pending = [this] { dispatcher.KeyDown(39); };
    Press(39);
    EXPECT_EQ(state.CurrentIndex, 2);
}

TEST_F(DispatchTest, ARepeatOfAHeldKeyArrivingDuringTheWaitIsDropped) {
    actions.pending = [this] { dispatcher.KeyDown(39, true); };
    Press(39);
    EXPECT_EQ(state.CurrentIndex, 1);
    dispatcher.KeyDown(39, true);  // nothing is waiting now: the repeat moves
    EXPECT_EQ(state.CurrentIndex, 2);
}

TEST_F(DispatchTest, MoveStopsWhenTheShowEndedDuringTheWait) {
    actions.pending = [this] { dispatcher.KeyDown(kEscapeKey); };
    EXPECT_EQ(Press(39), (Log{"events", "hide"}));
    EXPECT_EQ(state.CurrentIndex, 0);
}

TEST_F(DispatchTest, EscapeLeavesWhateverExitIsBoundTo) {
    state.settings.ExitKey = 66;
    EXPECT_EQ(Press(kEscapeKey), (Log{"hide"}));
}

TEST_F(DispatchTest, ACodeBoundTwiceRunsTheEarlierRow) {
    state.settings.PrevKey = 39;  // Next is tested before Prev
    Press(39);
    EXPECT_EQ(state.CurrentIndex, 1);
    state.settings.ExitKey = 39;  // Exit is tested first of all
    EXPECT_EQ(Press(39), (Log{"hide"}));
}

TEST_F(DispatchTest, AKeyWithoutACodeRunsNothingEvenWhenACommandIsUnbound) {
    state.settings.IsShowKeyResult = true;
    state.settings.NextKey = 0;
    EXPECT_EQ(Press(0), (Log{"strip", "show 0", "write "}));
}

TEST_F(DispatchTest, ImageProcessingRedrawsTheCachedPictureThroughTheRepaintBinding) {
    state.CurrentIndex = 2;
    EXPECT_EQ(Press(113), (Log{"erase", "show 2 proc1"}));
    EXPECT_EQ(state.ImageProcessCommand, -1);
    EXPECT_EQ(Press(121), (Log{"erase", "show 2 proc9"}));
}

TEST_F(DispatchTest, ARepaintCodeBoundToAnEarlierRowRunsThatRow) {
    state.settings.RepaintKey = state.settings.NextKey;
    EXPECT_EQ(Press(113), (Log{"events", "erase", "drop", "show 1 proc1"}));
    EXPECT_EQ(state.ImageProcessCommand, -1);
}

TEST_F(DispatchTest, AnimationToggleRedrawsOnlyWhenTheModeIsServed) {
    EXPECT_EQ(Press(state.settings.AnimationKey), Log{});
    actions.animationServed = true;
    EXPECT_EQ(Press(state.settings.AnimationKey), (Log{"erase", "show 0"}));
    EXPECT_TRUE(state.settings.IsPicAnimation);
}

TEST_F(DispatchTest, ExchangeAndShowTypeToggleWithoutMovingOrWaiting) {
    state.CurrentIndex = 3;
    EXPECT_EQ(Press(18), (Log{"erase", "drop", "show 3+4"}));
    EXPECT_TRUE(state.settings.ES2PS_Is2PageSpread);
    EXPECT_EQ(Press(88), (Log{"erase", "drop", "show 3+4"}));
    EXPECT_FALSE(state.settings.ES2PS_IsPageLtoR);
    EXPECT_EQ(state.CurrentIndex, 3);
}

TEST_F(DispatchTest, FileInfoErasesTheLinesShownThenStepsRoundFiveStates) {
    std::vector<std::int32_t> states;
    for (int k = 0; k < 5; ++k) {
        const std::int32_t before = state.settings.FileInfoState;
        EXPECT_EQ(Press(9), (Log{"eraseinfo " + std::to_string(before), "show 0"}));
        states.push_back(state.settings.FileInfoState);
    }
    EXPECT_EQ(states, (std::vector<std::int32_t>{1, 2, 3, 4, 0}));
    state.settings.FileInfoState = 9;
    Press(9);
    EXPECT_EQ(state.settings.FileInfoState, 0);
}

TEST_F(DispatchTest, NegativeIndexShowsNothingAndReadsNoEntry) {
    state.ImageCount = 1;
    state.settings.ES2PS_Is2PageSpread = true;
    EXPECT_EQ(Press(37), (Log{"events", "erase", "drop"}));
    EXPECT_EQ(state.CurrentIndex, -1);
    EXPECT_EQ(Press(32), (Log{"erase"}));
    EXPECT_EQ(dispatcher.CurrentEntry(), QString());
    EXPECT_EQ(Press(39), (Log{"events", "erase", "drop", "show 0"}));
}

TEST_F(DispatchTest, KeyResultLineFollowsTheCommandAndRedrawsFromTheCache) {
    state.settings.IsShowKeyResult = true;
    state.settings.JumpNumber = 25;
    EXPECT_EQ(Press(40),
              (Log{"events", "erase", "drop", "show 4", "strip", "show 4", "write 25枚次の画像を表示"}));
    // A key bound to nothing still wipes the previous line.
    EXPECT_EQ(Press(90), (Log{"strip", "show 4", "write "}));
}

TEST_F(DispatchTest, NoKeyResultLineWhenSwitchedOffOrAfterLeaving) {
    EXPECT_EQ(Press(39), (Log{"events", "erase", "drop", "show 1"}));
    state.settings.IsShowKeyResult = true;
    EXPECT_EQ(Press(8), (Log{"hide"}));
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
