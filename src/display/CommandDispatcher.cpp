#include "display/CommandDispatcher.h"

#include <utility>

namespace pictavo {

namespace {

// Sets ImageProcessCommand for the length of one redraw and puts -1 back even when the
// redraw throws, so a failed command never leaks into the next show.
class ImageProcessScope {
public:
    ImageProcessScope(std::int32_t& slot, std::int32_t value) : slot_(slot) { slot_ = value; }
    ~ImageProcessScope() { slot_ = -1; }
    ImageProcessScope(const ImageProcessScope&) = delete;
    ImageProcessScope& operator=(const ImageProcessScope&) = delete;

private:
    std::int32_t& slot_;
};

}  // namespace

CommandDispatcher::CommandDispatcher(AppState& state, DisplayActions& actions, RandomGenerator random)
    : state_(state), actions_(actions), random_(std::move(random)) {}

void CommandDispatcher::ExecuteCommand(KeyCode code) {
    if (const auto command = CommandForCode(state_.settings, code)) Run(*command);
}

void CommandDispatcher::Run(Command command) {
    using C = Command;
    Settings& s = state_.settings;
    switch (command) {
        case C::Exit:
            actions_.HideDisplay();
            return;
        case C::Next:
            RunMove(Move::Next);
            return;
        case C::Prev:
            RunMove(Move::Prev);
            return;
        case C::NextJump:
            RunMove(Move::NextJump);
            return;
        case C::PrevJump:
            RunMove(Move::PrevJump);
            return;
        case C::Plus1Page:
            RunMove(Move::Plus1Page);
            return;
        case C::Minus1Page:
            RunMove(Move::Minus1Page);
            return;
        case C::RandomJump:
            RunRandomJump();
            return;
        case C::ExchangeLR:
            s.ES2PS_IsPageLtoR = !s.ES2PS_IsPageLtoR;
            RedrawFresh();
            return;
        case C::ChangePicShowType:
            s.ES2PS_Is2PageSpread = !s.ES2PS_Is2PageSpread;
            RedrawFresh();
            return;
        case C::FileInfo:
            RunFileInfo();
            return;
        case C::Repaint:
            actions_.RepaintPictureArea();
            ShowCurrentPosition();
            return;
        case C::AutoSlide:
            actions_.ToggleAutoSlide();
            return;
        case C::FileList:
            actions_.ToggleFileList();
            return;
        case C::EnvInfo:
            actions_.ToggleSettingsPanel();
            return;
        case C::Animation:
            if (actions_.ToggleAnimation()) ExecuteCommand(s.RepaintKey);
            return;
        case C::AddList:
            actions_.AddCurrentToList();
            return;
        case C::ShowNowTime:
            actions_.ToggleClock();
            return;
        default:
            RunImageProcess(ImageProcessIndex(command));
            return;
    }
}

// Lets queued input run before a move, so further keys are served while a picture decodes.
// False when the show ended meanwhile and the move must not draw.
bool CommandDispatcher::LetPendingEventsRun() {
    ++movesWaiting_;
    struct Done {
        int& count;
        ~Done() { --count; }
    } done{movesWaiting_};
    actions_.ProcessPendingEvents();
    return actions_.IsShowRunning();
}

void CommandDispatcher::RunMove(Move move) {
    // The index is read after the wait because the keys served meanwhile may have moved it.
    if (!LetPendingEventsRun()) return;
    actions_.NoteTravel(TravelOf(move));
    const Settings& s = state_.settings;
    ShowMovedTo(
        MovedIndex(move, state_.CurrentIndex, state_.ImageCount, s.JumpNumber, s.ES2PS_Is2PageSpread));
}

void CommandDispatcher::RunRandomJump() {
    if (!LetPendingEventsRun()) return;
    actions_.NoteTravel(Travel::Random);
    ShowMovedTo(random_.Draw(state_.ImageCount));
}

void CommandDispatcher::ShowMovedTo(std::int32_t index) {
    state_.CurrentIndex = index;
    // Keys served while an earlier move waits only move: that move goes on from here and
    // shows where they all end. A burst of presses thus costs one decode, not one each.
    if (movesWaiting_ > 0) return;
    RedrawFresh();
}

void CommandDispatcher::RedrawFresh() {
    actions_.RepaintPictureArea();
    actions_.EmptyPictureCache();
    ShowCurrentPosition();
}

void CommandDispatcher::RunFileInfo() {
    std::int32_t& lines = state_.settings.FileInfoState;
    actions_.EraseFileInfoLines(lines < 0 ? 0 : lines);
    // A state outside 0..4 can only come from a hand-edited settings file; it starts over at
    // 0 instead of counting up for ever.
    lines = (lines >= 0 && lines < 4) ? lines + 1 : 0;
    ShowCurrentPosition();
}

void CommandDispatcher::RunImageProcess(int processIndex) {
    if (processIndex < 0) return;
    ImageProcessScope scope(state_.ImageProcessCommand, processIndex);
    ExecuteCommand(state_.settings.RepaintKey);
}

void CommandDispatcher::ShowCurrentPosition() {
    const auto request =
        CurrentPosition(state_.CurrentIndex, state_.ImageCount, state_.settings.ES2PS_Is2PageSpread);
    if (request) actions_.ShowPictures(request->index, request->second, request->twoPage);
}

void CommandDispatcher::ShowKeyResult(KeyCode code) {
    // Under a waiting move the line would be drawn over and replaced by that move's own.
    if (!state_.settings.IsShowKeyResult || !actions_.IsShowRunning() || movesWaiting_ > 0) return;
    actions_.EraseKeyResultStrip();
    const std::uint64_t before = actions_.ShowGeneration();
    ShowCurrentPosition();
    // Input served during that redraw has shown its own position and written its own line.
    if (actions_.ShowGeneration() - before > 1) return;
    actions_.WriteKeyResult(KeyResultText(code, state_.settings, actions_.Overlays(), CurrentEntry()));
}

void CommandDispatcher::KeyDown(KeyCode code, bool autoRepeat) {
    // The window system queues every repeat of a held key; serving each one nested inside the
    // move or the redraw before it would pile up decodes (and stack) for as long as the key is
    // held and keep the show running long after it is released. A fresh press is served.
    if (autoRepeat && (movesWaiting_ > 0 || actions_.IsShowInProgress())) return;
    // A key without a virtual-key code must not run a command left without a key (code 0).
    const bool runs =
        code != kNoKeyCode && !actions_.IsFileListVisible() && !actions_.IsSettingsPanelVisible();
    if (runs) ExecuteCommand(code);
    ShowKeyResult(code);
}

void CommandDispatcher::MouseButtonDown(KeyCode button) {
    if (actions_.IsSettingsPanelVisible()) {
        actions_.CloseSettingsPanel();
        return;
    }
    if (actions_.IsFileListVisible()) return;
    ExecuteCommand(button);
    ShowKeyResult(button);
}

void CommandDispatcher::Wheel(int delta) {
    if (actions_.IsFileListVisible() || actions_.IsSettingsPanelVisible()) return;
    const KeyCode code = delta < 1 ? state_.settings.NextKey : state_.settings.PrevKey;
    ExecuteCommand(code);
    ShowKeyResult(code);
}

QString CommandDispatcher::CurrentEntry() const {
    const std::int32_t i = state_.CurrentIndex;
    if (i < 0 || i >= state_.ImageList.size()) return {};
    return state_.ImageList.at(i);
}

}  // namespace pictavo
