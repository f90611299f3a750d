#include <QLineEdit>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

#include "DisplayTestSupport.h"
#include "display/DisplayInputFilter.h"
#include "display/PictureArea.h"

using namespace pictavo;
using namespace pictavo::test;

namespace {

// One colour per entry, far enough apart that a pixel tells which entry is on screen.
QRgb EntryColor(int i) {
    return QColor::fromHsv((i * 37) % 360, 200, 230).rgb();
}

}  // namespace

// The slideshow window driven by real key, mouse and wheel events: 12 uniform pictures of
// 100 x 60 in a 200 x 150 picture area, so each sits centred with the window colour around it
// and the bottom strip free for the key-result line. Which key runs which command, and where a
// move lands, are the dispatcher's and the navigation's own tests.
class DispatchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fx_ = std::make_unique<DisplayFixture>(200, 150);
        for (int i = 0; i < 12; ++i)
            fx_->Add(QStringLiteral("p%1.png").arg(i, 2, 10, QLatin1Char('0')),
                     Uniform(100, 60, EntryColor(i)));
        fx_->window->Start();
        QVERIFY(QTest::qWaitForWindowExposed(fx_->window.get()));
        QCOMPARE(fx_->Centre(), EntryColor(0));
    }
    void cleanup() { fx_.reset(); }

    // Alt switches to spreads: two 100-wide pages fill the area side by side.
    void spreadsPutThePagesOnTheReadingSide() {
        fx_->Key(Qt::Key_Right);
        fx_->Key(Qt::Key_Alt);
        QCOMPARE(fx_->At(50, 75), EntryColor(1));
        QCOMPARE(fx_->At(150, 75), EntryColor(2));
        fx_->Key(Qt::Key_X);
        QCOMPARE(fx_->At(50, 75), EntryColor(2));
        QCOMPARE(fx_->At(150, 75), EntryColor(1));
    }

    void keyResultLineAndItsErasure() {
        fx_->state.settings.IsShowKeyResult = true;
        fx_->state.settings.JumpNumber = 25;
        fx_->Key(Qt::Key_Down);
        QCOMPARE(Strip(), Rendered(QStringLiteral("25枚次の画像を表示")));
        fx_->Key(Qt::Key_Z);  // bound to nothing
        QCOMPARE(Strip(), Rendered(QString()));
        QCOMPARE(fx_->Centre(), EntryColor(11));  // the picture is drawn again from the cache
    }

    // The window system queues repeats of a held key while a picture is read; each one served
    // inside the redraw of the key-result line would nest one show deeper for as long as the
    // key is held, and every level would draw again on the way out.
    void aHeldKeyDropsTheRepeatsThatArriveDuringAShow() {
        fx_->state.settings.IsShowKeyResult = true;
        int repeats = 0;
        fx_->decodes->during = [&] {
            if (repeats++ < 20) fx_->PostKey(Qt::Key_Right, true);
        };
        fx_->Key(Qt::Key_Right);
        QCoreApplication::processEvents();
        fx_->decodes->during = nullptr;
        QCOMPARE(fx_->state.CurrentIndex, 1);
        QCOMPARE(repeats, 1);
        // A fresh press while a show is under way is still served.
        fx_->decodes->during = [this] {
            fx_->PostKey(Qt::Key_Right);
            fx_->decodes->during = nullptr;  // last: this ends the lambda's own life
        };
        fx_->Key(Qt::Key_Right);
        QCOMPARE(fx_->state.CurrentIndex, 3);
        QCOMPARE(fx_->Centre(), EntryColor(3));
    }

    // Keys served while a show resolves its path start shows of their own; the outer show must
    // then neither draw its picture nor its older information lines over theirs.
    void anOvertakenShowLeavesTheScreenToTheNestedOne() {
        fx_->state.settings.FileInfoState = 1;
        fx_->ShowEntry(1);
        fx_->Key(Qt::Key_F2);
        const QImage expected = fx_->window->Canvas().copy();
        fx_->PostKey(Qt::Key_Right);
        fx_->PostKey(Qt::Key_F2);
        fx_->ShowEntry(0);
        QCOMPARE(fx_->state.CurrentIndex, 1);
        QCOMPARE(fx_->window->Canvas(), expected);
    }

    // Under a stream of presses the event loop never idles; a show must reach the screen
    // before the next key is served, not when the loop next finds time to paint.
    void everyShowIsPaintedBeforeTheNextInput() {
        PaintWatcher watcher(Area());
        for (int i = 1; i <= 3; ++i) {
            fx_->ShowEntry(i);
            QCOMPARE(watcher.lastPainted.pixel(100, 75), EntryColor(i));
        }
        fx_->state.settings.IsShowKeyResult = true;
        fx_->Key(Qt::Key_Right);
        QCOMPARE(watcher.lastPainted, fx_->window->Canvas());
    }

    // A key is seen once on its way from the focused control to the window, also by a control
    // added later, which still gets it.
    void keysAreSeenOnceAndStillDelivered() {
        QTest::keyClick(Area(), Qt::Key_Right);
        QCOMPARE(fx_->state.CurrentIndex, 1);
        auto* edit = new QLineEdit(QStringLiteral("ab"), fx_->window.get());
        edit->setCursorPosition(0);
        edit->show();
        QTest::keyClick(edit, Qt::Key_Right);
        QCOMPARE(fx_->state.CurrentIndex, 2);
        QCOMPARE(edit->cursorPosition(), 1);
    }

    // Each press on the picture area runs its command once, here a toggle of the auto slide;
    // the double-click event after a quick second click is no press. A press that began on the
    // clock and travels on to the window, a button without a code and a sideways wheel turn do
    // nothing; a wheel turn towards the user goes forward.
    void mouseButtonsAndTheWheelRunTheirCommands() {
        fx_->state.settings.AutoSlideKey = 2;  // "マウス右"
        const auto ticking = [this] { return fx_->window->Timer_disp()->isActive(); };
        QTest::mouseClick(Area(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(ticking());
        // Two presses built by code at one address with one timestamp are two presses (Qt
        // sends other input between two deliveries, so they go to the filter directly).
        QObject* filter = fx_->window->findChild<DisplayInputFilter*>();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), Area()->mapToGlobal(QPointF(5, 5)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        filter->eventFilter(Area(), &press);
        filter->eventFilter(Area(), &press);
        QVERIFY(ticking());
        fx_->Key(Qt::Key_T);  // the clock
        QWidget* clock = fx_->window->findChild<QWidget*>(QStringLiteral("Panel_nowtime"));
        QTest::mouseClick(clock, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseDClick(Area(), Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseClick(Area(), Qt::BackButton, {}, QPoint(5, 5));
        QVERIFY(ticking());
        Wheel(QPoint(120, 0));
        QCOMPARE(fx_->state.CurrentIndex, 0);
        Wheel(QPoint(0, -120));
        QCOMPARE(fx_->state.CurrentIndex, 1);
        QCOMPARE(fx_->Centre(), EntryColor(1));
        Wheel(QPoint(0, 120));
        QCOMPARE(fx_->state.CurrentIndex, 0);
    }

    // Qt moves the focus on Tab; the show still sees it first.
    void tabStepsTheFileInformationLines() {
        for (int expected : {1, 2, 3, 4, 0}) {
            fx_->Key(Qt::Key_Tab);
            QCOMPARE(fx_->state.settings.FileInfoState, expected);
        }
        QCOMPARE(fx_->At(150, 2), fx_->Background());  // the four lines were erased
    }

    void theCrossLeaves() {
        QSignalSpy hidden(fx_->window.get(), &Form_disp::Hidden);
        QWidget* cross = fx_->window->findChild<QWidget*>(QStringLiteral("Panel_exit"));
        QVERIFY(cross && cross->isVisible());
        QTest::mouseClick(cross, Qt::LeftButton);
        QTRY_COMPARE(hidden.count(), 1);
        QVERIFY(!fx_->window->isVisible());
    }

private:
    PictureArea* Area() const { return fx_->window->PaintBox_disp(); }
    void Wheel(QPoint angle) {
        const QPointF at(100, 75);
        QWheelEvent wheel(at, Area()->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Area(), &wheel);
    }
    QImage Strip() const {
        const int line = Area()->LineHeight();
        return fx_->window->Canvas().copy(0, 150 - line, 200, line);
    }
    // `text` as the picture area writes it on the window colour.
    QImage Rendered(const QString& text) const {
        PictureArea scratch;
        scratch.setAttribute(Qt::WA_DontShowOnScreen);
        scratch.setFont(Area()->font());
        scratch.resize(200, Area()->LineHeight());
        scratch.show();  // the canvas takes its size when the area is shown
        scratch.SetWindowColor(QColor(fx_->Background()));
        scratch.Erase();
        scratch.DrawTextLine(0, text, ColorFromSetting(fx_->state.settings.FileInfoColor));
        return scratch.Canvas().copy();
    }

    std::unique_ptr<DisplayFixture> fx_;
};

QTEST_MAIN(DispatchWindowTest)
#include "DispatchWindowTest.moc"
