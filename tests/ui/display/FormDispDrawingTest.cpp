// What the slideshow window draws: placement and the four drawing methods, spreads, image
// processing, the built-in formats, bad files and the file-information lines.
#include <QSignalSpy>
#include <QtTest>

#include "DisplayTestSupport.h"
#include "display/PictureArea.h"
#include "display/PictureProcessing.h"
#include "display/Placement.h"

using namespace pictavo;
using namespace pictavo::test;

namespace {

QImage FlatQuadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           x < w / 2 ? (y < h / 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                     : (y < h / 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    return image;
}

// Rows of the canvas in [from, to) that hold a pixel of the red text colour.
int TextRows(const QImage& canvas, int from, int to) {
    int rows = 0;
    for (int y = from; y < to; ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const QRgb c = canvas.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80) {
                ++rows;
                break;
            }
        }
    return rows;
}

// A BMP header that claims 100000 x 100000 pixels and carries none.
QByteArray OversizedBmp() {
    QByteArray bmp = Encoded(Uniform(4, 4, qRgb(1, 2, 3)), "BMP");
    for (int at : {18, 22})
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((100000 >> (8 * i)) & 0xFF);
    return bmp;
}

}  // namespace

class FormDispDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void drawsEachResizeTypeAndMethod_data();
    void drawsEachResizeTypeAndMethod();
    void spreadPagesTouchAndTheLowerIsCentred();
    void brighterTwiceThenRestoreGivesTheFilePixels();
    void builtInFormatsShow();
    void badFilesBeepOnceEachAndLeaveTheBackground();
    void badPageInASpreadShowsNothing();
    void fileInfoLinesFollowTheStateEvenForAMissingFile();
    void negativePositionShowsNothing();
    void paintingOnlyCopiesTheCanvas();
};

// The rectangles follow from the resize rules in a 200 x 150 area: natural size centred (a
// larger picture reaches outside), shrink and enlarge to fit with the other axis centred.
void FormDispDrawingTest::drawsEachResizeTypeAndMethod_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("method");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("placed");
    const QRect smallCentred(80, 60, 40, 30);
    const QRect wideShrunk(0, 45, 200, 60);
    const QRect whole(0, 0, 200, 150);
    const QRect largeCentred(-200, -125, 600, 400);
    QTest::newRow("natural size, bilinear") << 0 << 1 << QSize(40, 30) << smallCentred;
    QTest::newRow("shrunk, plain stretch") << 1 << 0 << QSize(300, 90) << wideShrunk;
    QTest::newRow("shrunk, area average") << 1 << 2 << QSize(300, 90) << wideShrunk;
    QTest::newRow("enlarged, bilinear") << 2 << 1 << QSize(40, 30) << whole;
    QTest::newRow("fitted, combined") << 3 << 3 << QSize(100, 50) << QRect(0, 25, 200, 100);
    QTest::newRow("larger at natural size, plain") << 0 << 0 << QSize(600, 400) << largeCentred;
    QTest::newRow("larger at natural size, combined") << 0 << 3 << QSize(600, 400) << largeCentred;
}

// Methods 1-3 put the resampler's result unscaled at the rectangle's top-left (at natural size,
// the part that is visible); plain stretching is checked by the colour of each quadrant.
void FormDispDrawingTest::drawsEachResizeTypeAndMethod() {
    QFETCH(int, type);
    QFETCH(int, method);
    QFETCH(QSize, picture);
    QFETCH(QRect, placed);
    DisplayFixture f;
    f.state.settings.ImageResizeType = type;
    f.state.settings.StretchAlgorithm = method;
    const QImage source = method == 0 ? FlatQuadrants(picture.width(), picture.height())
                                      : QuadrantPicture(picture.width(), picture.height());
    f.Add("a.png", source);
    f.window->Start();

    QCOMPARE(f.window->Canvas().size(), QSize(200, 150));
    // A redraw from the cache copies what was placed instead of resampling: the same pixels.
    const QImage drawn = f.window->Canvas().copy();
    f.window->RepaintFromCache();
    QCOMPARE(f.window->Canvas(), drawn);
    const PictureRect r{placed.left(), placed.top(), placed.right() + 1, placed.bottom() + 1};
    if (method == 0) {
        const int qx[2] = {r.left + r.Width() / 4, r.left + 3 * r.Width() / 4};
        const int qy[2] = {r.top + r.Height() / 4, r.top + 3 * r.Height() / 4};
        const QRgb colours[2][2] = {{qRgb(255, 0, 0), qRgb(0, 255, 0)},
                                    {qRgb(0, 0, 255), qRgb(255, 255, 255)}};
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                if (qx[i] >= 0 && qx[i] < 200 && qy[j] >= 0 && qy[j] < 150)
                    QCOMPARE(f.At(qx[i], qy[j]), colours[i][j]);
        // Just outside the rectangle (where that is inside the area) shows the window colour.
        if (r.left > 0) QCOMPARE(f.At(r.left - 1, std::clamp(r.top + 1, 0, 149)), f.Background());
        if (r.bottom < 150) QCOMPARE(f.At(std::clamp(r.left + 1, 0, 199), r.bottom), f.Background());
        return;
    }
    const Bitmap expected = ResamplePicture(ToBitmap(source), method, r.Width(), r.Height());
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

void FormDispDrawingTest::spreadPagesTouchAndTheLowerIsCentred() {
    DisplayFixture f;
    f.state.settings.StretchAlgorithm = 0;
    f.state.settings.ES2PS_Is2PageSpread = true;
    f.Add("0.png", Uniform(20, 40, qRgb(250, 0, 0)));
    f.Add("1.png", Uniform(60, 20, qRgb(0, 250, 0)));
    f.window->Start();
    // Composite 80 x 40 at (60, 55); the right page is centred at (20, 10) inside it.
    QCOMPARE(f.At(60, 55), qRgb(250, 0, 0));
    QCOMPARE(f.At(79, 94), qRgb(250, 0, 0));
    QCOMPARE(f.At(80, 65), qRgb(0, 250, 0));
    QCOMPARE(f.At(139, 84), qRgb(0, 250, 0));
    QCOMPARE(f.At(80, 64), f.Background());
    QCOMPARE(f.At(139, 85), f.Background());
    QCOMPARE(f.window->LastSpreadSizes(), (SpreadSizes{20, 40, 60, 20}));
    QCOMPARE(QSize(f.state.PictureWidth, f.state.PictureHeight), QSize(80, 40));
}

void FormDispDrawingTest::brighterTwiceThenRestoreGivesTheFilePixels() {
    DisplayFixture f;
    f.state.settings.ESIProc_BrightPower = 20;
    f.Add("0.png", Uniform(30, 30, qRgb(100, 110, 240)));
    f.window->Start();
    const auto command = [&](int c) {
        f.state.ImageProcessCommand = c;
        f.window->RepaintFromCache();
        f.state.ImageProcessCommand = -1;
    };
    command(3);
    QCOMPARE(f.At(100, 75), qRgb(120, 130, 255));
    command(3);
    QCOMPARE(f.At(100, 75), qRgb(140, 150, 255));
    QCOMPARE(*f.decodes, 1);
    command(0);
    QCOMPARE(f.At(100, 75), qRgb(100, 110, 240));
    QCOMPARE(*f.decodes, 2);
    // Restore leaves an unprocessed cache behind: a plain redraw shows the file's pixels too.
    f.window->RepaintFromCache();
    QCOMPARE(f.At(100, 75), qRgb(100, 110, 240));
}

void FormDispDrawingTest::builtInFormatsShow() {
    DisplayFixture f;
    f.state.registry = PictureRegistry::WithBuiltins();
    for (const char* format : {"JPG", "PNG", "BMP"})
        f.AddBytes(QStringLiteral("a.%1").arg(format), Encoded(Uniform(40, 30, qRgb(40, 160, 90)), format));
    QImage clear(40, 30, QImage::Format_ARGB32);
    clear.fill(qRgba(255, 255, 255, 0));
    f.AddBytes("d.png", Encoded(clear, "PNG"));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();
    for (int i = 0; i < 3; ++i) {
        f.ShowEntry(i);
        const QRgb shown = f.At(100, 75);
        QVERIFY2(std::abs(qRed(shown) - 40) <= 3 && std::abs(qGreen(shown) - 160) <= 3 &&
                     std::abs(qBlue(shown) - 90) <= 3,
                 qPrintable(QString("entry %1").arg(i)));
        QCOMPARE(f.state.PictureWidth, 40);
    }
    // A transparent picture shows the background colour, also through the resampler.
    f.ShowEntry(3);
    QCOMPARE(f.At(100, 75), f.Background());
    QCOMPARE(beeps.count(), 0);
}

void FormDispDrawingTest::badFilesBeepOnceEachAndLeaveTheBackground() {
    DisplayFixture f;
    f.state.registry = PictureRegistry::WithBuiltins();
    f.AddBytes("garbage.gif", QByteArray(500, '\x47'));
    f.AddBytes("png-named.jpg", Encoded(Uniform(40, 30, qRgb(1, 1, 1)), "PNG"));
    f.AddBytes("zero.jpg", {});
    f.AddBytes("huge.bmp", OversizedBmp());
    f.AddPath(f.dir.filePath("missing.png"));
    f.AddBytes("good.png", Encoded(Uniform(40, 30, qRgb(200, 10, 10)), "PNG"));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();
    QCOMPARE(beeps.count(), 1);
    QVERIFY(!f.window->HasCurrentPicture());
    QCOMPARE(f.state.PictureWidth, 0);
    QCOMPARE(f.At(100, 75), f.Background());
    // A redraw of a failed entry tries the file again and beeps again, once.
    f.window->RepaintFromCache();
    QCOMPARE(beeps.count(), 2);
    for (int i = 1; i < 5; ++i) {
        f.ShowEntry(i);
        QCOMPARE(beeps.count(), i + 2);
        QCOMPARE(f.At(100, 75), f.Background());
    }
    f.ShowEntry(5);  // the show goes on
    QCOMPARE(beeps.count(), 6);
    QCOMPARE(f.At(100, 75), qRgb(200, 10, 10));
}

void FormDispDrawingTest::badPageInASpreadShowsNothing() {
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
    QCOMPARE(f.At(100, 75), f.Background());
    // The lines must not go on showing the previous spread's sizes.
    QCOMPARE(f.window->LastSpreadSizes(), SpreadSizes{});
}

// A file that cannot be read still gets its lines (size 0) and the show goes on.
void FormDispDrawingTest::fileInfoLinesFollowTheStateEvenForAMissingFile() {
    DisplayFixture f(300, 200);
    f.state.settings.FileInfoColor = 0x000000FF;  // red
    f.state.settings.FileInfoState = 4;
    f.state.settings.IsAutoSlide = true;
    f.state.settings.SlideInterval = 100000;
    f.AddPath(f.dir.filePath("gone.png"));
    f.Add("1.png", Uniform(8, 8, qRgb(0, 0, 200)));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();
    QCOMPARE(beeps.count(), 1);
    const int line = f.window->PaintBox_disp()->LineHeight();
    QVERIFY(line > 0);
    const QImage& canvas = f.window->Canvas();
    QVERIFY(TextRows(canvas, 3 * line, 4 * line) > 0);
    QVERIFY(f.window->Timer_disp()->isActive());

    f.ShowEntry(1);
    for (int k = 0; k < 4; ++k)
        QVERIFY2(TextRows(canvas, k * line, (k + 1) * line) > 0, qPrintable(QString("line %1").arg(k + 1)));
    QCOMPARE(TextRows(canvas, 4 * line, 200), 0);
    f.state.settings.FileInfoState = 2;
    f.window->RepaintFromCache();
    QVERIFY(TextRows(canvas, 0, 2 * line) > 0);
    QCOMPARE(TextRows(canvas, 2 * line, 200), 0);
    f.state.settings.FileInfoState = 0;
    f.window->RepaintFromCache();
    QCOMPARE(TextRows(canvas, 0, 200), 0);
}

void FormDispDrawingTest::negativePositionShowsNothing() {
    DisplayFixture f;
    f.state.settings.ES2PS_Is2PageSpread = true;
    f.Add("0.png", Uniform(20, 20, qRgb(7, 7, 7)));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();
    QCOMPARE(f.At(100, 75), qRgb(7, 7, 7));
    f.state.CurrentIndex = -1;  // stepping back in spread mode through a one-entry list
    f.window->RepaintFromCache();
    QCOMPARE(f.At(100, 75), f.Background());
    f.window->ShowPictures(5, 6, true);  // past the end: nothing to read, nothing to beep about
    QCOMPARE(beeps.count(), 0);
}

void FormDispDrawingTest::paintingOnlyCopiesTheCanvas() {
    DisplayFixture f;
    f.Add("0.png", QuadrantPicture(120, 90));
    f.window->Start();
    const QImage painted = f.window->PaintBox_disp()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(painted, f.window->Canvas().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(*f.decodes, 1);
}

QTEST_MAIN(FormDispDrawingTest)
#include "FormDispDrawingTest.moc"
