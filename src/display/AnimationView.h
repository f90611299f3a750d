#pragma once
// The animation view (Image_animation): shows one picture stretched into its own bounds, and
// plays a GIF frame by frame on the file's own clock. Only the player's one canvas is kept:
// frames are decoded as they fall due, never all at once. Hidden, the view stops its timer.
#include <QColor>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "display/GifPlayer.h"
#include "imaging/Bitmap.h"

class QTimer;

namespace pictavo {

class PictureRegistry;

class AnimationView : public QWidget {
    Q_OBJECT
public:
    // Milliseconds of a monotonic clock; tests pass their own.
    using Clock = std::function<std::int64_t()>;

    explicit AnimationView(QWidget* parent, Clock clock = {});

    // Loads `path` into the view: a file name ending exactly in ".gif" plays through the GIF
    // player, anything else (".GIF" included) is read through `registry` and shown still.
    // Transparent parts show `background` (0x00BBGGRR). Throws what the decoders throw; the
    // view is then empty.
    void Load(const QString& path, const PictureRegistry& registry, std::int32_t background);
    // Empties the view and stops playing.
    void Clear();

    void SetWindowColor(QColor color) { windowColor_ = color; }
    // Size of the picture loaded (0 x 0 when empty).
    QSize PictureSize() const;
    bool IsEmpty() const { return !player_ && still_.Empty(); }
    // Index of the GIF frame on screen; -1 for a still picture or none.
    int FrameIndex() const { return player_ ? player_->FrameIndex() : -1; }
    // True while a GIF has frames to come and the timer runs for them.
    bool IsPlaying() const;
    // Moves the GIF on when its next frame is due now; the timer calls it, tests may too.
    void Tick();

signals:
    // A new GIF frame was composed (and the view asked to repaint).
    void FrameShown(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Schedule();

    Clock clock_;
    QTimer* timer_;
    std::optional<GifPlayer> player_;
    Bitmap still_;
    QColor windowColor_ = Qt::black;
};

// Milliseconds of the steady clock.
std::int64_t SteadyClockMs();

}  // namespace pictavo
