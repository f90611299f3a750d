// The launcher and the roads into a slideshow, driven as the user drives them, with the
// about box, the settings road and the start and end of the program.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "../../unit/archive/ArchiveMaker.h"
#include "../RecordingDialogs.h"
#include "PictureWriters.h"
#include "app/Form_about.h"
#include "app/Form_main.h"
#include "app/LauncherHost.h"
#include "app/PluginGateway.h"
#include "app/ScreenPlacement.h"
#include "config/Form_setup.h"
#include "display/Form_disp.h"
#include "sources/Form_fileselect.h"
#include "sources/Form_loading.h"

namespace pictavo {

// A launcher host that answers from fields and records what the launcher asked of it, and the
// six windows of the program built the way the entry sequence builds them.
class RecordingHost final : public LauncherHost {
public:
    Settings LoadSettings() override { return settings; }
    void SaveSettings(const Settings& written) override { saved = written; }
    void ShowMessage(QWidget*, const QString& text, const QString& caption) override {
        messages.append(caption + ": " + text);
    }
    void Beep() override { ++beeps; }
    QString ChooseFolder(QWidget*, const QString& initialFolder) override {
        pickerStartedAt = initialFolder;
        return folderToChoose;
    }
    QString ChooseArchive(QWidget*, const QString&) override { return {}; }
    bool OpenDocument(const QString& path) override { return opened.append(path), openSucceeds; }
    QString ProgramFolder() override { return programFolder; }
    void RequestQuit() override { ++quitRequests; }

    Settings settings;  // what the settings file holds
    std::optional<Settings> saved;
    QStringList messages;
    int beeps = 0;
    QString folderToChoose;
    QString pickerStartedAt;
    QStringList opened;
    bool openSucceeds = true;
    int quitRequests = 0;
    QString programFolder;
};

// The launcher and the windows after it, destroyed in the reverse order of creation.
struct TestProgram {
    explicit TestProgram(const QStringList& arguments = {}, const Settings& settings = Settings(),
                         const QString& programFolder = "/opt/pictavo") {
        host.settings = settings;
        host.programFolder = programFolder;
        launcher = std::make_unique<Form_main>(host, plugins, arguments);
        loading = std::make_unique<Form_loading>(State());
        display = std::make_unique<Form_disp>(State());
        fileselect = std::make_unique<Form_fileselect>(State());
        setup = std::make_unique<Form_setup>(State().settings, State().SupportedExtensions);
        about = std::make_unique<Form_about>();
        launcher->Attach({loading.get(), display.get(), fileselect.get(), setup.get(), about.get()});
    }
    ~TestProgram() { Exit(); }
    void Exit() {
        if (launcher) launcher->Detach();
        about.reset();
        setup.reset();
        fileselect.reset();
        display.reset();
        loading.reset();
        launcher.reset();
    }
    AppState& State() { return launcher->State(); }
    // The display's hide sequence ends by announcing Hidden(); the launcher's answer to it
    // may run more than once without harm.
    void EndSlideshow() {
        display->hide();
        emit display->Hidden();
    }

    RecordingHost host;
    NoPlugins plugins;
    std::unique_ptr<Form_main> launcher;
    std::unique_ptr<Form_loading> loading;
    std::unique_ptr<Form_disp> display;
    std::unique_ptr<Form_fileselect> fileselect;
    std::unique_ptr<Form_setup> setup;
    std::unique_ptr<Form_about> about;
};

const QString kNothingFound = "エラー: 対応画像が見つかりません";
const QString kExtractFailed = "エラー: ファイルの展開に失敗しました";

std::string Bmp(int width) {
    const Bytes bytes = MakeBmp(
        {.width = width, .height = 2, .pixels = PackBmpRows(Colours(width * 2, 0xFF0000), width, 24, false)});
    return std::string(bytes.begin(), bytes.end());
}

class Form_mainTest : public QObject {
    Q_OBJECT
private slots:
    // Only the first of several dropped paths is used. An empty argument is no argument: the
    // program goes on after the show although IsEndExe_Arg is set.
    void droppedOrChosenFolderHandsASortedListToTheSlideshow() {
        QTemporaryDir pictures, other;
        MakeFiles(pictures.path(), {"b.jpg", "A.png", "sub/c.GIF", "notes.txt", "empty/readme.txt"});
        MakeFiles(other.path(), {"x.jpg"});
        TestProgram program({""});
        AppState& state = program.State();
        program.launcher->HandleCommandLine();
        program.launcher->show();

        QVERIFY(Drop(program.launcher.get(),
                     {QUrl::fromLocalFile(pictures.path()), QUrl::fromLocalFile(other.path())}));
        QTRY_VERIFY(program.display->isVisible());
        const QString root = pictures.path();
        QCOMPARE(state.ImageList, (QStringList{root + "/A.png", root + "/b.jpg", root + "/sub/c.GIF"}));
        QCOMPARE(state.LastFolder, root);
        QVERIFY(!program.launcher->isVisible() && !program.launcher->isEnabled());
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("スライドショー実行中"));

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
        QVERIFY(!program.display->isVisible());
        // Something that is not a local file is not even welcomed.
        QVERIFY(!Drop(program.launcher.get(), {QUrl("https://example.invalid/a.jpg")}));

        // The folder menu: a cancelled picker starts nothing, a chosen folder is scanned.
        state.LastFolder = "/earlier";
        state.SourceKind = 1;  // as after an archive slideshow
        program.launcher->mmenu_slide_directoryClick();
        QVERIFY(!program.display->isVisible());
        QCOMPARE(program.host.pickerStartedAt, QString("/earlier"));
        program.host.folderToChoose = other.path();
        program.launcher->mmenu_slide_directoryClick();
        QVERIFY(program.display->isVisible());
        QCOMPARE(state.SourceKind, 0);
        QCOMPARE(state.ScanRoot, other.path());
        QCOMPARE(state.LastFolder, other.path());
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
        program.launcher->HandleCommandLine();
        if (message.isEmpty()) {
            program.launcher->ShowAtStart();
            QVERIFY(program.display->isVisible() && !program.launcher->isVisible());
            // Shown meanwhile by the desktop, the launcher hides again once the show is up.
            program.launcher->show();
            program.launcher->StartArgloadTimer();
            QTRY_VERIFY(!program.launcher->isVisible());
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

    // Dropped or given as the argument: its pictures are listed in order, each one shown is
    // extracted into the temporary folder, and leaving the slideshow empties that folder.
    void zipShowsItsPicturesAndLeavesNothingBehind() {
        QTemporaryDir work;
        const QString zip = work.filePath("pictures.zip");
        QVERIFY(test::WriteArchive(
            zip.toStdString(), test::Format::Zip,
            {{"z.bmp", Bmp(3)}, {"b/a.bmp", Bmp(2)}, {"a/B.bmp", Bmp(1)}, {"notes.txt", "-"}}));
        for (const bool argument : {false, true}) {
            TestProgram program(argument ? QStringList{zip} : QStringList{}, Settings(), PICTAVO_MODULE_DIR);
            AppState& state = program.State();
            state.TempFolder = work.filePath("tmp");
            QDir().mkpath(state.TempFolder + "/stale");  // left by a run that was killed
            argument ? program.launcher->HandleCommandLine() : program.launcher->OpenDroppedPath(zip);
            QTRY_VERIFY(program.display->isVisible());
            QCOMPARE(state.ImageList, (QStringList{"a/B.bmp", "b/a.bmp", "z.bmp"}));
            QCOMPARE(state.SourceKind, 1);
            QCOMPARE(state.PictureWidth, 1);
            QVERIFY(QFileInfo::exists(state.TempFolder + "/a/B.bmp"));
            QVERIFY(!QFileInfo::exists(state.TempFolder + "/stale"));
            QTest::keyClick(program.display.get(), Qt::Key_Right);
            QTRY_COMPARE(state.PictureWidth, 2);
            QTest::keyClick(program.display.get(), Qt::Key_Escape);
            QTRY_VERIFY(!program.display->isVisible());
            QVERIFY(QDir(state.TempFolder).exists());
            QVERIFY(QDir(state.TempFolder)
                        .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
            QVERIFY(program.host.messages.isEmpty());
        }
    }

    // The launcher opens where it was when the program last ended; a first start uses 0, 0.
    // A load extension no reader supports resets the list, with a warning.
    void settingsKeptAcrossRunsAndTheMenuEntries() {
        Settings settings;
        settings.LoadExtensions = {".jpg", ".pic"};
        TestProgram first({}, settings);
        QCOMPARE(first.host.messages, QStringList{"注意: 「読み込む画像の拡張子」の設定はクリアされました"});
        QCOMPARE(first.State().settings.LoadExtensions,
                 (QStringList{".jpg", ".jpeg", ".bmp", ".png", ".gif"}));
        first.launcher->show();
        QCOMPARE(first.launcher->pos(), QPoint(0, 0));
        first.launcher->move(33, 44);
        first.State().settings.JumpNumber = 42;
        first.Exit();
        QVERIFY(first.host.saved.has_value());
        QCOMPARE(QPoint(first.host.saved->Left, first.host.saved->Top), QPoint(33, 44));
        TestProgram later({}, *first.host.saved);
        later.launcher->show();
        QCOMPARE(later.launcher->pos(), QPoint(33, 44));
        QVERIFY(later.host.messages.isEmpty());

        // The about box and the settings dialog (which edits the launcher's own settings) keep
        // the launcher disabled until they close; the file selection window does not, and can
        // start a show. Without archiver modules in the program folder the archive entry stays
        // disabled.
        later.launcher->mmenu_help_aboutClick();
        Form_about& about = *later.about;
        QVERIFY(about.isVisible() && !later.launcher->isEnabled());
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(about.frameGeometry().topLeft(), CentredPosition(screen, about.size()));
        QTest::mouseClick(about.findChild<QPushButton*>("Button_ok"), Qt::LeftButton);
        QVERIFY(!about.isVisible() && later.launcher->isEnabled());

        later.launcher->mmenu_setupClick();
        Form_setup& setup = *later.setup;
        QVERIFY(setup.isVisible() && !later.launcher->isEnabled());
        auto* jump = setup.findChild<QLineEdit*>("Edit_jumpnum");
        QCOMPARE(jump->text(), QString("42"));  // kept from the first run
        jump->setText("9");
        QTest::mouseClick(setup.findChild<QPushButton*>("Button_ok"), Qt::LeftButton);
        QVERIFY(!setup.isVisible() && later.launcher->isEnabled());
        QCOMPARE(later.State().settings.JumpNumber, 9);

        later.launcher->mmenu_slide_fileClick();
        QVERIFY(later.fileselect->isVisible() && later.launcher->isEnabled());
        later.State().ImageList = {"/p/x.jpg"};
        later.State().ImageCount = 1;
        later.fileselect->setEnabled(false);
        emit later.fileselect->StartRequested();
        QVERIFY(later.display->isVisible());
        later.EndSlideshow();
        QVERIFY(later.fileselect->isEnabled());

        QVERIFY(!later.launcher->findChild<QAction*>("mmenu_slide_archive")->isEnabled());
        later.launcher->mmenu_help_readmeClick();
        QCOMPARE(later.host.opened, QStringList{"/opt/pictavo/readme.txt"});
        QVERIFY(later.host.messages.isEmpty());

        later.host.openSucceeds = false;
        later.launcher->mmenu_help_readmeClick();
        QCOMPARE(later.host.messages, QStringList{"エラー: readme.txtのオープンに失敗しました。"});
    }

    void placementAndDialogFilterHelpers() {
        QCOMPARE(CentredPosition(QSize(100, 100), QSize(301, 101)),
                 QPoint(-100, 0));  // truncated toward zero
        QCOMPARE(FolderPickerGeometry(QSize(1000, 800)), QRect(333, 267, 333, 266));
        QCOMPARE(QtFilterList("形式|*.zip;*.jar|全てのファイル|*").join(";;"),
                 QString("形式 (*.zip *.jar);;全てのファイル (*)"));
    }
};

}  // namespace pictavo

QTEST_MAIN(pictavo::Form_mainTest)
#include "Form_mainTest.moc"
