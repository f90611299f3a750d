#include "display/AnimationView.h"

#include <QPainter>
#include <QTimer>
#include <chrono>

#include "decode/PictureRegistry.h"
#include "display/PictureArea.h"
#include "display/SpreadComposite.h"

namespace pictavo {

std::int64_t SteadyClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

AnimationView::AnimationView(QWidget* parent, Clock clock)
    : QWidget(parent), clock_(clock ? std::move(clock) : Clock(SteadyClockMs)), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("Image_animation"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &AnimationView::Tick);
    hide();
}

void AnimationView::Load(const QString& path, const PictureRegistry& registry, std::int32_t background) {
    Clear();
    if (path.endsWith(QStringLiteral(".gif"), Qt::CaseSensitive)) {
        GifPlayer player{GifAnimation(path.toStdString())};
        player.Start(clock_());
        player_.emplace(std::move(player));
        Schedule();
    } else {
        still_ = registry.Load(path.toStdString());
        FlattenOntoColor(still_, background);
    }
    update();
}

void AnimationView::Clear() {
    timer_->stop();
    player_.reset();
    still_ = Bitmap();
    update();
}

QSize AnimationView::PictureSize() const {
    if (player_) return {player_->Width(), player_->Height()};
    return {still_.Width(), still_.Height()};
}

bool AnimationView::IsPlaying() const {
    return player_ && !player_->IsStopped() && timer_->isActive();
}

void AnimationView::Tick() {
    if (!player_) return;
    if (player_->Advance(clock_())) {
        update();
        emit FrameShown(player_->FrameIndex());
    }
    Schedule();
}

// The timer aims at the frame's absolute due time, so its own lateness does not add up.
void AnimationView::Schedule() {
    if (!player_ || !isVisible()) return;
    const auto due = player_->NextDueMs();
    if (!due) return;
    const std::int64_t wait = *due - clock_();
    timer_->start(static_cast<int>(std::clamp<std::int64_t>(wait, 0, 1 << 30)));
}

void AnimationView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), windowColor_);
    if (player_) {
        const Bitmap& frame = player_->Frame();
        // Alpha is 0 or 255 with zeroed colour where transparent, so the canvas is already
        // premultiplied and is drawn without a conversion.
        const QImage image(frame.Data(), frame.Width(), frame.Height(),
                           static_cast<qsizetype>(frame.Stride()), QImage::Format_ARGB32_Premultiplied);
        painter.drawImage(rect(), image);
    } else if (!still_.Empty()) {
        painter.drawImage(rect(), WrapBitmap(still_));
    }
}

void AnimationView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Tick();
}

void AnimationView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_->stop();
}

}  // namespace pictavo
