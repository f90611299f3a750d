#include "display/FormDispActions.h"

#include <QCoreApplication>
#include <QTimer>

#include "display/DisplayOverlays.h"
#include "display/Form_disp.h"
#include "display/PictureArea.h"

namespace pictavo {

FormDispActions::FormDispActions(Form_disp& window, AppState& state) : window_(window), state_(state) {}

bool FormDispActions::IsShowRunning() const {
    return window_.isVisible() && !state_.DisplayClosing;
}

void FormDispActions::HideDisplay() {
    window_.HideDisplay();
}

void FormDispActions::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

void FormDispActions::NoteTravel(Travel travel) {
    window_.NoteTravel(travel);
}

bool FormDispActions::IsShowInProgress() const {
    return window_.IsShowInProgress();
}

std::uint64_t FormDispActions::ShowGeneration() const {
    return window_.ShowGeneration();
}

void FormDispActions::RepaintPictureArea() {
    window_.RepaintPictureArea();
}

void FormDispActions::EmptyPictureCache() {
    window_.EmptyCurrentPicture();
}

void FormDispActions::ShowPictures(std::int32_t index, std::int32_t second, bool twoPage) {
    window_.ShowPictures(index, second, twoPage);
}

void FormDispActions::EraseFileInfoLines(std::int32_t lineCount) {
    PictureArea* area = window_.PaintBox_disp();
    area->EraseStrip(0, lineCount * area->LineHeight());
}

void FormDispActions::EraseKeyResultStrip() {
    PictureArea* area = window_.PaintBox_disp();
    const int line = area->LineHeight();
    area->EraseStrip(area->height() - line, line);
}

void FormDispActions::WriteKeyResult(const QString& text) {
    PictureArea* area = window_.PaintBox_disp();
    area->DrawTextLine(area->height() - area->LineHeight(), text,
                       ColorFromSetting(state_.settings.FileInfoColor));
    area->Present();
}

OverlayState FormDispActions::Overlays() const {
    return window_.Overlays().Overlays();
}

void FormDispActions::ToggleAutoSlide() {
    window_.Overlays().ToggleAutoSlide();
}
void FormDispActions::ToggleFileList() {
    window_.Overlays().ToggleFileList();
}
void FormDispActions::ToggleSettingsPanel() {
    window_.Overlays().ToggleSettingsPanel();
}
void FormDispActions::CloseSettingsPanel() {
    window_.Overlays().CloseSettingsPanel();
}
bool FormDispActions::ToggleAnimation() {
    return window_.Overlays().ToggleAnimation();
}
void FormDispActions::AddCurrentToList() {
    window_.Overlays().AddCurrentToList();
}
void FormDispActions::ToggleClock() {
    window_.Overlays().ToggleClock();
}

}  // namespace pictavo
