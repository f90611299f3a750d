// The file selection window and the loading window of the folder scan.
#include <QFontMetrics>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "../RecordingDialogs.h"
#include "sources/Form_fileselect.h"
#include "sources/Form_loading.h"
#include "sources/ListFile.h"

namespace pictavo {

class Form_fileselectTest : public QObject {
    Q_OBJECT

    struct Window {
        Window() { state.settings.LoadExtensions = {".jpg", ".png"}; }
        Form_fileselect& Open() {
            form = std::make_unique<Form_fileselect>(state, dialogs);
            form->show();
            return *form;
        }
        QStringList Items() const { return state.FileSelectList.stringList(); }
        QListView& List() const { return *form->findChild<QListView*>("ListBox_files"); }
        void Click(const char* button) const {
            QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton);
        }
        void Select(const QList<int>& rows) const {
            List().clearSelection();
            for (int row : rows)
                List().selectionModel()->setCurrentIndex(state.FileSelectList.index(row),
                                                         QItemSelectionModel::Select);
        }
        AppState state;
        RecordingDialogs dialogs;
        std::unique_ptr<Form_fileselect> form;
    };

private slots:
    // Later changes of LoadExtensions apply at the next start, not to the open dialog's filter.
    void addedFilesWidenTheExtentAndGoThroughListFiles() {
        Window window;
        window.Open();
        window.state.settings.LoadExtensions = {".gif"};
        window.dialogs.pictures = {"/p/b.jpg", "/p/a long name that is wider.png"};
        window.Click("Button_file");
        window.Click("Button_file");
        QCOMPARE(window.dialogs.filters.value(0),
                 QString("対応形式(*.jpg,*.png)|*.jpg;*.png|全てのファイル|*"));
        QCOMPARE(window.Items().size(), 4);
        QCOMPARE(window.Items().value(2), QString("/p/b.jpg"));
        // The display's add-to-list command appends to the same model; the extent follows: the
        // widest item and a margin of 5 pixels.
        const QString longer = "/p/" + QString(200, u'x') + ".jpg";
        window.state.FileSelectList.insertRows(4, 1);
        window.state.FileSelectList.setData(window.state.FileSelectList.index(4), longer);
        const int extent = QFontMetrics(window.List().font()).horizontalAdvance(longer) + 5;
        QTRY_VERIFY(std::abs(window.List().horizontalScrollBar()->maximum() +
                             window.List().viewport()->width() - extent) <= 1);

        // Saved as list.lst, cleared, loaded back; a missing list and a folder that is not there
        // are reported and leave the list as it was.
        QTemporaryDir dir;
        const QStringList saved = window.Items();
        window.dialogs.saveFile = dir.filePath("list");
        window.Click("Button_savelist");
        window.Click("Button_clear");
        QVERIFY(window.Items().isEmpty());
        QTRY_COMPARE(window.List().horizontalScrollBar()->maximum(), 0);
        window.dialogs.openFile = dir.filePath("list.lst");
        window.Click("Button_load");
        QCOMPARE(window.Items(), saved);
        window.dialogs.openFile = dir.filePath("missing.lst");
        window.Click("Button_load");
        window.dialogs.saveFile = dir.filePath("no folder/list");
        window.Click("Button_savelist");
        QCOMPARE(window.dialogs.errors.size(), 2);
        QVERIFY(window.dialogs.errors[0].startsWith("リストファイルを読み込めませんでした。"));
        QVERIFY(window.dialogs.errors[1].startsWith("リストファイルを保存できませんでした。"));
        QCOMPARE(window.Items(), saved);
    }

    // Execute is refused with a beep for an empty list. Folders are scanned with the scan's
    // filters (each block sorted, in drop order), files are kept by extension alone, and the
    // running show's ImageCount is not touched. Execute is refused again while another road's
    // slideshow still runs, then copies the list as it is, empty items included.
    void droppedFoldersAndFilesAndExecute() {
        QTemporaryDir dir;
        MakeFiles(dir.path(),
                  {"one/b.jpg", "one/a.PNG", "one/skip.txt", "two/c.jpg", "two/sub/d.jpg", "x.TXT", "y.JPG"});
        Window window;
        window.state.ImageCount = 7;
        Form_fileselect& form = window.Open();
        QSignalSpy started(&form, &Form_fileselect::StartRequested);
        window.Click("Button_exe");
        QCOMPARE(window.dialogs.beeps, 1);
        const auto url = [&](const char* name) { return QUrl::fromLocalFile(dir.filePath(name)); };
        QVERIFY(Drop(&form, {url("one"), url("two"), url("x.TXT"), url("y.JPG")}));
        QTRY_COMPARE(window.Items().size(), 5);
        const QString root = dir.path();
        QCOMPARE(window.Items(), (QStringList{root + "/one/a.PNG", root + "/one/b.jpg", root + "/two/c.jpg",
                                              root + "/two/sub/d.jpg", root + "/y.JPG"}));
        QCOMPARE(window.state.ImageCount, 7);
        QVERIFY(form.isEnabled());

        window.state.FileSelectList.insertRows(5, 1);  // an empty item, as a list file may hold
        window.state.ImageList = {"member.jpg"};
        window.state.SourceKind = 1;
        bool otherShowRuns = true;
        form.SetBusyCheck([&] { return otherShowRuns; });
        window.Click("Button_exe");
        QCOMPARE(window.dialogs.beeps, 2);
        QCOMPARE(window.state.ImageList, QStringList{"member.jpg"});
        otherShowRuns = false;
        window.Click("Button_exe");
        QCOMPARE(started.count(), 1);
        QCOMPARE(window.state.ImageList, window.Items());
        QCOMPARE(window.state.ImageCount, 6);
        QCOMPARE(window.state.SourceKind, 0);
        QVERIFY(!form.isEnabled());
    }

    void upDownAndDelete() {
        Window window;
        window.state.FileSelectList.setStringList({"a", "b", "c", "d", "e"});
        window.Open();
        const QStringList unchanged = window.Items();
        // At the ends, and with two items selected, up and down do nothing.
        const std::pair<QList<int>, const char*> noops[] = {
            {{0}, "Button_up"}, {{4}, "Button_down"}, {{1, 2}, "Button_up"}, {{1, 2}, "Button_down"}};
        for (const auto& [rows, button] : noops) {
            window.Select(rows);
            window.Click(button);
            QCOMPARE(window.Items(), unchanged);
        }
        window.Select({1});
        window.Click("Button_down");
        window.Click("Button_down");
        QCOMPARE(window.Items(), (QStringList{"a", "c", "d", "b", "e"}));
        window.Click("Button_up");
        QCOMPARE(window.Items(), (QStringList{"a", "c", "b", "d", "e"}));
        QCOMPARE(window.List().selectionModel()->selectedRows().value(0).row(), 2);

        window.Select({0, 2, 3});
        window.Click("Button_delete");
        QCOMPARE(window.Items(), (QStringList{"c", "e"}));
    }

    // The counter starts again at zero each time the window is shown. What its buttons do is
    // the launcher's cancel and force-start case.
    void loadingWindowIsCentredAndItsCounterStartsAtZero() {
        AppState state;
        Form_loading loading(state);
        auto* counter = loading.findChild<QLabel*>("Label_loadnum");
        loading.SetCount(1234);
        QCOMPARE(counter->text(), QString("1234"));
        loading.show();
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(loading.pos(),
                 QPoint((screen.width() - loading.width()) / 2, (screen.height() - loading.height()) / 2));
        QCOMPARE(counter->text(), QString("0"));
    }
};

}  // namespace pictavo

QTEST_MAIN(pictavo::Form_fileselectTest)
#include "Form_fileselectTest.moc"
