// The launcher window itself, the about box and the start and end of the program.
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "RecordingHost.h"
#include "app/ScreenPlacement.h"

namespace pictavo {

class LauncherWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void launcherIsPlacedAtTheStoredPositionWhichDefaultsToTheOrigin() {
        TestProgram first;
        first.launcher->show();
        QCOMPARE(first.launcher->pos(), QPoint(0, 0));

        Settings settings;
        settings.Left = 120;
        settings.Top = 80;
        TestProgram later({}, settings);
        later.launcher->show();
        QCOMPARE(later.launcher->pos(), QPoint(120, 80));
    }

    void launcherHasTheDesignedWindowAndMenu() {
        TestProgram program;
        Form_main& launcher = *program.launcher;
        QCOMPARE(launcher.windowTitle(), QString("Pictavo"));
        const auto* panel = launcher.findChild<QLabel*>("Panel1");
        QCOMPARE(panel->size(), QSize(239, 141));
        QCOMPARE(panel->text(), QString("ここにD&DしてもOK"));
        QCOMPARE(launcher.minimumSize(), launcher.maximumSize());
        QCOMPARE(launcher.width(), 239);
        QVERIFY(launcher.acceptDrops());

        const auto action = [&](const char* name) { return launcher.findChild<QAction*>(name); };
        QCOMPARE(action("mmenu_slide_directory")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(action("mmenu_slide_file")->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(action("mmenu_slide_archive")->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(action("mmenu_slide_archive")->text(), QString("アーカイブ指定"));
        QCOMPARE(action("mmenu_help_about")->text(), QString("「Pictavo」について"));
        QStringList top;
        for (QAction* item : launcher.menuBar()->actions()) top.append(item->text());
        QCOMPARE(top, (QStringList{"スライドショー", "設定", "ヘルプ"}));
    }

    void archiveEntryIsDisabledWhileNoArchiverExists() {
        TestProgram program;
        QVERIFY(!program.launcher->findChild<QAction*>("mmenu_slide_archive")->isEnabled());
        QVERIFY(program.launcher->findChild<QAction*>("mmenu_slide_directory")->isEnabled());
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

    void settingsAreWrittenWithTheLauncherPositionAtExit() {
        TestProgram program;
        program.launcher->show();
        program.launcher->move(33, 44);
        program.State().settings.SlideInterval = 777;
        QVERIFY(!program.host.saved.has_value());
        program.Exit();
        QVERIFY(program.host.saved.has_value());
        QCOMPARE(program.host.saved->Left, 33);
        QCOMPARE(program.host.saved->Top, 44);
        QCOMPARE(program.host.saved->SlideInterval, 777);
    }

    void aboutBoxDisablesTheLauncherUntilItCloses() {
        TestProgram program;
        program.launcher->show();
        program.launcher->mmenu_help_aboutClick();
        Form_about& about = *program.about;
        QVERIFY(about.isVisible());
        QVERIFY(!program.launcher->isEnabled());
        QCOMPARE(about.windowTitle(), QString("「Pictavo」について"));
        QCOMPARE(about.findChild<QLabel*>("Label_appname")->text(), QString("Pictavo ver.0.433"));
        QCOMPARE(about.findChild<QLabel*>("Label_releasedate")->text(), QString("2009/11/24"));
        QVERIFY(!about.findChild<QLabel*>("Image_appicon")->pixmap().isNull());
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(about.frameGeometry().topLeft(), CentredPosition(screen, about.size()));

        QTest::mouseClick(about.findChild<QPushButton*>("Button_ok"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QVERIFY(program.launcher->isEnabled());
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
