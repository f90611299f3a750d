#pragma once
// Pictures, decoders and a ready window for the display's offscreen tests.
#include <QBuffer>
#include <QtTest>
#include <functional>
#include <memory>

#include "../../unit/platform/FileBytes.h"
#include "decode/PngDecoder.h"
#include "display/Form_disp.h"
#include "display/PictureArea.h"
#include "sources/AppState.h"

namespace pictavo::test {

// Reads PNG files, counting the decodes (a redraw from the cache reads nothing) and running
// `during` inside each: what the user does while a picture is being read.
struct CountingDecoder : PngDecoder {
    Bitmap Decode(const std::string& path) const override {
        ++count;
        if (during) during();
        return PngDecoder::Decode(path);
    }
    mutable int count = 0;
    std::function<void()> during;
};

// A picture whose four quadrants have different colours, with a gradient in each so that
// resamplers have something to work on.
inline QImage QuadrantPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool right = x >= w / 2;
            const bool bottom = y >= h / 2;
            const int shade = (x * 7 + y * 3) % 40;
            image.setPixel(x, y,
                           qRgb(right ? 200 + shade : 20 + shade, bottom ? 180 + shade : 30,
                                !right && bottom ? 220 : 60 + shade));
        }
    return image;
}

// One colour per entry, far enough apart that a pixel tells which entry is on screen.
inline QRgb EntryColor(int i) {
    return QColor::fromHsv((i * 37) % 360, 200, 230).rgb();
}

inline QImage Uniform(int w, int h, QRgb color) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Keeps the canvas as it was each time the picture area was painted on the screen.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(PictureArea* area) : area_(area) { area->installEventFilter(this); }
    QImage lastPainted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) lastPainted = area_->Canvas().copy();
        return false;
    }

private:
    PictureArea* area_;
};

// A windowed slideshow whose picture area is areaW x areaH, reading PNG through CountingDecoder.
struct DisplayFixture {
    QTemporaryDir dir;
    AppState state;
    std::shared_ptr<CountingDecoder> decodes = std::make_shared<CountingDecoder>();
    std::unique_ptr<Form_disp> window;

    DisplayFixture(int areaW = 200, int areaH = 150) {
        state.registry = PictureRegistry{};
        state.registry.Register("png", decodes);
        Settings& s = state.settings;
        s.IsFullScreen = false;
        s.IsShowNowTime = false;
        s.DispWindowLeft = 10;
        s.DispWindowTop = 20;
        s.DispWindowWidth = areaW + 6;
        s.DispWindowHeight = areaH + 27;
        s.BackGroundColor = 0x00102030;  // red 0x30, green 0x20, blue 0x10
        window = std::make_unique<Form_disp>(state);
    }

    // Writes the picture as PNG, or the bytes as they are, and appends the file to the list.
    void Add(const QString& name, const QImage& image) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        image.save(&png, "PNG");
        AddBytes(name, png.data());
    }
    void AddBytes(const QString& name, const QByteArray& bytes) {
        testing_support::WriteFileBytes(dir.filePath(name), bytes);
        state.ImageList.append(dir.filePath(name));
        state.ImageCount = static_cast<std::int32_t>(state.ImageList.size());
    }

    // Shows entry `index` the way a move does: erase, drop the cached picture, decode afresh.
    void ShowEntry(std::int32_t index) {
        state.CurrentIndex = index;
        window->RepaintPictureArea();
        window->EmptyCurrentPicture();
        window->ShowCurrentPosition();
    }

    void Key(Qt::Key key) { QTest::keyClick(window.get(), key); }
    // Queues a press as the window system does while the program is busy.
    void PostKey(Qt::Key key, bool autoRepeat = false) {
        QCoreApplication::postEvent(
            window.get(), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat));
    }

    QRgb Background() const { return qRgb(0x30, 0x20, 0x10); }
    QRgb At(int x, int y) const { return window->Canvas().pixel(x, y) | 0xFF000000u; }
    QRgb Centre() const { return At(100, 75); }
};

}  // namespace pictavo::test
