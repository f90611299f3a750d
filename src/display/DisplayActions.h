#pragma once
// What the dispatcher asks of the display window. The window implements it with widgets; the
// tests implement it with a recorder, so the command rules run without any window.
#include <QString>
#include <cstdint>

#include "display/KeyResult.h"
#include "display/PrefetchPlan.h"

namespace pictavo {

class DisplayActions {
public:
    virtual ~DisplayActions() = default;

    // True while the window is shown and not hiding; commands that wait for pending events
    // stop when the show ended meanwhile, and no key-result line is written after leaving.
    virtual bool IsShowRunning() const = 0;
    // Runs the hide sequence of the window.
    virtual void HideDisplay() = 0;
    // Lets pending window events run (re-entrantly) before a move.
    virtual void ProcessPendingEvents() = 0;
    // True while a show is under way, including the input it lets run meanwhile.
    virtual bool IsShowInProgress() const { return false; }
    // Advances by one with every show and with every change of the cached picture; a redraw
    // that sees it move by more than one was overtaken by a nested show.
    virtual std::uint64_t ShowGeneration() const { return 0; }
    // The direction of the move about to be shown (what is worth decoding ahead).
    virtual void NoteTravel(Travel) {}
    // Erases the picture area to the window colour.
    virtual void RepaintPictureArea() = 0;
    // Drops the cached picture so the next show decodes the entry again.
    virtual void EmptyPictureCache() = 0;
    // Puts entry `index` (with `second` when `twoPage`) on screen, from the cache when it holds
    // a picture.
    virtual void ShowPictures(std::int32_t index, std::int32_t second, bool twoPage) = 0;
    // Fills `lineCount` file-information lines from the top of the picture area with the
    // window colour.
    virtual void EraseFileInfoLines(std::int32_t lineCount) = 0;
    // Fills the key-result strip (one line high, at the bottom of the picture area) with the
    // window colour.
    virtual void EraseKeyResultStrip() = 0;
    // Writes `text` into the key-result strip in the file-information colour.
    virtual void WriteKeyResult(const QString& text) = 0;
    // What is visible besides the picture, for the key-result texts.
    virtual OverlayState Overlays() const = 0;
    // True when the settings-info panel is open / the file list is open.
    virtual bool IsSettingsPanelVisible() const { return Overlays().settingsPanel; }
    virtual bool IsFileListVisible() const { return Overlays().fileList; }

    // Commands served by the auto slide, the overlays and the animation view. Until a window
    // provides them they do nothing. ToggleAnimation returns true when it switched the mode,
    // so the dispatcher then redraws through the repaint binding.
    virtual void ToggleAutoSlide() {}
    virtual void ToggleFileList() {}
    virtual void ToggleSettingsPanel() {}
    virtual void CloseSettingsPanel() {}
    virtual bool ToggleAnimation() { return false; }
    virtual void AddCurrentToList() {}
    virtual void ToggleClock() {}
};

}  // namespace pictavo
