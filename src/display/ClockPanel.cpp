#include "display/ClockPanel.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>

#include "platform/ClockText.h"

namespace pictavo {

namespace {

constexpr int kRefreshMs = 3000;
constexpr int kMinimumWidth = 33;
constexpr int kHeight = 17;

}  // namespace

ClockPanel::ClockPanel(QWidget* parent, TextSource text)
    : QLabel(parent), text_(text ? std::move(text) : TextSource([] { return ClockText(); })) {
    setObjectName(QStringLiteral("Panel_nowtime"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer_nowtime"));
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &ClockPanel::Refresh);
    setText(QStringLiteral("02:00"));
    hide();
}

void ClockPanel::Start() {
    Refresh();
    show();
    raise();
    timer_->start();
}

void ClockPanel::Stop() {
    timer_->stop();
    hide();
}

void ClockPanel::Anchor(int right, int top) {
    right_ = right;
    top_ = top;
    Place();
}

void ClockPanel::Refresh() {
    setText(text_());
    Place();
}

void ClockPanel::Place() {
    const int w = std::max(kMinimumWidth, fontMetrics().horizontalAdvance(text()) + 2 * frameWidth() + 4);
    setGeometry(right_ - w, top_, w, kHeight);
}

}  // namespace pictavo
