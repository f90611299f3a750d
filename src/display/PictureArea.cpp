#include "display/PictureArea.h"

#include <QPaintEvent>
#include <QPainter>
#include <bit>
#include <cstring>

#include "display/PictureProcessing.h"

namespace pictavo {

// BGRA bytes in memory are what Qt calls RGB32 only on little-endian machines.
static_assert(std::endian::native == std::endian::little, "bitmaps are wrapped as RGB32 without swapping");

QImage WrapBitmap(const Bitmap& picture) {
    const auto bytesPerLine = static_cast<qsizetype>(picture.Stride());
    switch (picture.BitsPerPixel()) {
        case 32:
            return QImage(picture.Data(), picture.Width(), picture.Height(), bytesPerLine,
                          QImage::Format_RGB32);
        case 24:
            return QImage(picture.Data(), picture.Width(), picture.Height(), bytesPerLine,
                          QImage::Format_BGR888);
        default: {
            QImage image(picture.Data(), picture.Width(), picture.Height(), bytesPerLine,
                         QImage::Format_Indexed8);
            QList<QRgb> table;
            for (const std::uint32_t entry : picture.Palette()) table.append(0xFF000000u | entry);
            table.resize(256, 0xFF000000u);
            image.setColorTable(table);
            return image;
        }
    }
}

QColor ColorFromSetting(std::int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBox_disp"));
    // Painting copies the whole canvas, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureArea::MarkChanged(const QRect& rect) {
    changed_ += rect;
    update(rect);
}

void PictureArea::MarkChanged(const QRegion& region) {
    changed_ += region;
    update(region);
}

void PictureArea::Present() {
    if (changed_.isEmpty()) return;
    const QRegion region = changed_;
    changed_ = QRegion();
    if (isVisible()) repaint(region);
}

void PictureArea::Erase() {
    canvas_.fill(windowColor_);
    overdrawn_ = canvas_.rect();
    MarkChanged(rect());
}

void PictureArea::EraseStrip(int top, int height) {
    if (height <= 0 || canvas_.isNull()) return;
    QPainter painter(&canvas_);
    painter.fillRect(QRect(0, top, canvas_.width(), height), windowColor_);
    overdrawn_ += QRect(0, top, canvas_.width(), height);
    MarkChanged(QRect(0, top, width(), height));
}

// The same picture in the same place: only what was drawn over it since needs its pixels back,
// and only that reaches the screen (a key-result line costs its strip, not the whole area).
bool PictureArea::DrawPlacedAgain(const PictureRect& rect, std::int32_t algorithm, std::uint64_t version) {
    const Placed& p = placed_;
    if (version == 0 || p.image.isNull() || p.version != version || !(p.rect == rect) ||
        p.algorithm != algorithm)
        return false;
    const QRect target(rect.left, rect.top, rect.Width(), rect.Height());
    const QRegion restored = overdrawn_ & target;
    overdrawn_ -= target;
    if (restored.isEmpty()) return true;
    QPainter painter(&canvas_);
    painter.setClipRegion(restored);
    painter.drawImage(p.at, p.image, p.source);
    painter.end();
    MarkChanged(restored);
    return true;
}

void PictureArea::KeepPlaced(Bitmap resampled, QPoint at, QRect source) {
    placed_.resampled = std::move(resampled);
    placed_.image = WrapBitmap(*placed_.resampled);
    placed_.at = at;
    placed_.source = source;
}

void PictureArea::DrawStretched(const PictureRect& rect, std::int32_t algorithm, const Bitmap& picture,
                                std::uint64_t version, std::optional<Bitmap> resampled) {
    if (rect.IsEmpty() || picture.Empty() || canvas_.isNull()) return;
    const QRect target(rect.left, rect.top, rect.Width(), rect.Height());
    if (DrawPlacedAgain(rect, algorithm, version)) return;
    placed_ = Placed();
    placed_.version = version;
    placed_.rect = rect;
    placed_.algorithm = algorithm;
    const bool naturalSize = rect.Width() == picture.Width() && rect.Height() == picture.Height();
    if (naturalSize) {
        DrawNaturalSize(rect, algorithm, picture);
    } else if (algorithm >= 1 && algorithm <= 3) {
        if (!resampled || resampled->Width() != rect.Width() || resampled->Height() != rect.Height())
            resampled = ResamplePicture(picture, algorithm, rect.Width(), rect.Height());
        const QRect whole(0, 0, resampled->Width(), resampled->Height());
        KeepPlaced(std::move(*resampled), target.topLeft(), whole);
        QPainter painter(&canvas_);
        painter.drawImage(target.topLeft(), placed_.image);
    } else {
        QPainter painter(&canvas_);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(target, WrapBitmap(picture));
        painter.end();
        const QRect visible = target & canvas_.rect();
        placed_.image = canvas_.copy(visible);
        placed_.at = visible.topLeft();
        placed_.source = placed_.image.rect();
    }
    overdrawn_ -= target;
    MarkChanged(target);
}

// At natural size only the visible part matters: the plain stretch, bilinear and area average
// give back the source pixels there, and the combined method looks one pixel around each, so
// it runs on the visible part with that pixel of context instead of on the whole picture.
void PictureArea::DrawNaturalSize(const PictureRect& rect, std::int32_t algorithm, const Bitmap& picture) {
    if (algorithm != 3) {
        QPainter painter(&canvas_);
        painter.drawImage(QPoint(rect.left, rect.top), WrapBitmap(picture));
        return;  // a copy already: nothing to keep
    }
    const auto crop =
        NaturalSizeCrop(rect, picture.Width(), picture.Height(), canvas_.width(), canvas_.height());
    if (!crop) return;
    const PictureRect& s = crop->source;
    Bitmap source(s.Width(), s.Height(), picture.BitsPerPixel());
    source.Palette() = picture.Palette();
    const std::size_t pixelBytes = static_cast<std::size_t>(picture.BytesPerPixel());
    for (int y = 0; y < s.Height(); ++y)
        std::memcpy(source.Row(y), picture.Row(s.top + y) + s.left * pixelBytes, s.Width() * pixelBytes);
    const QRect inner(crop->innerX, crop->innerY, crop->visible.Width(), crop->visible.Height());
    KeepPlaced(ResamplePicture(source, algorithm, s.Width(), s.Height()),
               QPoint(rect.left + crop->visible.left, rect.top + crop->visible.top), inner);
    QPainter painter(&canvas_);
    painter.drawImage(placed_.at, placed_.image, placed_.source);
}

int PictureArea::LineHeight() const {
    return fontMetrics().height();
}

void PictureArea::DrawTextLine(int y, const QString& text, QColor color) {
    if (canvas_.isNull() || text.isEmpty()) return;
    QPainter painter(&canvas_);
    painter.setFont(font());
    painter.setPen(color);
    const QRect line(0, y, canvas_.width(), LineHeight());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    overdrawn_ += line;
    MarkChanged(line);
}

void PictureArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r, canvas_, r);
}

// A resize keeps what is drawn (the picture is not redrawn on resize); new space shows the
// window colour.
void PictureArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (canvas_.size() == size()) return;
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(windowColor_);
    if (!canvas_.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(0, 0, canvas_);
    }
    canvas_ = std::move(grown);
    overdrawn_ = canvas_.rect();
}

}  // namespace pictavo
