// The launcher window itself, the about box and the start and end of the program.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "RecordingHost.h"
#include "app/OpenDialogFilter.h"
#include "app/ScreenPlacement.h"

namespace pictavo {

class LauncherWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // The launcher opens where it was when the program last ended; a first start uses 0, 0.
    void settingsAndLauncherPositionAreKeptAcrossRuns() {
        TestProgram first;
        first.launcher->show();
        QCOMPARE(first.launcher->pos(), QPoint(0, 0));
        first.launcher->move(33, 44);
        first.State().settings.SlideInterval = 777;
        QVERIFY(!first.host.saved.has_value());
        first.Exit();
        QVERIFY(first.host.saved.has_value());
        QCOMPARE(QPoint(first.host.saved->Left, first.host.saved->Top), QPoint(33, 44));
        QCOMPARE(first.host.saved->SlideInterval, 777);
        TestProgram later({}, *first.host.saved);
        later.launcher->show();
        QCOMPARE(later.launcher->pos(), QPoint(33, 44));
    }

    // The archive entry stays disabled while no archiver exists.
    void launcherHasTheDesignedWindowAndMenu() {
        TestProgram program;
        Form_main& launcher = *program.launcher;
        QCOMPARE(launcher.windowTitle(), QString("Pictavo"));
        QCOMPARE(launcher.findChild<QLabel*>("Panel1")->size(), QSize(239, 141));
        QCOMPARE(launcher.minimumSize(), launcher.maximumSize());
        QVERIFY(launcher.acceptDrops());
        const auto action = [&](const char* name) { return launcher.findChild<QAction*>(name); };
        QCOMPARE(action("mmenu_slide_directory")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(action("mmenu_slide_file")->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(action("mmenu_slide_archive")->shortcut(), QKeySequence(Qt::Key_F3));
        QVERIFY(!action("mmenu_slide_archive")->isEnabled());
        QVERIFY(action("mmenu_slide_directory")->isEnabled());
        QStringList top;
        for (QAction* item : launcher.menuBar()->actions()) top.append(item->text());
        QCOMPARE(top, (QStringList{"スライドショー", "設定", "ヘルプ"}));
    }

    void unsupportedLoadExtensionIsResetWithAWarning() {
        Settings settings;
        settings.LoadExtensions = {".jpg", ".pic"};
        TestProgram program({}, settings);
        QCOMPARE(program.host.messages,
                 QStringList{"注意: 「読み込む画像の拡張子」の設定はクリアされました"});
        QCOMPARE(program.State().settings.LoadExtensions,
                 (QStringList{".jpg", ".jpeg", ".bmp", ".png", ".gif"}));
        QCOMPARE(program.State().SupportedExtensions, (QStringList{".bmp", ".gif", ".jpeg", ".jpg", ".png"}));
    }

    void aboutBoxDisablesTheLauncherUntilItCloses() {
        TestProgram program;
        program.launcher->show();
        program.launcher->mmenu_help_aboutClick();
        Form_about& about = *program.about;
        QVERIFY(about.isVisible() && !program.launcher->isEnabled());
        QCOMPARE(about.findChild<QLabel*>("Label_appname")->text(), QString("Pictavo ver.0.433"));
        QVERIFY(!about.findChild<QLabel*>("Image_appicon")->pixmap().isNull());
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(about.frameGeometry().topLeft(), CentredPosition(screen, about.size()));

        QTest::mouseClick(about.findChild<QPushButton*>("Button_ok"), Qt::LeftButton);
        QVERIFY(!about.isVisible() && program.launcher->isEnabled());
    }

    // The dialog edits the launcher's own settings; the launcher waits until it closes.
    void settingsDialogIsCentredAndDisablesTheLauncherUntilItCloses() {
        Settings settings;
        settings.JumpNumber = 42;
        TestProgram program({}, settings);
        program.launcher->show();
        program.launcher->mmenu_setupClick();
        Form_setup& setup = *program.setup;
        QVERIFY(setup.isVisible() && !program.launcher->isEnabled());
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(setup.frameGeometry().topLeft(), CentredPosition(screen, setup.size()));
        auto* jump = setup.findChild<QLineEdit*>("Edit_jumpnum");
        QCOMPARE(jump->text(), QString("42"));
        jump->setText("9");
        QTest::mouseClick(setup.findChild<QPushButton*>("Button_ok"), Qt::LeftButton);
        QVERIFY(!setup.isVisible() && program.launcher->isEnabled());
        QCOMPARE(program.State().settings.JumpNumber, 9);
    }

    void readmeIsOpenedFromTheProgramFolder() {
        TestProgram program;
        program.launcher->mmenu_help_readmeClick();
        QCOMPARE(program.host.opened, QStringList{"/opt/pictavo/readme.txt"});
        QVERIFY(program.host.messages.isEmpty());

        program.host.openSucceeds = false;
        program.launcher->mmenu_help_readmeClick();
        QCOMPARE(program.host.messages, QStringList{"エラー: readme.txtのオープンに失敗しました。"});
    }

    void argloadTimerHidesTheLauncherOnceASlideshowIsVisible() {
        TestProgram program;
        program.launcher->show();
        program.launcher->StartArgloadTimer();
        program.display->show();
        QTRY_VERIFY(!program.launcher->isVisible());
    }

    void placementAndDialogFilterHelpers() {
        QCOMPARE(CentredPosition(QSize(100, 100), QSize(301, 101)),
                 QPoint(-100, 0));  // truncated toward zero
        QCOMPARE(FolderPickerGeometry(QSize(1000, 800)), QRect(333, 267, 333, 266));
        QCOMPARE(QtNameFilters("形式|*.zip;*.jar|全てのファイル|*"),
                 QString("形式 (*.zip *.jar);;全てのファイル (*)"));
    }
};

}  // namespace pictavo

QTEST_MAIN(pictavo::LauncherWindowsTest)
#include "LauncherWindowsTest.moc"
