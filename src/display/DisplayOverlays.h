#pragma once
// What the slideshow window lays over its picture and the modes beside the plain show: the
// auto-slide timer's commands, the file list, the settings-info panel, the clock, the
// animation view and the add-to-list command. The window owns one, creates the widgets
// through it and forwards the dispatcher's requests; everything that draws the picture goes
// back through the window's Host functions, so the show's own rules stay in one place.
#include <QObject>
#include <QRect>
#include <functional>

#include "config/Settings.h"
#include "display/KeyResult.h"
#include "sources/AppState.h"

class QTimer;
class QWidget;

namespace pictavo {

class AnimationView;
class ClockPanel;
class FileListView;
class SettingsInfoPanel;

class DisplayOverlays : public QObject {
    Q_OBJECT
public:
    struct Host {
        // Runs a command as a key would (the repaint binding after an overlay closes, the
        // auto-slide step); the dispatcher decides what it does.
        std::function<void(KeyCode)> executeCommand;
        std::function<void()> repaintArea;
        std::function<void()> emptyCache;
        std::function<void()> showCurrentPosition;
        std::function<void()> beep;
    };

    // Creates the overlay widgets as children of `window`; `timerDisp` is the window's
    // auto-slide timer. All are borrowed and outlive this object.
    DisplayOverlays(QWidget& window, AppState& state, QTimer& timerDisp, Host host);
    ~DisplayOverlays() override;

    // The show sequence's part: the clock as IsShowNowTime says, the panel filled.
    void ShowStarted(const QRect& area);
    // The hide sequence's part before the window goes: panel and list closed (their redraws
    // find DisplayClosing set), clock and timers stopped, the animation emptied.
    void HideStarted();
    // The hide sequence's last step: the panel's fields stored into the settings.
    void HideFinished();
    // Keeps the clock at the top-right corner of the picture area `area` (window coordinates).
    void LayOut(const QRect& area);

    // The dispatcher's requests.
    void ToggleAutoSlide();
    void ToggleFileList();
    void ToggleSettingsPanel();
    void CloseSettingsPanel();
    bool ToggleAnimation();
    void AddCurrentToList();
    void ToggleClock();
    OverlayState Overlays() const;

    void OpenFileList();
    void CloseFileList();
    void OpenSettingsPanel();
    void ApplySettingsPanel();

    // The animation mode's show of `path` in the picture area `area` (window coordinates): the
    // picture placed by ImageResizeType and stretched into its rectangle by the view. A file
    // that cannot be shown beeps and leaves the view empty.
    void ShowAnimation(const QString& path, const QRect& area);
    // Empties the view (and hides it when `hide`).
    void ClearAnimation(bool hide);

    FileListView* ListBox_filenamelist() const { return fileList_; }
    SettingsInfoPanel* Panel_info() const { return panel_; }
    ClockPanel* Panel_nowtime() const { return clock_; }
    AnimationView* Image_animation() const { return animation_; }

private:
    void FileChosen(int row);
    // Loads `path` into the view and sets its bounds; false (the view empty) when it cannot
    // be shown, after a beep for an unreadable file.
    bool PlaceAnimation(const QString& path, const QRect& area);
    void AutoSlideTick();

    QWidget& window_;
    AppState& state_;
    QTimer& timerDisp_;
    Host host_;
    FileListView* fileList_;
    SettingsInfoPanel* panel_;
    ClockPanel* clock_;
    AnimationView* animation_;
};

}  // namespace pictavo
