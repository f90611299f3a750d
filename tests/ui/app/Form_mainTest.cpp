// The roads into a slideshow, driven through the launcher as the user drives them.
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "RecordingHost.h"

namespace pictavo {

namespace {

const QString kNothingFound = "エラー: 対応画像が見つかりません";
const QString kExtractFailed = "エラー: ファイルの展開に失敗しました";

void MakeFiles(const QString& root, const QStringList& names) {
    for (const QString& name : names) {
        QDir().mkpath(QFileInfo(root + "/" + name).path());
        QFile file(root + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

// Drops `urls` on `target` as a file manager would; returns whether the drag was welcomed.
bool Drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

}  // namespace

class Form_mainTest : public QObject {
    Q_OBJECT
private slots:
    // Only the first of several dropped paths is used.
    void droppedOrChosenFolderHandsASortedListToTheSlideshow() {
        QTemporaryDir pictures, other;
        MakeFiles(pictures.path(), {"b.jpg", "A.png", "sub/c.GIF", "notes.txt", "empty/readme.txt"});
        MakeFiles(other.path(), {"x.jpg"});
        TestProgram program;
        program.launcher->show();

        QVERIFY(Drop(program.launcher.get(),
                     {QUrl::fromLocalFile(pictures.path()), QUrl::fromLocalFile(other.path())}));
        QTRY_VERIFY(program.display->isVisible());
        const QString root = pictures.path();
        QCOMPARE(program.State().ImageList,
                 (QStringList{root + "/A.png", root + "/b.jpg", root + "/sub/c.GIF"}));
        QCOMPARE(program.State().ImageCount, 3);
        QCOMPARE(program.State().LastFolder, root);
        QVERIFY(!program.launcher->isVisible() && !program.launcher->isEnabled());
        QVERIFY(!program.loading->isVisible());
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("スライドショー実行中"));
        QVERIFY(program.host.messages.isEmpty());

        // Leaving the slideshow brings the launcher back; a run without arguments goes on.
        program.EndSlideshow();
        QVERIFY(program.launcher->isVisible() && program.launcher->isEnabled());
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("Pictavo"));
        QCOMPARE(program.host.quitRequests, 0);

        Drop(program.launcher.get(), {QUrl::fromLocalFile(root + "/empty")});
        QTRY_COMPARE(program.host.messages, QStringList{kNothingFound});
        QVERIFY(!program.loading->isVisible() && program.launcher->isVisible());
        // A picture is taken for an archive; with no archiver to claim it, nothing happens.
        program.launcher->OpenDroppedPath(root + "/b.jpg");
        QCOMPARE(program.host.messages.size(), 1);
        QCOMPARE(program.State().CurrentArchiver, -1);
        QVERIFY(!program.display->isVisible());
        // Something that is not a local file is not even welcomed.
        QVERIFY(!Drop(program.launcher.get(), {QUrl("https://example.invalid/a.jpg")}));

        // The folder menu: a cancelled picker starts nothing, a chosen folder is scanned.
        program.State().LastFolder = "/earlier";
        program.State().SourceKind = 1;  // as after an archive slideshow
        program.launcher->mmenu_slide_directoryClick();
        QVERIFY(!program.display->isVisible());
        QCOMPARE(program.host.pickerStartedAt, QString("/earlier"));
        program.host.folderToChoose = other.path();
        program.launcher->mmenu_slide_directoryClick();
        QVERIFY(program.display->isVisible());
        QCOMPARE(program.State().ImageList, QStringList{other.path() + "/x.jpg"});
        QCOMPARE(program.State().SourceKind, 0);
        QCOMPARE(program.State().ScanRoot, other.path());
        QCOMPARE(program.State().LastFolder, other.path());
    }

    // The buttons are pressed while the scan runs, once it has found its first picture.
    void cancelGivesUpAndForceStartShowsWhatWasFound() {
        QTemporaryDir pictures;
        MakeFiles(pictures.path(), {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"});
        for (const char* button : {"Button_cansel", "Button_forcestart"}) {
            TestProgram program;
            program.launcher->show();
            program.launcher->SetScanEventInterval(std::chrono::milliseconds(0));
            QTimer presser;
            presser.setInterval(0);
            connect(&presser, &QTimer::timeout, [&] {
                if (program.State().ImageList.isEmpty()) return;
                presser.stop();
                program.launcher->OpenDroppedPath(pictures.path());  // a second road is refused
                QTest::mouseClick(program.loading->findChild<QPushButton*>(button), Qt::LeftButton);
            });
            presser.start();
            program.host.folderToChoose = pictures.path();
            program.launcher->mmenu_slide_directoryClick();

            QCOMPARE(program.host.beeps, 1);
            QVERIFY(program.host.messages.isEmpty());
            QVERIFY(program.State().ImageCount < 6);
            QVERIFY(!program.State().CancelRequested && !program.State().ForceStart);
            QCOMPARE(program.display->isVisible(), QString(button) == "Button_forcestart");
            QCOMPARE(program.launcher->isVisible(), QString(button) == "Button_cansel");
        }
    }

    void commandLineArgumentStartsOrFailsAndMayEndTheProgram_data() {
        QTest::addColumn<QString>("argument");  // below the test folder
        QTest::addColumn<bool>("endAfterArgument");
        QTest::addColumn<QString>("message");  // empty when the slideshow starts
        QTest::newRow("folder, then end") << "/pictures" << true << QString();
        QTest::newRow("folder, then go on") << "/pictures" << false << QString();
        QTest::newRow("empty folder, then end") << "/empty" << true << kNothingFound;
        QTest::newRow("empty folder, then go on") << "/empty" << false << kNothingFound;
        // A picture from a file manager opens its folder at itself; other files are archives.
        QTest::newRow("picture opens its folder") << "/pictures/b.jpg" << true << QString();
        QTest::newRow("text taken for an archive") << "/empty/notes.txt" << true << kExtractFailed;
        QTest::newRow("missing archive") << "/missing.zip" << false << kExtractFailed;
    }
    void commandLineArgumentStartsOrFailsAndMayEndTheProgram() {
        QFETCH(QString, argument);
        QFETCH(bool, endAfterArgument);
        QFETCH(QString, message);
        QTemporaryDir folder;
        MakeFiles(folder.path(), {"empty/notes.txt", "pictures/b.jpg", "pictures/a.jpg"});
        Settings settings;
        settings.IsEndExe_Arg = endAfterArgument;
        TestProgram program({folder.path() + argument, "ignored"}, settings);
        QVERIFY(program.State().StartedWithArgument);
        program.launcher->HandleCommandLine();
        if (message.isEmpty()) {
            program.launcher->ShowAtStart();
            QVERIFY(program.display->isVisible() && !program.launcher->isVisible());
            const QString pictures = folder.path() + "/pictures";
            QCOMPARE(program.State().ImageList, (QStringList{pictures + "/a.jpg", pictures + "/b.jpg"}));
            QCOMPARE(program.State().CurrentIndex, argument.endsWith("b.jpg") ? 1 : 0);
            QVERIFY(program.State().LastFolder.isEmpty());
            program.EndSlideshow();
            QVERIFY(program.launcher->isVisible() && program.launcher->isEnabled());
        } else {
            QCOMPARE(program.host.messages, QStringList{message});
            QVERIFY(!program.display->isVisible() && !program.loading->isVisible());
        }
        QCOMPARE(program.host.quitRequests, endAfterArgument ? 1 : 0);
        // After the end request no road starts any more.
        program.host.folderToChoose = folder.path() + "/pictures";
        program.launcher->mmenu_slide_directoryClick();
        QCOMPARE(program.display->isVisible(), !endAfterArgument);
    }

    void emptyArgumentIsNoArgument() {
        TestProgram program({""});
        QVERIFY(!program.State().StartedWithArgument);
        program.launcher->HandleCommandLine();
        QVERIFY(program.host.messages.isEmpty());
    }

    void fileMenuShowsTheFileSelectionWindowWhichCanStartTheShow() {
        TestProgram program;
        program.launcher->show();
        program.launcher->mmenu_slide_fileClick();
        QVERIFY(program.fileselect->isVisible() && program.launcher->isEnabled());

        program.State().ImageList = {"/p/x.jpg"};
        program.State().ImageCount = 1;
        program.fileselect->setEnabled(false);
        emit program.fileselect->StartRequested();
        QVERIFY(program.display->isVisible());
        program.EndSlideshow();
        QVERIFY(program.fileselect->isEnabled());
    }
};

}  // namespace pictavo

QTEST_MAIN(pictavo::Form_mainTest)
#include "Form_mainTest.moc"
