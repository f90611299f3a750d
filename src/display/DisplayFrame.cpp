#include "display/DisplayFrame.h"

#include <QMouseEvent>
#include <QPainter>

namespace pictavo {

namespace {

QImage GreyLines(int width, int height, const int (&levels)[3]) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int i = 0; i < 3; ++i) {
        const QRgb grey = qRgb(levels[i], levels[i], levels[i]);
        if (width == 1)
            image.setPixel(0, i, grey);
        else
            image.setPixel(i, 0, grey);
    }
    return image;
}

}  // namespace

QImage HorizontalStripImage(int first, int second, int third) {
    return GreyLines(1, 3, {first, second, third});
}

QImage VerticalStripImage(int first, int second, int third) {
    return GreyLines(3, 1, {first, second, third});
}

QImage CaptionGradientImage() {
    constexpr int width = 200;
    QImage image(width, 1, QImage::Format_RGB32);
    const int from[3] = {0, 0, 255};
    const int to[3] = {246, 246, 252};
    for (int x = 0; x < width; ++x) {
        int c[3];
        for (int k = 0; k < 3; ++k) c[k] = from[k] + (to[k] - from[k]) * x / (width - 1);
        image.setPixel(x, 0, qRgb(c[0], c[1], c[2]));
    }
    return image;
}

FrameStrip::FrameStrip(const QString& name, QImage image, QWidget* parent)
    : QWidget(parent), image_(std::move(image)) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FrameStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), image_);
}

ExitPanel::ExitPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel_exit"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFixedSize(kExitPanelSize, kExitPanelSize);
    // Its own colours: the window around it takes the slideshow's background colour.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(212, 208, 200));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

void ExitPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(13);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignCenter, QStringLiteral("×"));
}

void ExitPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) setFrameShadow(QFrame::Sunken);
}

void ExitPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFrameShadow(QFrame::Raised);
    if (rect().contains(event->position().toPoint())) emit Clicked();
}

}  // namespace pictavo
