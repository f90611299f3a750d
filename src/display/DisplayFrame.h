#pragma once
// The frame that the borderless slideshow window draws itself in windowed mode: four grey
// strips, the blue caption bar that moves the window, and the "×" panel that leaves the show.
#include <QFrame>
#include <QImage>
#include <QWidget>

namespace pictavo {

// A strip showing a small bitmap stretched (without smoothing) over its whole size.
class FrameStrip : public QWidget {
    Q_OBJECT
public:
    FrameStrip(const QString& name, QImage image, QWidget* parent);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// The 16 x 16 "×" panel; a left click released over it emits Clicked().
class ExitPanel : public QFrame {
    Q_OBJECT
public:
    explicit ExitPanel(QWidget* parent);

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The strip bitmaps: three grey rows or columns listed from the top or from the left.
QImage HorizontalStripImage(int first, int second, int third);
QImage VerticalStripImage(int first, int second, int third);
// The caption bar: 200 x 1, from RGB (0, 0, 255) at the left to (246, 246, 252) at the right.
QImage CaptionGradientImage();

// Sizes of the frame in pixels.
inline constexpr int kBorderWidth = 3;
inline constexpr int kCaptionHeight = 21;
inline constexpr int kExitPanelSize = 16;

}  // namespace pictavo
