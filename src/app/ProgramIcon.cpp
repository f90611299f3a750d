#include "app/ProgramIcon.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pictavo {

namespace {

// Everything is drawn on a 64-unit square and scaled, so every size looks the same.
void DrawIcon(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2b, 0x3a, 0x55));
    painter.drawRoundedRect(QRectF(2, 6, 60, 52), 7, 7);

    const QRectF picture(7, 11, 50, 42);
    QLinearGradient sky(picture.topLeft(), picture.bottomLeft());
    sky.setColorAt(0, QColor(0x7e, 0xc8, 0xf5));
    sky.setColorAt(1, QColor(0xd9, 0xf0, 0xff));
    painter.setBrush(sky);
    painter.drawRect(picture);

    painter.setBrush(QColor(0xff, 0xc9, 0x3c));
    painter.drawEllipse(QPointF(44, 22), 6, 6);

    QPainterPath hills;
    hills.moveTo(7, 53);
    hills.lineTo(7, 40);
    hills.quadTo(20, 26, 32, 40);
    hills.quadTo(44, 32, 57, 42);
    hills.lineTo(57, 53);
    hills.closeSubpath();
    painter.setBrush(QColor(0x4c, 0xa6, 0x4a));
    painter.drawPath(hills);

    QPainterPath play;
    play.moveTo(26, 38);
    play.lineTo(26, 52);
    play.lineTo(38, 45);
    play.closeSubpath();
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawPath(play);
}

}  // namespace

QImage ProgramIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(size / 64.0, size / 64.0);
    DrawIcon(painter);
    painter.end();
    return image;
}

QPixmap ProgramIconPixmap(int size) {
    return QPixmap::fromImage(ProgramIconImage(size));
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}

}  // namespace pictavo
