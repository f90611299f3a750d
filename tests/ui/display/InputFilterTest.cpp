#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest>

#include "display/DisplayInputFilter.h"

using pictavo::DisplayInputFilter;

// A window shaped like the display: a caption strip over a picture area that ignores keys and
// wheel turns, so Qt hands them on to the window.
class InputFilterTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        window_ = new QWidget;
        auto* layout = new QVBoxLayout(window_);
        caption_ = new QLabel(QStringLiteral("caption"), window_);
        picture_ = new QWidget(window_);
        picture_->setFocusPolicy(Qt::StrongFocus);
        picture_->setMinimumSize(200, 150);
        layout->addWidget(caption_);
        layout->addWidget(picture_);
        filter_ = new DisplayInputFilter(window_);
        filter_->SetClickTargets({window_, picture_});
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }
    void cleanup() { delete window_; }

    // A key travelling on to the window is reported once; a control added later is watched
    // too and still gets its key.
    void keysAreReportedOnceAndStillDelivered() {
        QSignalSpy keys(filter_, &DisplayInputFilter::KeyDown);
        picture_->setFocus();
        QTest::keyClick(picture_, Qt::Key_Right);
        QCOMPARE(keys.count(), 1);
        QCOMPARE(keys.at(0).at(0).value<std::uint16_t>(), std::uint16_t{39});
        auto* edit = new QLineEdit(picture_);
        edit->show();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_5);
        QCOMPARE(keys.count(), 2);
        QCOMPARE(edit->text(), QStringLiteral("5"));
    }

    void buttonsCountOnlyOnTheirTargets() {
        QSignalSpy buttons(filter_, &DisplayInputFilter::MouseButtonDown);
        QTest::mousePress(picture_, Qt::LeftButton);
        QTest::mouseRelease(picture_, Qt::LeftButton);
        QTest::mouseClick(picture_, Qt::RightButton);
        QTest::mouseClick(window_, Qt::MiddleButton, {}, QPoint(2, 2));
        QTest::mouseClick(picture_, Qt::BackButton);
        QTest::mouseClick(caption_, Qt::LeftButton);  // goes on to the window, but began on the caption
        QCOMPARE(buttons.count(), 3);
        QCOMPARE(buttons.at(0).at(0).value<std::uint16_t>(), std::uint16_t{1});
        QCOMPARE(buttons.at(1).at(0).value<std::uint16_t>(), std::uint16_t{2});
        QCOMPARE(buttons.at(2).at(0).value<std::uint16_t>(), std::uint16_t{4});
        // Two presses built by code at one address with one timestamp are two clicks.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), window_->mapToGlobal(QPointF(2, 2)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        press.setTimestamp(77);
        QApplication::sendEvent(window_, &press);
        QApplication::sendEvent(window_, &press);
        QCOMPARE(buttons.count(), 5);
        // Qt follows the press of a quick second click with a double-click event: no extra press.
        QTest::mouseDClick(picture_, Qt::LeftButton);
        QCOMPARE(buttons.count(), 5);
    }

    // Two turns sent one after the other are both new; a sideways one is not reported.
    void onlyTheVerticalWheelIsReportedOncePerTurn() {
        QSignalSpy turns(filter_, &DisplayInputFilter::WheelTurned);
        for (const QPoint angle : {QPoint(0, -120), QPoint(120, 0), QPoint(0, 120)}) {
            const QPointF at(100, 75);
            QWheelEvent wheel(at, picture_->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(picture_, &wheel);
        }
        QCOMPARE(turns.count(), 2);
        QCOMPARE(turns.at(0).at(0).toInt(), -120);
        QCOMPARE(turns.at(1).at(0).toInt(), 120);
    }

private:
    QWidget* window_ = nullptr;
    QLabel* caption_ = nullptr;
    QWidget* picture_ = nullptr;
    DisplayInputFilter* filter_ = nullptr;
};

QTEST_MAIN(InputFilterTest)
#include "InputFilterTest.moc"
