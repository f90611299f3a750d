#pragma once
// The picture area of the slideshow window. Pictures and text are drawn into a retained canvas
// at the moment they are shown; painting only copies the canvas to the screen, so a window
// passing over the area does not erase the picture and nothing is decoded or resampled again.
#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "display/Placement.h"
#include "imaging/Bitmap.h"

namespace pictavo {

class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);

    // The retained canvas (RGB32, the area's size). Owned by the area; valid until it resizes.
    const QImage& Canvas() const { return canvas_; }

    // The window colour that an erase paints and that fills new space when the area grows.
    void SetWindowColor(QColor color) { windowColor_ = color; }
    QColor WindowColor() const { return windowColor_; }

    // Erases the whole area to the window colour.
    void Erase();
    // Erases the full-width strip [top, top + height) to the window colour.
    void EraseStrip(int top, int height);

    // Draws `picture` (8, 24 or 32 bits; not kept) into `rect` by `algorithm`: 0 a plain
    // nearest-neighbour stretch, 1-3 the resamplers, whose result is drawn unscaled at the
    // rectangle's top-left. Other values stretch like 0. An empty rectangle draws nothing.
    // `version` names the picture's content (0: unknown): drawn again with the same version,
    // rectangle and algorithm, the placed result of the last draw is copied instead of being
    // resampled anew. `resampled`, when given, is `picture` already resampled by `algorithm`
    // to the rectangle's size, and is used instead of resampling it here. Throws what the
    // resamplers throw (EBitmapSize and the like).
    void DrawStretched(const PictureRect& rect, std::int32_t algorithm, const Bitmap& picture,
                       std::uint64_t version = 0, std::optional<Bitmap> resampled = std::nullopt);

    // Paints what was drawn since the last call on the screen now, instead of when the event
    // loop next gets to it: under a stream of key presses that moment would never come.
    void Present();

    // Height of one text line: the height of "gM" in the area's font.
    int LineHeight() const;
    // Writes `text` at (0, y) in `color` with a transparent background.
    void DrawTextLine(int y, const QString& text, QColor color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DrawNaturalSize(const PictureRect& rect, std::int32_t algorithm, const Bitmap& picture);
    void MarkChanged(const QRect& rect);
    void MarkChanged(const QRegion& region);

    // The picture as last placed on the canvas, so that redraws of text over it (key-result
    // and information lines, the clock) cost a copy instead of a resampling.
    struct Placed {
        std::uint64_t version = 0;
        PictureRect rect;
        std::int32_t algorithm = -1;
        std::optional<Bitmap> resampled;  // the pixels `image` wraps, when they are a bitmap
        QImage image;
        QPoint at;
        QRect source;
    };
    bool DrawPlacedAgain(const PictureRect& rect, std::int32_t algorithm, std::uint64_t version);
    void KeepPlaced(Bitmap resampled, QPoint at, QRect source);

    QImage canvas_;
    QRegion changed_;
    // Where the canvas has been drawn over (text, erasing) since the placed picture was last
    // drawn whole: drawing that picture again only has to restore these parts.
    QRegion overdrawn_;
    Placed placed_;
    QColor windowColor_ = Qt::black;
};

// A QImage over the bitmap's own memory (no copy); valid while `picture` lives unchanged.
QImage WrapBitmap(const Bitmap& picture);

// 0x00BBGGRR as used by the settings to a QColor.
QColor ColorFromSetting(std::int32_t bgr);

}  // namespace pictavo
