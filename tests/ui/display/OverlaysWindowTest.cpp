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
#include "display/DisplayOverlays.h"
#include "display/FileListView.h"
#include "display/SettingsInfoPanel.h"
#include "platform/ClockText.h"

using namespace pictavo;
using namespace pictavo::test;

// The overlays and modes of the slideshow window, driven by real keys and clicks: three
// 100 x 60 pictures in a 200 x 150 picture area, default bindings (S auto slide, Home file
// list, End settings panel, A animation, L add to list, T clock).
class OverlaysWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fx_ = std::make_unique<DisplayFixture>(200, 150);
        for (int i = 0; i < 3; ++i)
            fx_->Add(QStringLiteral("p%1.png").arg(i), Uniform(100, 60, qRgb(40 * i, 90, 200)));
    }
    void cleanup() { fx_.reset(); }

    void autoSlideCyclesAndStopsWhenTheListOpens() {
        fx_->state.settings.IsAutoSlide = true;
        fx_->state.settings.SlideInterval = 30;
        Start();
        for (int expected : {1, 2, 0}) QTRY_COMPARE(fx_->state.CurrentIndex, expected);
        Key(Qt::Key_Home);
        QVERIFY(List()->isVisible());
        QVERIFY(!Ticking());
        FocusKey(Qt::Key_Escape);  // closes the list only: the show stays, the timer stays off
        QVERIFY(!List()->isVisible());
        QVERIFY(fx_->window->isVisible());
        QVERIFY(!Ticking());
        Key(Qt::Key_S);
        QVERIFY(Ticking());
        Key(Qt::Key_S);
        QVERIFY(!Ticking());
    }

    // The tick runs the random-jump binding; bound to the exit key as well, that earlier row
    // wins and the show ends, which a next-picture tick would never do.
    void autoRandomTicksRunTheRandomJumpBinding() {
        Settings& s = fx_->state.settings;
        s.IsAutoSlide = s.IsAutoRandom = true;
        s.SlideInterval = 30;
        s.ExitKey = s.RandomJumpKey;
        Start();
        QTRY_VERIFY(!fx_->window->isVisible());
    }

    // The panel stops the slide; closing it stores what its fields hold (an interval under 100
    // becomes 100, an empty jump 0) without starting the slide again.
    void settingsPanelFiltersTypingAndStoresOnClosing() {
        fx_->state.settings.IsAutoSlide = true;
        Start();
        Key(Qt::Key_End);
        SettingsInfoPanel* panel = Overlays().Panel_info();
        QVERIFY(panel->isVisible());
        QVERIFY(!Ticking());
        QCOMPARE(panel->pos(), QPoint((fx_->window->width() - 361) / 2, (fx_->window->height() - 457) / 2));
        auto* interval = panel->findChild<QLineEdit*>(QStringLiteral("Edit_slideinterval"));
        auto* jump = panel->findChild<QLineEdit*>(QStringLiteral("Edit_jumpnum"));
        QCOMPARE(QApplication::focusWidget(), interval);
        QSignalSpy beeps(panel, &SettingsInfoPanel::TypingRefused);
        interval->clear();
        QTest::keyClicks(interval,
                         QStringLiteral("12a34567890"));  // the letter quietly, the tenth digit beeps
        QCOMPARE(interval->text(), QStringLiteral("123456789"));
        QCOMPARE(beeps.count(), 1);
        interval->setText(QStringLiteral("50"));
        jump->clear();
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("Button_envinfoclose")),
                          Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(fx_->state.settings.SlideInterval, 100);
        QCOMPARE(fx_->state.settings.JumpNumber, 0);
        QCOMPARE(jump->text(), QStringLiteral("0"));
        QCOMPARE(fx_->window->Timer_disp()->interval(), 100);
        QVERIFY(!Ticking());
        // Leaving the show (here by its close button) with the panel open keeps what was typed.
        Key(Qt::Key_End);
        jump->setText(QStringLiteral("25"));
        fx_->window->HideDisplay();
        QCOMPARE(fx_->state.settings.JumpNumber, 25);
    }

    // The clock shows the locale's time of day without seconds, in Japanese as "14時05分".
    void clockSitsTopRightAndHidesWithItsTimer() {
        fx_->state.settings.IsShowNowTime = true;
        Start();
        ClockPanel* clock = Overlays().Panel_nowtime();
        QVERIFY(clock->isVisible() && clock->Timer_nowtime()->isActive());
        QCOMPARE(clock->text(), ClockText());
        QCOMPARE(clock->geometry().topRight(), fx_->window->PaintBox_disp()->geometry().topRight());
        Key(Qt::Key_T);
        QVERIFY(!clock->isVisible() && !clock->Timer_nowtime()->isActive());
        const std::string before = std::setlocale(LC_TIME, nullptr);
        if (std::setlocale(LC_TIME, "ja_JP.UTF-8")) {
            Key(Qt::Key_T);
            QVERIFY(clock->isVisible());
            QVERIFY2(clock->text().endsWith(u'分'), qPrintable(clock->text()));
            std::setlocale(LC_TIME, before.c_str());
        }
    }

    void fileListJumpsMovesAndCloses() {
        Start();
        Key(Qt::Key_Right);
        Key(Qt::Key_Home);
        QVERIFY(List()->isVisible());
        QCOMPARE(List()->currentIndex().row(), 1);
        FocusKey(Qt::Key_Down);
        QCOMPARE(fx_->state.CurrentIndex, 1);  // arrows move in the list, not in the show
        FocusKey(Qt::Key_Return);
        QVERIFY(!List()->isVisible());
        QCOMPARE(fx_->state.CurrentIndex, 2);
        QCOMPARE(fx_->Centre(), qRgb(80, 90, 200));
        Key(Qt::Key_Home);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {},
                           QPoint(5, List()->viewport()->height() - 2));
        QVERIFY(List()->isVisible());  // empty space below the entries
        FocusKey(Qt::Key_Home);
        QVERIFY(!List()->isVisible());
        // A key that waits while the jump's show lets events run moves on from the chosen entry,
        // and its own show is the one left on screen.
        Key(Qt::Key_Home);
        FocusKey(Qt::Key_Up);  // from entry 2 to entry 1
        fx_->PostKey(Qt::Key_Right);
        FocusKey(Qt::Key_Return);
        QCOMPARE(fx_->state.CurrentIndex, 2);
        QCOMPARE(fx_->Centre(), qRgb(80, 90, 200));
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
        Start();
        fx_->ShowEntry(3);
        Key(Qt::Key_A);
        AnimationView* view = Overlays().Image_animation();
        QVERIFY(view->isVisible());
        QVERIFY(!fx_->window->PaintBox_disp()->isVisible());
        const QRect area = fx_->window->PaintBox_disp()->geometry();
        QCOMPARE(view->geometry(), QRect(area.x() + 90, area.y() + 70, 20, 10));  // natural size, centred
        QSignalSpy frames(view, &AnimationView::FrameShown);
        QTRY_VERIFY(frames.count() >= 4);  // past the end of the first pass
        QCOMPARE(frames.at(0).at(0).toInt(), 1);
        QCOMPARE(frames.at(2).at(0).toInt(), 0);
        Key(Qt::Key_Right);
        QVERIFY(!view->IsEmpty() && !view->IsPlaying());
        QCOMPARE(view->FrameIndex(), -1);
        Key(Qt::Key_Left);
        QVERIFY(view->IsPlaying());
        Key(Qt::Key_A);
        QVERIFY(!view->isVisible() && !view->IsPlaying());
        QVERIFY(fx_->window->PaintBox_disp()->isVisible());
    }

    void addToListAppendsDuplicatesButNothingFromAnArchive() {
        fx_->state.settings.IsShowKeyResult = true;
        Start();
        Key(Qt::Key_L);
        Key(Qt::Key_L);
        QCOMPARE(fx_->state.FileSelectList.stringList(), QStringList(2, fx_->state.ImageList[0]));
        fx_->window->HideDisplay();
        fx_->state.SourceKind = 1;
        Start();
        Key(Qt::Key_L);
        QCOMPARE(fx_->state.FileSelectList.rowCount(), 2);
    }

private:
    void Start() {
        fx_->window->Start();
        QVERIFY(QTest::qWaitForWindowExposed(fx_->window.get()));
    }
    DisplayOverlays& Overlays() const { return fx_->window->Overlays(); }
    FileListView* List() const { return Overlays().ListBox_filenamelist(); }
    bool Ticking() const { return fx_->window->Timer_disp()->isActive(); }
    void Key(Qt::Key key) { fx_->Key(key); }
    void FocusKey(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    std::unique_ptr<DisplayFixture> fx_;
};

QTEST_MAIN(OverlaysWindowTest)
#include "OverlaysWindowTest.moc"
