// The slideshow window as a window: starting, leaving, the stored rectangle, the frame that
// moves and resizes it, and the retained canvas across a resize.
#include <QSignalSpy>
#include <QtTest>

#include "DisplayTestSupport.h"
#include "display/PictureArea.h"

using namespace pictavo;
using namespace pictavo::test;

namespace {

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

class FormDispWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startShowsEntryZeroAloneWhenTheListHasOne();
    void escapeLeavesAndStoresTheWindowRectangle();
    void fullScreenCoversTheScreenAndKeepsTheStoredRectangle();
    void captionMovesEdgesResizeDownToTheMinimum();
    void resizeKeepsWhatWasDrawn();
};

void FormDispWindowTest::startShowsEntryZeroAloneWhenTheListHasOne() {
    DisplayFixture f;
    f.state.settings.ES2PS_Is2PageSpread = true;
    f.state.CurrentIndex = 7;
    f.Add("only.png", Uniform(20, 10, qRgb(5, 6, 7)));
    f.window->Start();
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.state.CurrentIndex, 0);
    QCOMPARE(f.window->LastSpreadSizes(), SpreadSizes{});
    QCOMPARE(f.state.PictureWidth, 20);
    QCOMPARE(f.At(90, 70), qRgb(5, 6, 7));
    QCOMPARE(f.At(89, 70), f.Background());
}

void FormDispWindowTest::escapeLeavesAndStoresTheWindowRectangle() {
    DisplayFixture f;
    f.Add("0.png", Uniform(20, 10, qRgb(5, 6, 7)));
    QSignalSpy hidden(f.window.get(), &Form_disp::Hidden);
    f.window->Start();
    QCOMPARE(f.window->geometry(), QRect(10, 20, 206, 177));
    QCOMPARE(f.window->PaintBox_disp()->geometry(), QRect(3, 24, 200, 150));
    f.window->setGeometry(40, 50, 300, 250);
    f.state.CurrentIndex = 3;
    QTest::keyClick(f.window.get(), Qt::Key_Escape);
    QCOMPARE(hidden.count(), 1);
    QVERIFY(!f.window->isVisible());
    QVERIFY(!f.window->HasCurrentPicture());
    QCOMPARE(f.state.CurrentIndex, 0);
    QVERIFY(!f.state.DisplayClosing);
    QCOMPARE(QRect(f.state.settings.DispWindowLeft, f.state.settings.DispWindowTop,
                   f.state.settings.DispWindowWidth, f.state.settings.DispWindowHeight),
             QRect(40, 50, 300, 250));
    // The next start comes back at the stored place and shows from the file again.
    f.window->Start();
    QCOMPARE(f.window->geometry(), QRect(40, 50, 300, 250));
    QCOMPARE(*f.decodes, 2);
}

void FormDispWindowTest::fullScreenCoversTheScreenAndKeepsTheStoredRectangle() {
    DisplayFixture f;
    f.state.settings.IsFullScreen = true;
    f.state.settings.ImageResizeType = 3;
    f.Add("0.png", Uniform(20, 10, qRgb(5, 6, 7)));
    QSignalSpy hidden(f.window.get(), &Form_disp::Hidden);
    f.window->Start();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(f.window->geometry(), screen);
    QCOMPARE(f.window->PaintBox_disp()->geometry(), QRect(QPoint(0, 0), screen.size()));
    QVERIFY(!f.window->findChild<QWidget*>(QStringLiteral("Image_caption"))->isVisible());
    QVERIFY(f.window->windowFlags() & Qt::WindowStaysOnTopHint);
    // The whole screen is picture area: a press at the corner is not a frame drag.
    DragAt(f.window.get(), {1, 1}, {50, 50});
    QCOMPARE(f.window->geometry(), screen);
    QTest::keyClick(f.window.get(), Qt::Key_Escape);
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(f.state.settings.DispWindowWidth, 206);
    QCOMPARE(f.state.settings.DispWindowLeft, 10);
    QVERIFY(!(f.window->windowFlags() & Qt::WindowStaysOnTopHint));
}

void FormDispWindowTest::captionMovesEdgesResizeDownToTheMinimum() {
    DisplayFixture f;
    f.Add("0.png", Uniform(20, 10, qRgb(5, 6, 7)));
    f.window->Start();
    const auto* caption = f.window->findChild<QWidget*>(QStringLiteral("Image_caption"));
    QCOMPARE(caption->geometry(), QRect(0, 3, 206, 21));
    DragAt(f.window.get(), {50, 10}, {30, 40});
    QCOMPARE(f.window->geometry(), QRect(40, 60, 206, 177));
    DragAt(f.window.get(), {205, 176}, {60, 30});  // bottom-right corner
    QCOMPARE(f.window->geometry(), QRect(40, 60, 266, 207));
    DragAt(f.window.get(), {1, 100}, {-20, 0});  // left edge
    QCOMPARE(f.window->geometry(), QRect(20, 60, 286, 207));
    DragAt(f.window.get(), {100, 1}, {0, 500});  // top edge, stopped by the minimum
    QCOMPARE(f.window->geometry(), QRect(20, 117, 286, 150));
    // A press inside the picture area moves nothing.
    DragAt(f.window.get(), {100, 100}, {30, 30});
    QCOMPARE(f.window->geometry(), QRect(20, 117, 286, 150));
    QCOMPARE(f.window->PaintBox_disp()->geometry(), QRect(3, 24, 280, 123));
}

void FormDispWindowTest::resizeKeepsWhatWasDrawn() {
    DisplayFixture f;
    f.Add("0.png", Uniform(20, 10, qRgb(5, 6, 7)));
    f.window->Start();
    QCOMPARE(f.At(95, 72), qRgb(5, 6, 7));
    f.window->resize(406, 277);
    QCOMPARE(f.window->Canvas().size(), QSize(400, 250));
    QCOMPARE(f.At(95, 72), qRgb(5, 6, 7));  // not redrawn, not moved
    QCOMPARE(f.At(300, 200), f.Background());
    QCOMPARE(*f.decodes, 1);
}

QTEST_MAIN(FormDispWindowTest)
#include "FormDispWindowTest.moc"
