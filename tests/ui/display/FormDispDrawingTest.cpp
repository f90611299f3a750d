// What the slideshow window draws: placement and the four drawing methods, spreads, the
// cache, image processing, bad files and the file-information lines.
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

bool IsTextColour(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
}

// Rows of the canvas in [from, to) that hold a pixel of the red text colour.
int TextRows(const QImage& canvas, int from, int to) {
    int rows = 0;
    for (int y = from; y < to; ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (IsTextColour(canvas.pixel(x, y))) {
                ++rows;
                break;
            }
    return rows;
}

}  // namespace

class FormDispDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void drawsEachResizeTypeAndMethod_data();
    void drawsEachResizeTypeAndMethod();
    void plainStretchMapsQuadrants_data();
    void plainStretchMapsQuadrants();
    void spreadPagesLandSideBySideInReadingOrder();
    void redrawsComeFromTheCache();
    void brighterTwiceThenRestoreGivesTheFilePixels();
    void badFilesBeepOnceAndLeaveTheBackground();
    void badPageInASpreadShowsNothing();
    void fileInfoLinesFollowTheState();
    void missingFileStillWritesItsLines();
    void negativePositionShowsNothing();
    void paintingOnlyCopiesTheCanvas();
};

void FormDispDrawingTest::drawsEachResizeTypeAndMethod_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("method");
    QTest::addColumn<QSize>("picture");
    for (const QSize size : {QSize(40, 30), QSize(300, 90), QSize(260, 190)})
        for (int type = 0; type <= 3; ++type)
            for (int method = 1; method <= 3; ++method)
                QTest::addRow("%dx%d type %d method %d", size.width(), size.height(), type, method)
                    << type << method << size;
}

// Methods 1-3 put the resampler's result unscaled at the rectangle's top-left; at natural size
// the same holds for the part that is visible.
void FormDispDrawingTest::drawsEachResizeTypeAndMethod() {
    QFETCH(int, type);
    QFETCH(int, method);
    QFETCH(QSize, picture);
    DisplayFixture f;
    f.state.settings.ImageResizeType = type;
    f.state.settings.StretchAlgorithm = method;
    const QImage source = QuadrantPicture(picture.width(), picture.height());
    f.Add("a.png", source);
    f.window->Start();

    const QImage& canvas = f.window->Canvas();
    QCOMPARE(canvas.size(), QSize(200, 150));
    const PictureRect rect = *PlacePicture(source.width(), source.height(), 200, 150, type);
    const Bitmap expected = ResamplePicture(ToBitmap(source), method, rect.Width(), rect.Height());
    int mismatches = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            QRgb want = f.Background();
            if (inside) {
                const std::uint8_t* p = expected.Row(y - rect.top) + (x - rect.left) * 3;
                want = qRgb(p[2], p[1], p[0]);
            }
            mismatches += f.At(x, y) != want;
        }
    QCOMPARE(mismatches, 0);
}

void FormDispDrawingTest::plainStretchMapsQuadrants_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QSize>("picture");
    for (const QSize size : {QSize(40, 30), QSize(300, 90), QSize(600, 400)})
        for (int type = 0; type <= 3; ++type)
            QTest::addRow("%dx%d type %d", size.width(), size.height(), type) << type << size;
}

void FormDispDrawingTest::plainStretchMapsQuadrants() {
    QFETCH(int, type);
    QFETCH(QSize, picture);
    DisplayFixture f;
    f.state.settings.ImageResizeType = type;
    f.state.settings.StretchAlgorithm = 0;
    f.Add("a.png", FlatQuadrants(picture.width(), picture.height()));
    f.window->Start();

    const PictureRect r = *PlacePicture(picture.width(), picture.height(), 200, 150, type);
    const int qx[2] = {r.left + r.Width() / 4, r.left + 3 * r.Width() / 4};
    const int qy[2] = {r.top + r.Height() / 4, r.top + 3 * r.Height() / 4};
    const QRgb colours[2][2] = {{qRgb(255, 0, 0), qRgb(0, 255, 0)}, {qRgb(0, 0, 255), qRgb(255, 255, 255)}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            if (qx[i] >= 0 && qx[i] < 200 && qy[j] >= 0 && qy[j] < 150)
                QCOMPARE(f.At(qx[i], qy[j]), colours[i][j]);
    // Just outside the rectangle (where that is inside the area) shows the window colour.
    if (r.left > 0) QCOMPARE(f.At(r.left - 1, std::clamp(r.top + 1, 0, 149)), f.Background());
    if (r.bottom < 150) QCOMPARE(f.At(std::clamp(r.left + 1, 0, 199), r.bottom), f.Background());
}

void FormDispDrawingTest::spreadPagesLandSideBySideInReadingOrder() {
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
    QCOMPARE(f.state.PictureWidth, 80);
    QCOMPARE(f.state.PictureHeight, 40);

    // Read right to left, entry 1 is the left page.
    f.state.settings.ES2PS_IsPageLtoR = false;
    f.window->RepaintPictureArea();
    f.window->EmptyCurrentPicture();
    f.window->ShowCurrentPosition();
    QCOMPARE(f.window->LastSpreadSizes(), (SpreadSizes{60, 20, 20, 40}));
    QCOMPARE(f.At(60, 65), qRgb(0, 250, 0));
    QCOMPARE(f.At(120, 55), qRgb(250, 0, 0));
}

void FormDispDrawingTest::redrawsComeFromTheCache() {
    DisplayFixture f;
    f.Add("0.png", Uniform(20, 20, qRgb(1, 2, 3)));
    f.Add("1.png", Uniform(20, 20, qRgb(4, 5, 6)));
    f.window->Start();
    QCOMPARE(*f.decodes, 1);
    f.window->RepaintFromCache();
    f.window->RepaintFromCache();
    QCOMPARE(*f.decodes, 1);
    QCOMPARE(f.At(100, 75), qRgb(1, 2, 3));
    f.state.CurrentIndex = 1;
    f.window->EmptyCurrentPicture();
    f.window->ShowCurrentPosition();
    QCOMPARE(*f.decodes, 2);
    QCOMPARE(f.At(100, 75), qRgb(4, 5, 6));
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

// Every kind of bad file is tried with the real decoders elsewhere; here the rules around it.
void FormDispDrawingTest::badFilesBeepOnceAndLeaveTheBackground() {
    DisplayFixture f;
    f.AddBytes("corrupt.png", QByteArray(300, '\x5a'));
    f.Add("good.png", Uniform(50, 50, qRgb(9, 9, 9)));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();
    QCOMPARE(beeps.count(), 1);
    QVERIFY(!f.window->HasCurrentPicture());
    QCOMPARE(f.state.PictureWidth, 0);
    QCOMPARE(f.At(100, 75), f.Background());
    // A redraw of a failed entry tries the file again and beeps again, once.
    f.window->RepaintFromCache();
    QCOMPARE(beeps.count(), 2);
    // The show goes on.
    f.state.CurrentIndex = 1;
    f.window->ShowCurrentPosition();
    QCOMPARE(beeps.count(), 2);
    QCOMPARE(f.At(100, 75), qRgb(9, 9, 9));
}

void FormDispDrawingTest::badPageInASpreadShowsNothing() {
    DisplayFixture f;
    f.state.settings.ES2PS_Is2PageSpread = true;
    f.Add("0.png", Uniform(20, 20, qRgb(1, 1, 1)));
    f.Add("1.png", Uniform(20, 20, qRgb(2, 2, 2)));
    f.AddBytes("2.png", "not a picture");
    f.Add("3.png", Uniform(20, 20, qRgb(3, 3, 3)));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();
    QCOMPARE(f.window->LastSpreadSizes(), (SpreadSizes{20, 20, 20, 20}));
    f.state.CurrentIndex = 2;
    f.window->RepaintPictureArea();
    f.window->EmptyCurrentPicture();
    f.window->ShowCurrentPosition();
    QCOMPARE(beeps.count(), 1);
    QCOMPARE(f.At(100, 75), f.Background());
    // The lines must not go on showing the previous spread's sizes.
    QCOMPARE(f.window->LastSpreadSizes(), SpreadSizes{});
}

void FormDispDrawingTest::fileInfoLinesFollowTheState() {
    DisplayFixture f(300, 200);
    f.state.settings.FileInfoColor = 0x000000FF;  // red
    f.state.settings.FileInfoState = 4;
    f.Add("0.png", Uniform(8, 8, qRgb(0, 0, 200)));
    f.window->Start();
    const int line = f.window->PaintBox_disp()->LineHeight();
    QVERIFY(line > 0);
    const QImage& canvas = f.window->Canvas();
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

// The size line of a file that cannot be read shows 0 and the show finishes normally.
void FormDispDrawingTest::missingFileStillWritesItsLines() {
    DisplayFixture f(300, 200);
    f.state.settings.FileInfoColor = 0x000000FF;
    f.state.settings.FileInfoState = 4;
    f.state.settings.IsAutoSlide = true;
    f.state.settings.SlideInterval = 100000;
    f.AddPath(f.dir.filePath("gone.png"));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();
    QCOMPARE(beeps.count(), 1);
    const int line = f.window->PaintBox_disp()->LineHeight();
    QVERIFY(TextRows(f.window->Canvas(), 3 * line, 4 * line) > 0);
    QVERIFY(f.window->Timer_disp()->isActive());
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
    QCOMPARE(beeps.count(), 0);
    f.window->ShowPictures(5, 6, true);
    QCOMPARE(beeps.count(), 0);
}

void FormDispDrawingTest::paintingOnlyCopiesTheCanvas() {
    DisplayFixture f;
    f.Add("0.png", QuadrantPicture(120, 90));
    f.window->Start();
    const QImage painted = f.window->PaintBox_disp()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(painted.size(), f.window->Canvas().size());
    QCOMPARE(painted, f.window->Canvas().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(*f.decodes, 1);
}

QTEST_MAIN(FormDispDrawingTest)
#include "FormDispDrawingTest.moc"
