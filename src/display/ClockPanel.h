#pragma once
// The clock at the top-right corner of the picture area (Panel_nowtime), refreshed every
// 3 seconds by Timer_nowtime while it is shown. It grows to fit its text: hours and minutes
// written out in Japanese ("14時05分") need more room than "14:05".
#include <QLabel>
#include <functional>

class QTimer;

namespace pictavo {

class ClockPanel : public QLabel {
    Q_OBJECT
public:
    using TextSource = std::function<QString()>;

    // `text` gives the clock's text (the current time without seconds unless a test injects
    // another source).
    explicit ClockPanel(QWidget* parent, TextSource text = {});

    // Shows the clock with a fresh text and starts the refresh timer; Stop hides it and stops
    // the timer.
    void Start();
    void Stop();
    // Places the panel so that its right edge is at `right` and its top at `top` (parent
    // coordinates), now and whenever the text makes it wider or narrower.
    void Anchor(int right, int top);
    void Refresh();
    QTimer* Timer_nowtime() const { return timer_; }

private:
    void Place();

    TextSource text_;
    QTimer* timer_;
    int right_ = 0;
    int top_ = 0;
};

}  // namespace pictavo
