// The slideshow window as a window and what it draws: starting and leaving, the frame, the
// retained canvas, placement and the four drawing methods, image processing, bad files, the
// file-information lines and a plug-in's picture.
#include <QSignalSpy>
#include <QtTest>

#include "DisplayTestSupport.h"
#include "app/SusiePlugins.h"
#include "display/PictureProcessing.h"
#include "display/Placement.h"

using namespace pictavo;
using namespace pictavo::test;

namespace {

// Whether rows [from, to) of the canvas hold a pixel of the red text colour.
bool HasText(const QImage& canvas, int from, int to) {
    for (int y = from; y < to; ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const QRgb c = canvas.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80) return true;
        }
    return false;
}

// Presses, drags by `delta` and releases the left button at `pos` (window coordinates), on
// whichever child lies there, as a user's hand would.
void DragAt(QWidget* window, QPoint pos, QPoint delta) {
    QWidget* target = window->childAt(pos);
    if (!target) target = window;
    const QPoint local = target->mapFrom(window, pos);
    QTest::mousePress(target, Qt::LeftButton, {}, local);
    QTest::mouseMove(target, local + delta);
    QTest::mouseRelease(target, Qt::LeftButton, {}, local + delta);
}

}  // namespace

class FormDispDrawingTest : public QObject {
    Q_OBJECT
private slots:
    // In spread mode a one-entry list shows its entry alone, from entry 0 whatever came before.
    void startTheFrameLeavingAndFullScreen() {
        DisplayFixture f;
        f.state.settings.ES2PS_Is2PageSpread = true;
        f.state.CurrentIndex = 7;
        f.Add("only.png", Uniform(20, 10, qRgb(5, 6, 7)));
        QSignalSpy hidden(f.window.get(), &Form_disp::Hidden);
        f.window->Start();
        QCOMPARE(f.state.CurrentIndex, 0);
        QCOMPARE(f.window->LastSpreadSizes(), SpreadSizes{});
        QCOMPARE(f.At(90, 70), qRgb(5, 6, 7));
        QCOMPARE(f.At(89, 70), f.Background());
        QCOMPARE(f.window->geometry(), QRect(10, 20, 206, 177));
        // The caption moves, the edges resize down to the minimum; a resize keeps what was
        // drawn where it was, without reading the file again.
        DragAt(f.window.get(), {50, 10}, {30, 40});
        QCOMPARE(f.window->geometry(), QRect(40, 60, 206, 177));
        DragAt(f.window.get(), {205, 176}, {60, 30});  // bottom-right corner
        QCOMPARE(f.window->geometry(), QRect(40, 60, 266, 207));
        QCOMPARE(f.window->Canvas().size(), QSize(260, 180));
        QCOMPARE(f.At(95, 72), qRgb(5, 6, 7));
        QCOMPARE(f.At(230, 170), f.Background());
        QCOMPARE(f.decodes->count, 1);
        DragAt(f.window.get(), {1, 1}, {-20, 500});  // top-left corner, the height stopped by the minimum
        QCOMPARE(f.window->geometry(), QRect(20, 117, 286, 150));
        DragAt(f.window.get(), {100, 100}, {30, 30});  // inside the picture area: nothing moves
        QCOMPARE(f.window->geometry(), QRect(20, 117, 286, 150));
        QCOMPARE(f.window->PaintBox_disp()->geometry(), QRect(3, 24, 280, 123));
        f.state.CurrentIndex = 3;
        f.Key(Qt::Key_Escape);
        QCOMPARE(hidden.count(), 1);
        QVERIFY(!f.window->isVisible());
        QVERIFY(!f.window->HasCurrentPicture());
        QCOMPARE(f.state.CurrentIndex, 0);
        QVERIFY(!f.state.DisplayClosing);
        QCOMPARE(QRect(f.state.settings.DispWindowLeft, f.state.settings.DispWindowTop,
                       f.state.settings.DispWindowWidth, f.state.settings.DispWindowHeight),
                 QRect(20, 117, 286, 150));
        // The next start comes back at the stored place and shows from the file again.
        f.window->Start();
        QCOMPARE(f.window->geometry(), QRect(20, 117, 286, 150));
        QCOMPARE(f.decodes->count, 2);
        // F4 brightens the cached picture (by the default 20), F1 reads the file again and
        // leaves an unprocessed cache and no command behind: a plain redraw copies it.
        f.Key(Qt::Key_F4);
        QCOMPARE(f.At(140, 61), qRgb(25, 26, 27));
        f.Key(Qt::Key_F4);
        QCOMPARE(f.At(140, 61), qRgb(45, 46, 47));
        QCOMPARE(f.decodes->count, 2);
        f.Key(Qt::Key_F1);
        QCOMPARE(f.At(140, 61), qRgb(5, 6, 7));
        f.window->RepaintFromCache();
        QCOMPARE(f.At(140, 61), qRgb(5, 6, 7));
        QCOMPARE(f.decodes->count, 3);
        f.window->HideDisplay();

        // Full screen, the whole screen is picture area: a press at the corner is no frame drag.
        f.state.settings.IsFullScreen = true;
        f.window->Start();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(f.window->geometry(), screen);
        QCOMPARE(f.window->PaintBox_disp()->geometry(), QRect(QPoint(0, 0), screen.size()));
        QVERIFY(f.window->windowFlags() & Qt::WindowStaysOnTopHint);
        DragAt(f.window.get(), {1, 1}, {50, 50});
        QCOMPARE(f.window->geometry(), screen);
        f.Key(Qt::Key_Escape);
        QCOMPARE(f.state.settings.DispWindowWidth, 286);
        QVERIFY(!(f.window->windowFlags() & Qt::WindowStaysOnTopHint));
    }

    // The rectangles follow from the resize rules in a 200 x 150 area: natural size centred (a
    // larger picture reaches outside), shrink and fit with the other axis centred.
    void drawsEachResizeTypeAndMethod_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("method");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("natural size, bilinear") << 0 << 1 << QSize(40, 30) << QRect(80, 60, 40, 30);
        QTest::newRow("shrunk, plain stretch") << 1 << 0 << QSize(300, 90) << QRect(0, 45, 200, 60);
        QTest::newRow("fitted, area average") << 3 << 2 << QSize(100, 50) << QRect(0, 25, 200, 100);
        QTest::newRow("larger at natural size, combined")
            << 0 << 3 << QSize(600, 400) << QRect(-200, -125, 600, 400);
    }

    // Methods 1-3 put the resampler's result unscaled at the rectangle's top-left (at natural
    // size, the part that is visible); plain stretching is checked by the colour of each quadrant.
    void drawsEachResizeTypeAndMethod() {
        QFETCH(int, type);
        QFETCH(int, method);
        QFETCH(QSize, picture);
        QFETCH(QRect, placed);
        DisplayFixture f;
        f.state.settings.ImageResizeType = type;
        f.state.settings.StretchAlgorithm = method;
        const QImage source = QuadrantPicture(picture.width(), picture.height());
        f.Add("a.png", source);
        f.window->Start();
        // Painting copies the canvas; a redraw from the cache copies what was placed instead of
        // resampling: the same pixels.
        const QImage drawn = f.window->Canvas().copy();
        QCOMPARE(f.window->PaintBox_disp()->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 drawn.convertToFormat(QImage::Format_RGB32));
        f.window->RepaintFromCache();
        QCOMPARE(f.window->Canvas(), drawn);
        QCOMPARE(f.decodes->count, 1);
        const PictureRect r{placed.left(), placed.top(), placed.right() + 1, placed.bottom() + 1};
        if (method == 0) {
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 2; ++j) {
                    const QRgb c =
                        f.At(r.left + (2 * i + 1) * r.Width() / 4, r.top + (2 * j + 1) * r.Height() / 4);
                    QCOMPARE(qRed(c) > 150, i == 1);    // the right half
                    QCOMPARE(qGreen(c) > 150, j == 1);  // the bottom half
                }
            QCOMPARE(f.At(r.left + 1, r.bottom), f.Background());  // just below the rectangle
            return;
        }
        const Bitmap expected = ResamplePicture(PngDecoder().Decode(f.state.ImageList[0].toStdString()),
                                                method, r.Width(), r.Height());
        int mismatches = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) {
                QRgb want = f.Background();
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
                    const std::uint8_t* p = expected.Row(y - r.top) + (x - r.left) * 3;
                    want = qRgb(p[2], p[1], p[0]);
                }
                mismatches += f.At(x, y) != want;
            }
        QCOMPARE(mismatches, 0);
    }

    // Stepping back in spread mode through a one-entry list leaves the position at -1.
    void badPageInASpreadAndPositionsOutsideTheListShowNothing() {
        DisplayFixture f;
        f.state.settings.ES2PS_Is2PageSpread = true;
        for (int i = 0; i < 4; ++i)
            i == 2 ? f.AddBytes("2.png", "not a picture")
                   : f.Add(QStringLiteral("%1.png").arg(i), Uniform(20, 20, qRgb(i, i, i)));
        QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
        f.window->Start();
        QCOMPARE(f.window->LastSpreadSizes(), (SpreadSizes{20, 20, 20, 20}));
        f.ShowEntry(2);
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(f.Centre(), f.Background());
        // The lines must not go on showing the previous spread's sizes.
        QCOMPARE(f.window->LastSpreadSizes(), SpreadSizes{});
        f.ShowEntry(0);
        f.state.CurrentIndex = -1;
        f.window->RepaintFromCache();
        QCOMPARE(f.Centre(), f.Background());
        f.window->ShowPictures(5, 6, true);  // past the end: nothing to read, nothing to beep about
        QCOMPARE(beeps.count(), 1);
    }

    // Every decoder failure takes the same road (the kinds of bad file are the decoders' own
    // tests): it beeps at each try, and the file still gets its four lines, the size 0.
    void aBadFileBeepsAndKeepsItsLinesATransparentOneShowsTheBackground() {
        DisplayFixture f;
        f.state.registry = PictureRegistry::WithBuiltins();
        f.state.settings.FileInfoColor = 0x000000FF;  // red
        f.state.settings.FileInfoState = 4;
        f.state.settings.IsAutoSlide = true;
        f.state.settings.SlideInterval = 100000;
        f.AddBytes("bad.gif", QByteArray(500, '\x47'));
        QImage clear(40, 30, QImage::Format_ARGB32);
        clear.fill(qRgba(255, 255, 255, 0));
        f.Add("clear.png", clear);
        QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
        f.window->Start();
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(f.state.PictureWidth, 0);
        QVERIFY(f.window->Timer_disp()->isActive());
        const int line = f.window->PaintBox_disp()->LineHeight();
        const QImage& canvas = f.window->Canvas();
        for (int k = 0; k < 4; ++k) QVERIFY(HasText(canvas, k * line, (k + 1) * line));
        QVERIFY(!HasText(canvas, 4 * line, 150));
        f.state.settings.FileInfoState = 2;
        f.window->RepaintFromCache();  // tries the file again
        QCOMPARE(beeps.count(), 2);
        QVERIFY(HasText(canvas, line, 2 * line));
        QVERIFY(!HasText(canvas, 2 * line, 150));
        // The transparent parts take the window colour, also through the resampler.
        f.ShowEntry(1);
        QCOMPARE(f.state.PictureWidth, 40);
        QCOMPARE(f.Centre(), f.Background());
        QCOMPARE(beeps.count(), 2);
    }

    // With plug-ins on and the program folder searched, a plug-in's picture shows byte for byte.
    // What each shipped plug-in decodes is the adapter's own test.
    void aPluginPictureShowsItsPixels() {
        DisplayFixture f;
        const QString app = f.dir.filePath("app");
        QDir().mkpath(app);
        QFile::copy(PICTAVO_TEST_PLUGIN_DIR "/picture/test_picture.spi", app + "/test_picture.spi");

        f.state.registry = PictureRegistry::WithBuiltins();
        f.state.settings.IsUseSPI = true;
        f.state.settings.SearchAppDir = true;
        f.state.settings.LoadExtensions = {".pvx"};
        SusiePlugins plugins({app, {}, {}});
        plugins.SearchExtensionPatterns(f.state);

        QByteArray pvx("PVTX\x02\0\0\0\x01\0\0\0", 12);
        pvx += QByteArray("\x10\x20\x30\xA0\xB0\xC0", 6);
        f.AddBytes("p.pvx", pvx);

        f.window->Start();  // 2 x 1, centred
        QCOMPARE(f.At(99, 74), qRgb(0x10, 0x20, 0x30));
        QCOMPARE(f.At(100, 74), qRgb(0xA0, 0xB0, 0xC0));
    }
};

QTEST_MAIN(FormDispDrawingTest)
#include "FormDispDrawingTest.moc"
