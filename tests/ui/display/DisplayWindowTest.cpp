// The slideshow window driven by real keys, clicks and wheel turns, with its overlays and modes:
// three 100 x 60 pictures centred in a 200 x 150 picture area, default bindings (S auto slide,
// Home file list, End settings panel, A animation, L add to list, T clock). Which key runs
// which command, and where a move lands, are the dispatcher's and the navigation's own tests.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <clocale>

#include "DisplayTestSupport.h"
#include "PictureWriters.h"
#include "decode/GifDecoder.h"
#include "display/AnimationView.h"
#include "display/ClockPanel.h"
#include "display/DisplayInputFilter.h"
#include "display/DisplayOverlays.h"
#include "display/FileListView.h"
#include "display/SettingsInfoPanel.h"
#include "platform/ClockText.h"

using namespace pictavo;
using namespace pictavo::test;

class DisplayWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fx_ = std::make_unique<DisplayFixture>(200, 150);
        for (int i = 0; i < 3; ++i) fx_->Add(QString("p%1.png").arg(i), Uniform(100, 60, EntryColor(i)));
        Start();
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

    // The line's text is the key result's own test; the window writes it in the bottom strip
    // and erases it for a key that does nothing.
    void keyResultLineAndAddToList() {
        fx_->state.settings.IsShowKeyResult = true;
        const QImage blank = Strip();
        fx_->Key(Qt::Key_Down);
        QVERIFY(Strip() != blank);
        fx_->Key(Qt::Key_Z);  // bound to nothing
        QCOMPARE(Strip(), blank);
        QCOMPARE(fx_->Centre(), EntryColor(2));  // the picture is drawn again from the cache
        // Add to list appends duplicates, and nothing in an archive show.
        fx_->Key(Qt::Key_L);
        fx_->Key(Qt::Key_L);
        QCOMPARE(fx_->state.FileSelectList.stringList(), QStringList(2, fx_->state.ImageList[2]));
        fx_->window->HideDisplay();
        fx_->state.SourceKind = 1;
        Start();
        fx_->Key(Qt::Key_L);
        QCOMPARE(fx_->state.FileSelectList.rowCount(), 2);
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
        QCOMPARE(fx_->state.CurrentIndex, 0);
        QCOMPARE(fx_->Centre(), EntryColor(0));
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
        fx_->ShowEntry(1);
        QCOMPARE(watcher.lastPainted.pixel(100, 75), EntryColor(1));
        fx_->state.settings.IsShowKeyResult = true;
        fx_->Key(Qt::Key_Right);
        QCOMPARE(watcher.lastPainted, fx_->window->Canvas());
    }

    // A key is seen once on its way from the focused control to the window, also by a control
    // added later, which still gets it.
    void keysAreSeenOnceAndStillDeliveredTabIncluded() {
        QTest::keyClick(Area(), Qt::Key_Right);
        QCOMPARE(fx_->state.CurrentIndex, 1);
        auto* edit = new QLineEdit(QStringLiteral("ab"), fx_->window.get());
        edit->setCursorPosition(0);
        edit->show();
        QTest::keyClick(edit, Qt::Key_Right);
        QCOMPARE(fx_->state.CurrentIndex, 2);
        QCOMPARE(edit->cursorPosition(), 1);
        // Qt moves the focus on Tab; the show still sees it first.
        for (int expected : {1, 2, 3, 4, 0}) {
            fx_->Key(Qt::Key_Tab);
            QCOMPARE(fx_->state.settings.FileInfoState, expected);
        }
        QCOMPARE(fx_->At(150, 2), fx_->Background());  // the four lines were erased
    }

    // Each press on the picture area runs its command once, here a toggle of the auto slide;
    // the double-click event after a quick second click is no press. A press that began on the
    // clock and travels on to the window, a button without a code and a sideways wheel turn do
    // nothing; a wheel turn towards the user goes forward.
    void mouseButtonsAndTheWheelRunTheirCommands() {
        fx_->state.settings.AutoSlideKey = 2;  // "マウス右"
        QTest::mouseClick(Area(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(Ticking());
        // Two presses built by code at one address with one timestamp are two presses (Qt
        // sends other input between two deliveries, so they go to the filter directly).
        QObject* filter = fx_->window->findChild<DisplayInputFilter*>();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), Area()->mapToGlobal(QPointF(5, 5)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        filter->eventFilter(Area(), &press);
        filter->eventFilter(Area(), &press);
        QVERIFY(Ticking());
        fx_->Key(Qt::Key_T);  // the clock
        QWidget* clock = fx_->window->findChild<QWidget*>(QStringLiteral("Panel_nowtime"));
        QTest::mouseClick(clock, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseDClick(Area(), Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseClick(Area(), Qt::BackButton, {}, QPoint(5, 5));
        QVERIFY(Ticking());
        Wheel(QPoint(120, 0));
        QCOMPARE(fx_->state.CurrentIndex, 0);
        Wheel(QPoint(0, -120));
        QCOMPARE(fx_->state.CurrentIndex, 1);
        QCOMPARE(fx_->Centre(), EntryColor(1));
        Wheel(QPoint(0, 120));
        QCOMPARE(fx_->state.CurrentIndex, 0);
    }

    void autoSlideCyclesStopsWhenTheListOpensAndRandomModeRunsItsBinding() {
        fx_->window->HideDisplay();
        fx_->state.settings.IsAutoSlide = true;
        fx_->state.settings.SlideInterval = 30;
        Start();
        for (int expected : {1, 2, 0}) QTRY_COMPARE(fx_->state.CurrentIndex, expected);
        fx_->Key(Qt::Key_Home);
        QVERIFY(List()->isVisible());
        QVERIFY(!Ticking());
        FocusKey(Qt::Key_Escape);  // closes the list only: the show stays, the timer stays off
        QVERIFY(!List()->isVisible());
        QVERIFY(fx_->window->isVisible());
        QVERIFY(!Ticking());
        fx_->Key(Qt::Key_S);
        QVERIFY(Ticking());
        fx_->Key(Qt::Key_S);
        QVERIFY(!Ticking());
        // In random mode the tick runs the random-jump binding; bound to the exit key as well,
        // that earlier row wins and the show ends, which a next-picture tick would never do.
        fx_->state.settings.IsAutoRandom = true;
        fx_->state.settings.ExitKey = fx_->state.settings.RandomJumpKey;
        fx_->Key(Qt::Key_S);
        QTRY_VERIFY(!fx_->window->isVisible());
    }

    // The panel stops the slide; closing it stores what its fields hold (an interval under 100
    // becomes 100, an empty jump 0) without starting the slide again.
    void settingsPanelFiltersTypingAndStoresOnClosing() {
        fx_->Key(Qt::Key_S);  // the auto slide on
        fx_->Key(Qt::Key_End);
        SettingsInfoPanel* panel = Overlays().Panel_info();
        QVERIFY(panel->isVisible());
        QVERIFY(!Ticking());
        auto* interval = panel->findChild<QLineEdit*>(QStringLiteral("Edit_slideinterval"));
        auto* jump = panel->findChild<QLineEdit*>(QStringLiteral("Edit_jumpnum"));
        QCOMPARE(QApplication::focusWidget(), interval);
        QSignalSpy beeps(panel, &SettingsInfoPanel::TypingRefused);
        interval->clear();
        QTest::keyClicks(interval, "12a34567890");  // the letter quietly, the tenth digit beeps
        QCOMPARE(interval->text(), QStringLiteral("123456789"));
        QCOMPARE(beeps.count(), 1);
        interval->setText(QStringLiteral("50"));
        jump->clear();
        QTest::mouseClick(panel->findChild<QPushButton*>("Button_envinfoclose"), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(fx_->state.settings.SlideInterval, 100);
        QCOMPARE(fx_->state.settings.JumpNumber, 0);
        QCOMPARE(fx_->window->Timer_disp()->interval(), 100);
        QVERIFY(!Ticking());
        // Leaving the show by its close button with the panel open keeps what was typed.
        fx_->Key(Qt::Key_End);
        jump->setText(QStringLiteral("25"));
        QTest::mouseClick(fx_->window->findChild<QWidget*>(QStringLiteral("Panel_exit")), Qt::LeftButton);
        QTRY_VERIFY(!fx_->window->isVisible());
        QCOMPARE(fx_->state.settings.JumpNumber, 25);
    }

    // The clock shows the locale's time of day without seconds, in Japanese as "14時05分".
    void clockSitsTopRightAndHidesWithItsTimer() {
        fx_->Key(Qt::Key_T);
        ClockPanel* clock = Overlays().Panel_nowtime();
        QVERIFY(clock->isVisible() && clock->Timer_nowtime()->isActive());
        QCOMPARE(clock->text(), ClockText());
        QCOMPARE(clock->geometry().topRight(), fx_->window->PaintBox_disp()->geometry().topRight());
        fx_->Key(Qt::Key_T);
        QVERIFY(!clock->isVisible() && !clock->Timer_nowtime()->isActive());
        const std::string before = std::setlocale(LC_TIME, nullptr);
        if (std::setlocale(LC_TIME, "ja_JP.UTF-8")) {
            fx_->Key(Qt::Key_T);
            QVERIFY2(clock->text().endsWith(u'分'), qPrintable(clock->text()));
            std::setlocale(LC_TIME, before.c_str());
        }
    }

    void fileListJumpsMovesAndCloses() {
        fx_->Key(Qt::Key_Right);
        fx_->Key(Qt::Key_Home);
        QVERIFY(List()->isVisible());
        QCOMPARE(List()->currentIndex().row(), 1);
        FocusKey(Qt::Key_Down);
        QCOMPARE(fx_->state.CurrentIndex, 1);  // arrows move in the list, not in the show
        FocusKey(Qt::Key_Return);
        QVERIFY(!List()->isVisible());
        QCOMPARE(fx_->state.CurrentIndex, 2);
        QCOMPARE(fx_->Centre(), EntryColor(2));
        fx_->Key(Qt::Key_Home);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {},
                           QPoint(5, List()->viewport()->height() - 2));
        QVERIFY(List()->isVisible());  // empty space below the entries
        FocusKey(Qt::Key_Home);
        QVERIFY(!List()->isVisible());
        // A key that waits while the jump's show lets events run moves on from the chosen entry,
        // and its own show is the one left on screen.
        fx_->Key(Qt::Key_Home);
        FocusKey(Qt::Key_Up);  // from entry 2 to entry 1
        fx_->PostKey(Qt::Key_Right);
        FocusKey(Qt::Key_Return);
        QCOMPARE(fx_->state.CurrentIndex, 2);
        QCOMPARE(fx_->Centre(), EntryColor(2));
    }

    // Two frames of 20 ms, then the first again; ".GIF" in capitals is no animation and shows
    // still through the registry.
    void animationPlaysGifFramesAndStopsWhenTheModeIsLeft() {
        GifParts gif{.width = 20, .height = 10, .colours = {0, 0xFF0000, 0x00FF00, 0xFF}, .loopCount = 0};
        for (std::uint8_t c : {1, 2, 1})
            gif.frames.push_back({0, 0, 20, 10, false, 0, 2, -1, {}, Bytes(200, c)});
        const Bytes bytes = MakeGif(gif);
        const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                              static_cast<qsizetype>(bytes.size()));
        fx_->AddBytes(QStringLiteral("moving.gif"), data);
        fx_->AddBytes(QStringLiteral("still.GIF"), data);
        fx_->state.registry.Register("gif", std::make_shared<GifDecoder>());
        fx_->ShowEntry(3);
        fx_->Key(Qt::Key_A);
        AnimationView* view = Overlays().Image_animation();
        QVERIFY(view->isVisible());
        QVERIFY(!fx_->window->PaintBox_disp()->isVisible());
        const QRect area = fx_->window->PaintBox_disp()->geometry();
        QCOMPARE(view->geometry(), QRect(area.x() + 90, area.y() + 70, 20, 10));  // natural size, centred
        QSignalSpy frames(view, &AnimationView::FrameShown);
        QTRY_VERIFY(frames.count() >= 4);  // past the end of the first pass
        QCOMPARE(frames.at(0).at(0).toInt(), 1);
        QCOMPARE(frames.at(2).at(0).toInt(), 0);
        fx_->Key(Qt::Key_Right);
        QVERIFY(!view->IsEmpty() && !view->IsPlaying());
        QCOMPARE(view->FrameIndex(), -1);
        fx_->Key(Qt::Key_Left);
        QVERIFY(view->IsPlaying());
        fx_->Key(Qt::Key_A);
        QVERIFY(!view->isVisible() && !view->IsPlaying());
        QVERIFY(fx_->window->PaintBox_disp()->isVisible());
    }

private:
    void Start() {
        fx_->window->Start();
        QVERIFY(QTest::qWaitForWindowExposed(fx_->window.get()));
    }
    DisplayOverlays& Overlays() const { return fx_->window->Overlays(); }
    FileListView* List() const { return Overlays().ListBox_filenamelist(); }
    bool Ticking() const { return fx_->window->Timer_disp()->isActive(); }
    void FocusKey(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    PictureArea* Area() const { return fx_->window->PaintBox_disp(); }
    void Wheel(QPoint angle) {
        const QPointF at(100, 75);
        QWheelEvent wheel(at, Area()->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Area(), &wheel);
    }
    QImage Strip() const { return fx_->window->Canvas().copy(0, 105, 200, 45); }  // below the pictures
    std::unique_ptr<DisplayFixture> fx_;
};

QTEST_MAIN(DisplayWindowTest)
#include "DisplayWindowTest.moc"
