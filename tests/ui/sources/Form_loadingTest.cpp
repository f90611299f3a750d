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
    void isASmallBorderlessCentredWindowWhoseCounterStartsAtZero() {
        AppState state;
        Form_loading loading(state);
        QCOMPARE(loading.size(), QSize(216, 116));
        QVERIFY(loading.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(loading.findChild<QLabel*>("Label_loadnum")->text(), QString("0"));
        QCOMPARE(loading.findChild<QLabel*>("Label_loaded")->text(), QString("ファイル読み込み済み"));
        QCOMPARE(loading.findChild<QPushButton*>("Button_cansel")->text(), QString("中止"));
        QCOMPARE(loading.findChild<QPushButton*>("Button_forcestart")->text(),
                 QString("読み込みを止め、実行"));

        loading.SetCount(1234);
        QCOMPARE(loading.findChild<QLabel*>("Label_loadnum")->text(), QString("1234"));
        loading.show();
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(loading.pos(), QPoint((screen.width() - 216) / 2, (screen.height() - 116) / 2));
        QCOMPARE(loading.findChild<QLabel*>("Label_loadnum")->text(), QString("0"));
    }

    void buttonsOnlySetTheFlags() {
        AppState state;
        Form_loading loading(state);
        loading.show();
        QTest::mouseClick(loading.findChild<QPushButton*>("Button_cansel"), Qt::LeftButton);
        QVERIFY(state.CancelRequested);
        QVERIFY(!state.ForceStart);
        QVERIFY(loading.isVisible());

        state.CancelRequested = false;
        QTest::mouseClick(loading.findChild<QPushButton*>("Button_forcestart"), Qt::LeftButton);
        QVERIFY(state.CancelRequested);
        QVERIFY(state.ForceStart);
    }
};

}  // namespace pictavo

QTEST_MAIN(pictavo::Form_loadingTest)
#include "Form_loadingTest.moc"
