#pragma once
// The slideshow window. The launcher calls Start() once the image list is filled; the window
// then owns the show until the user leaves, when it runs its hide sequence and emits Hidden()
// so that the launcher can come back (or the program end after a command-line start).
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <memory>
#include <optional>

#include "config/Settings.h"
#include "display/FrameHitTest.h"
#include "display/PrefetchPlan.h"
#include "display/SpreadComposite.h"
#include "sources/AppState.h"

class QTimer;

namespace pictavo {

class AheadReader;
class CommandDispatcher;
class DisplayInputFilter;
class DisplayOverlays;
class ExitPanel;
class FormDispActions;
class FrameStrip;
class PictureArea;
class PictureShow;

class Form_disp : public QWidget {
    Q_OBJECT
public:
    // `state` is the launcher's run state, borrowed for the window's whole life.
    explicit Form_disp(AppState& state, QWidget* parent = nullptr);
    ~Form_disp() override;

    // Runs the show sequence (full screen or windowed, position back to 0, timers) and shows
    // entry 0: alone when the list has one entry, else with entry 1 in spread mode. A picture
    // opened from a file manager starts at its own entry, `first`, instead.
    void Start(int first = 0);
    // Hides the window and tidies up (timers off, cache emptied, position back to 0, the
    // window rectangle stored in windowed mode), then emits Hidden().
    void HideDisplay();

    // Puts entry `index` on screen, or the spread of `index` and `second` when `twoPage` is
    // set (left and right page by the reading direction). Indexes outside the list show nothing.
    void ShowPictures(int index, int second, bool twoPage);
    // Shows what CurrentIndex points at: the pair at it in spread mode, the last entry alone.
    // Shows nothing while CurrentIndex lies outside the list.
    void ShowCurrentPosition();
    // Erases the picture area to the window colour.
    void RepaintPictureArea();
    // Erases the area and draws the current position again from the cache.
    void RepaintFromCache();
    // Empties the cache, so that the next show reads the file again.
    void EmptyCurrentPicture();
    // Applies image-processing command 0..9 to the cached picture (0 rereads the file); the
    // caller redraws. A failure beeps and empties the cache.
    void ProcessPicture(int command);

    // Runs the command bound to `code` (a key code or mouse button 1, 2, 4; Escape leaves).
    void ExecuteCommand(KeyCode code);
    // Writes the key-result line for `code` at the bottom of the picture area when that setting
    // is on.
    void ShowKeyResult(KeyCode code);

    PictureArea* PaintBox_disp() const { return area_; }
    QTimer* Timer_disp() const { return timerDisp_; }
    // The file list, settings-info panel, clock and animation view with their commands.
    DisplayOverlays& Overlays() const { return *overlays_; }
    const QImage& Canvas() const;
    const SpreadSizes& LastSpreadSizes() const;
    bool HasCurrentPicture() const;
    // See PictureShow::InProgress and PictureShow::Generation.
    bool IsShowInProgress() const;
    // The direction of the move about to be shown, for reading ahead.
    void NoteTravel(Travel travel);
    // Reading ahead: its memory budget in bytes (0 switches it off) and what it holds.
    void SetReadAheadBudget(std::size_t bytes);
    AheadReader& ReadAhead() { return *ahead_; }
    std::uint64_t ShowGeneration() const;

signals:
    // End of the hide sequence.
    void Hidden();
    // A picture could not be shown (the system beep sounds with it).
    void PictureLoadFailed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunShowSequence();
    void ReadFirstAhead(int index);
    // Whether the position `index` shows a spread of it and the next entry.
    bool SpreadAt(int index) const;
    void ShowFrame(bool visible);
    void LayOutChildren();
    void BringToFront();
    void Beep();
    bool HandleFrameMouse(QWidget* widget, QEvent* event);
    bool StartFrameDrag(FrameArea area, QPoint globalPos);
    void DragFrame(QPoint globalPos);
    void ConnectInput();
    void CreateOverlays();
    void LoadAnimation(int index);
    void ExitPanelClicked();

    AppState& state_;
    FrameStrip* topBorder_;
    FrameStrip* bottomBorder_;
    FrameStrip* leftBorder_;
    FrameStrip* rightBorder_;
    FrameStrip* caption_;
    ExitPanel* exitPanel_;
    PictureArea* area_;
    QTimer* timerDisp_;
    std::unique_ptr<AheadReader> ahead_;
    std::unique_ptr<PictureShow> show_;
    std::unique_ptr<DisplayOverlays> overlays_;
    std::unique_ptr<FormDispActions> actions_;
    std::unique_ptr<CommandDispatcher> dispatcher_;
    DisplayInputFilter* input_;

    // A move or resize by the frame that the window system could not take over.
    struct FrameDrag {
        FrameArea area = FrameArea::Client;
        QPoint startPos;
        QRect startGeometry;
    };
    std::optional<FrameDrag> drag_;
};

}  // namespace pictavo
