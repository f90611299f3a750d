#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "sources/Form_loading.h"

namespace pictavo {

class Form_loadingTest : public QObject {
    Q_OBJECT
private slots:
    // The counter starts again at zero each time the window is shown; the buttons only set
    // the flags the scan reads.
    void smallCentredWindowWhoseButtonsOnlySetTheFlags() {
        AppState state;
        Form_loading loading(state);
        QCOMPARE(loading.size(), QSize(216, 116));
        QVERIFY(loading.windowFlags().testFlag(Qt::FramelessWindowHint));
        auto* counter = loading.findChild<QLabel*>("Label_loadnum");
        loading.SetCount(1234);
        QCOMPARE(counter->text(), QString("1234"));
        loading.show();
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(loading.pos(), QPoint((screen.width() - 216) / 2, (screen.height() - 116) / 2));
        QCOMPARE(counter->text(), QString("0"));

        auto* cancel = loading.findChild<QPushButton*>("Button_cansel");
        auto* force = loading.findChild<QPushButton*>("Button_forcestart");
        QCOMPARE(cancel->text(), QString("中止"));
        QCOMPARE(force->text(), QString("読み込みを止め、実行"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(state.CancelRequested && !state.ForceStart);
        QVERIFY(loading.isVisible());
        state.CancelRequested = false;
        QTest::mouseClick(force, Qt::LeftButton);
        QVERIFY(state.CancelRequested && state.ForceStart);
    }
};

}  // namespace pictavo

QTEST_MAIN(pictavo::Form_loadingTest)
#include "Form_loadingTest.moc"
