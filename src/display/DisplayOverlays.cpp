#include "display/DisplayOverlays.h"

#include <QTimer>
#include <QWidget>
#include <exception>

#include "display/AnimationView.h"
#include "display/ClockPanel.h"
#include "display/FileListView.h"
#include "display/OverlayRules.h"
#include "display/PictureArea.h"
#include "display/Placement.h"
#include "display/SettingsInfoPanel.h"

namespace pictavo {

DisplayOverlays::DisplayOverlays(QWidget& window, AppState& state, QTimer& timerDisp, Host host)
    : window_(window),
      state_(state),
      timerDisp_(timerDisp),
      host_(std::move(host)),
      fileList_(new FileListView(&window)),
      panel_(new SettingsInfoPanel(&window)),
      clock_(new ClockPanel(&window)),
      animation_(new AnimationView(&window)) {
    connect(&timerDisp_, &QTimer::timeout, this, &DisplayOverlays::AutoSlideTick);
    connect(fileList_, &FileListView::Chosen, this, &DisplayOverlays::FileChosen);
    connect(fileList_, &FileListView::Dismissed, this, &DisplayOverlays::CloseFileList);
    connect(panel_, &SettingsInfoPanel::CloseRequested, this, &DisplayOverlays::CloseSettingsPanel);
    connect(panel_, &SettingsInfoPanel::TypingRefused, this, [this] { host_.beep(); });
}

DisplayOverlays::~DisplayOverlays() = default;

void DisplayOverlays::ShowStarted(const QRect& area) {
    LayOut(area);
    if (state_.settings.IsShowNowTime)
        clock_->Start();
    else
        clock_->Stop();
    panel_->Fill(state_);
}

void DisplayOverlays::HideStarted() {
    CloseSettingsPanel();
    if (fileList_->isVisible()) CloseFileList();
    timerDisp_.stop();
    clock_->Stop();
    ClearAnimation(false);
}

void DisplayOverlays::HideFinished() {
    ApplySettingsPanel();
}

void DisplayOverlays::LayOut(const QRect& area) {
    clock_->Anchor(area.x() + area.width(), area.y());
}

// The tick is a command like a key, but writes no key-result line.
void DisplayOverlays::AutoSlideTick() {
    host_.executeCommand(AutoSlideCode(state_.settings));
}

void DisplayOverlays::ToggleAutoSlide() {
    if (timerDisp_.isActive())
        timerDisp_.stop();
    else
        timerDisp_.start();
}

void DisplayOverlays::ToggleFileList() {
    if (fileList_->isVisible())
        CloseFileList();
    else
        OpenFileList();
}

void DisplayOverlays::OpenFileList() {
    timerDisp_.stop();  // not started again when the list closes
    fileList_->Open(state_.ImageList, state_.CurrentIndex, FileListRect(window_.width(), window_.height()));
}

void DisplayOverlays::CloseFileList() {
    fileList_->Close();
    host_.executeCommand(state_.settings.RepaintKey);
    window_.setFocus(Qt::OtherFocusReason);
}

// The list is already hidden. The position moves before the show lets pending events run, so
// a key served meanwhile moves on from the chosen entry, and its show wins over this one.
void DisplayOverlays::FileChosen(int row) {
    window_.setFocus(Qt::OtherFocusReason);
    host_.repaintArea();
    host_.emptyCache();
    state_.CurrentIndex = row;
    host_.showCurrentPosition();
}

void DisplayOverlays::ToggleSettingsPanel() {
    if (panel_->isVisible())
        CloseSettingsPanel();
    else
        OpenSettingsPanel();
}

void DisplayOverlays::OpenSettingsPanel() {
    timerDisp_.stop();  // not started again when the panel closes
    panel_->Fill(state_);
    panel_->Open();
}

void DisplayOverlays::CloseSettingsPanel() {
    if (!panel_->isVisible()) return;
    ApplySettingsPanel();
    timerDisp_.setInterval(state_.settings.SlideInterval);
    panel_->hide();
    host_.executeCommand(state_.settings.RepaintKey);
    window_.setFocus(Qt::OtherFocusReason);
}

void DisplayOverlays::ApplySettingsPanel() {
    SettingsPanelFields fields = panel_->Fields();
    pictavo::ApplySettingsPanel(fields, state_.settings);
    panel_->SetFields(fields);
}

bool DisplayOverlays::ToggleAnimation() {
    state_.settings.IsPicAnimation = !state_.settings.IsPicAnimation;
    if (!state_.settings.IsPicAnimation) ClearAnimation(true);
    return true;
}

void DisplayOverlays::AddCurrentToList() {
    AddCurrentToHandMadeList(state_);
}

void DisplayOverlays::ToggleClock() {
    if (!clock_->isVisible()) {
        clock_->Start();
        return;
    }
    clock_->Stop();
    host_.showCurrentPosition();  // what the clock covered
}

OverlayState DisplayOverlays::Overlays() const {
    return {timerDisp_.isActive(), fileList_->isVisible(), panel_->isVisible(), clock_->isVisible()};
}

// Like every show, this one is on the screen before the next input is served.
void DisplayOverlays::ShowAnimation(const QString& path, const QRect& area) {
    animation_->Clear();
    animation_->SetWindowColor(ColorFromSetting(state_.settings.BackGroundColor));
    if (PlaceAnimation(path, area)) {
        animation_->show();
        clock_->raise();
    }
    if (animation_->isVisible()) animation_->repaint();
}

bool DisplayOverlays::PlaceAnimation(const QString& path, const QRect& area) {
    try {
        animation_->Load(path, state_.registry, state_.settings.BackGroundColor);
    } catch (const std::exception&) {
        animation_->Clear();
        host_.beep();
        return false;
    }
    const QSize size = animation_->PictureSize();
    const auto rect = PlacePicture(size.width(), size.height(), area.width(), area.height(),
                                   state_.settings.ImageResizeType);
    // A resize type the placement does not know draws nothing, as in the plain show.
    if (!rect) {
        animation_->Clear();
        return false;
    }
    animation_->setGeometry(area.x() + rect->left, area.y() + rect->top, rect->Width(), rect->Height());
    return true;
}

// Every plain show passes here: an empty view is left alone rather than repainted.
void DisplayOverlays::ClearAnimation(bool hide) {
    if (!animation_->IsEmpty()) animation_->Clear();
    if (hide) animation_->hide();
}

}  // namespace pictavo
