#pragma once
// The display window's side of the command dispatch: each request of the dispatcher becomes
// a call on Form_disp and its picture area.
#include "display/DisplayActions.h"
#include "sources/AppState.h"

namespace pictavo {

class Form_disp;

class FormDispActions : public DisplayActions {
public:
    // Borrows `window` and `state`; the window owns this object.
    FormDispActions(Form_disp& window, AppState& state);

    bool IsShowRunning() const override;
    void HideDisplay() override;
    void ProcessPendingEvents() override;
    bool IsShowInProgress() const override;
    void NoteTravel(Travel travel) override;
    std::uint64_t ShowGeneration() const override;
    void RepaintPictureArea() override;
    void EmptyPictureCache() override;
    void ShowPictures(std::int32_t index, std::int32_t second, bool twoPage) override;
    void EraseFileInfoLines(std::int32_t lineCount) override;
    void EraseKeyResultStrip() override;
    void WriteKeyResult(const QString& text) override;
    OverlayState Overlays() const override;
    void ToggleAutoSlide() override;
    void ToggleFileList() override;
    void ToggleSettingsPanel() override;
    void CloseSettingsPanel() override;
    bool ToggleAnimation() override;
    void AddCurrentToList() override;
    void ToggleClock() override;

private:
    Form_disp& window_;
    AppState& state_;
};

}  // namespace pictavo
