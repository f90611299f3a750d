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
    void droppedFolderHandsASortedListToTheSlideshow() {
        QTemporaryDir pictures, other;
        MakeFiles(pictures.path(), {"b.jpg", "A.png", "sub/c.GIF", "notes.txt"});
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
    }

    void droppedPathsThatGiveNothing() {
        QTemporaryDir folder;
        MakeFiles(folder.path(), {"empty/readme.txt", "a.jpg"});
        TestProgram program;
        program.launcher->show();
        Drop(program.launcher.get(), {QUrl::fromLocalFile(folder.path() + "/empty")});
        QTRY_COMPARE(program.host.messages, QStringList{kNothingFound});
        QVERIFY(!program.loading->isVisible());
        QVERIFY(program.launcher->isVisible());

        // A picture is taken for an archive; with no archiver to claim it, nothing happens.
        program.launcher->OpenDroppedPath(folder.path() + "/a.jpg");
        QCOMPARE(program.host.messages.size(), 1);
        QCOMPARE(program.State().CurrentArchiver, -1);
        QVERIFY(!program.display->isVisible());
        // Something that is not a local file is not even welcomed.
        QVERIFY(!Drop(program.launcher.get(), {QUrl("https://example.invalid/a.jpg")}));
    }

    void folderMenuScansTheChosenFolder() {
        QTemporaryDir pictures;
        MakeFiles(pictures.path(), {"one.jpg"});
        TestProgram program;
        program.launcher->show();
        program.State().LastFolder = "/earlier";
        program.State().SourceKind = 1;  // as after an archive slideshow

        program.host.folderToChoose.clear();  // cancelled
        program.launcher->mmenu_slide_directoryClick();
        QVERIFY(!program.display->isVisible());
        QCOMPARE(program.host.pickerStartedAt, QString("/earlier"));

        program.host.folderToChoose = pictures.path();
        program.launcher->mmenu_slide_directoryClick();
        QVERIFY(program.display->isVisible());
        QCOMPARE(program.State().ImageList, QStringList{pictures.path() + "/one.jpg"});
        QCOMPARE(program.State().SourceKind, 0);
        QCOMPARE(program.State().ScanRoot, pictures.path());
        QCOMPARE(program.State().LastFolder, pictures.path());
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

    void commandLineFolderStartsTheSlideshowThatMayEndTheProgram() {
        QTemporaryDir pictures;
        MakeFiles(pictures.path(), {"b.jpg", "a.jpg"});
        for (bool endAfterArgument : {true, false}) {
            Settings settings;
            settings.IsEndExe_Arg = endAfterArgument;
            TestProgram program({pictures.path(), "ignored"}, settings);
            QVERIFY(program.State().StartedWithArgument);
            program.launcher->HandleCommandLine();
            program.launcher->ShowAtStart();
            QVERIFY(program.display->isVisible());
            QVERIFY(!program.launcher->isVisible());
            QCOMPARE(program.State().ImageList,
                     (QStringList{pictures.path() + "/a.jpg", pictures.path() + "/b.jpg"}));
            QVERIFY(program.State().LastFolder.isEmpty());

            program.EndSlideshow();
            QCOMPARE(program.host.quitRequests, endAfterArgument ? 1 : 0);
            QVERIFY(program.launcher->isVisible() && program.launcher->isEnabled());
            // After the end request no road starts any more.
            program.host.folderToChoose = pictures.path();
            program.launcher->mmenu_slide_directoryClick();
            QCOMPARE(program.display->isVisible(), !endAfterArgument);
        }
    }

    void commandLineFailuresShowTheirMessageAndMayEndTheProgram() {
        QTemporaryDir folder;
        MakeFiles(folder.path(), {"empty/notes.txt", "single.jpg"});
        struct Case {
            QString argument;
            bool endAfterArgument;
            QString message;
        };
        for (const Case& c : {Case{folder.path() + "/empty", true, kNothingFound},
                              Case{folder.path() + "/empty", false, kNothingFound},
                              Case{folder.path() + "/single.jpg", true, kExtractFailed},
                              Case{folder.path() + "/missing.zip", false, kExtractFailed}}) {
            Settings settings;
            settings.IsEndExe_Arg = c.endAfterArgument;
            TestProgram program({c.argument}, settings);
            program.launcher->HandleCommandLine();
            QCOMPARE(program.host.messages, QStringList{c.message});
            QCOMPARE(program.host.quitRequests, c.endAfterArgument ? 1 : 0);
            QVERIFY(!program.display->isVisible());
            QVERIFY(!program.loading->isVisible());
        }
        TestProgram withoutArgument({""});
        QVERIFY(!withoutArgument.State().StartedWithArgument);
        withoutArgument.launcher->HandleCommandLine();
        QVERIFY(withoutArgument.host.messages.isEmpty());
    }

    void fileMenuShowsTheFileSelectionWindowWhichCanStartTheShow() {
        TestProgram program;
        program.launcher->show();
        program.launcher->mmenu_slide_fileClick();
        QVERIFY(program.fileselect->isVisible());
        QVERIFY(program.launcher->isEnabled());

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
