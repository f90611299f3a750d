#include "sources/Form_fileselect.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "sources/EventPump.h"
#include "sources/Extensions.h"
#include "sources/FileSelectListView.h"
#include "sources/FolderScanner.h"
#include "sources/ListFile.h"

namespace pictavo {
namespace {

constexpr const char* kCaption = "ファイル選択";
constexpr const char* kListFilter = "スライドショー再生リスト(*.lst)|*.lst";

QStringList LocalPaths(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    }
    return paths;
}

}  // namespace

Form_fileselect::Form_fileselect(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      state_(state),
      dialogs_(dialogs),
      pictureFilter_(PictureDialogFilter(state.settings.LoadExtensions)) {
    setObjectName("Form_fileselect");
    setWindowTitle(kCaption);
    setFixedSize(467, 358);
    setAcceptDrops(true);

    ListBox_files = new FileSelectListView(state_.FileSelectList, this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(AddButton("Button_file", "ファイルを追加", &Form_fileselect::Button_fileClick));
    buttons->addWidget(AddButton("Button_delete", "削除", &Form_fileselect::Button_deleteClick));
    buttons->addWidget(AddButton("Button_clear", "クリア", &Form_fileselect::Button_clearClick));
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(AddButton("Button_up", "↑", &Form_fileselect::Button_upClick));
    arrows->addWidget(AddButton("Button_down", "↓", &Form_fileselect::Button_downClick));
    buttons->addLayout(arrows);
    buttons->addSpacing(12);
    buttons->addWidget(AddButton("Button_savelist", "リストを保存", &Form_fileselect::Button_savelistClick));
    buttons->addWidget(AddButton("Button_load", "リスト読み込み", &Form_fileselect::Button_loadClick));
    buttons->addStretch();
    QPushButton* execute = AddButton("Button_exe", "実行", &Form_fileselect::Button_exeClick);
    execute->setMinimumHeight(40);
    buttons->addWidget(execute);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(ListBox_files, 1);
    layout->addLayout(buttons);
}

QPushButton* Form_fileselect::AddButton(const char* name, const QString& text,
                                        void (Form_fileselect::*click)()) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setMinimumWidth(40);
    button->setMaximumWidth(112);
    connect(button, &QPushButton::clicked, this, click);
    return button;
}

void Form_fileselect::showEvent(QShowEvent* event) {
    ListBox_files->RefreshExtent();
    QWidget::showEvent(event);
}

// One insertion for the whole batch, so the view lays out once.
void Form_fileselect::AppendItems(const QStringList& items) {
    if (items.isEmpty()) return;
    QStringListModel& model = state_.FileSelectList;
    const int first = model.rowCount();
    if (first == 0) {
        model.setStringList(items);
        return;
    }
    model.insertRows(first, static_cast<int>(items.size()));
    for (int i = 0; i < items.size(); ++i) model.setData(model.index(first + i), items.at(i));
}

void Form_fileselect::Button_fileClick() {
    AppendItems(dialogs_.ChoosePictures(this, pictureFilter_));
}

void Form_fileselect::Button_exeClick() {
    const QStringList items = state_.FileSelectList.stringList();
    if (items.isEmpty() || (busy_ && busy_())) {
        dialogs_.Beep();
        return;
    }
    state_.ImageList = items;
    state_.ImageCount = static_cast<std::int32_t>(items.size());
    state_.SourceKind = 0;
    emit StartRequested();
    setEnabled(false);  // the display's hiding enables the window again
}

void Form_fileselect::Button_deleteClick() {
    QModelIndexList selected = ListBox_files->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() > b.row(); });
    // Bottom up, a run of neighbouring rows at a time, so the rows above keep their numbers.
    for (qsizetype i = 0; i < selected.size();) {
        qsizetype j = i + 1;
        while (j < selected.size() && selected[j].row() == selected[j - 1].row() - 1) ++j;
        const int top = selected[j - 1].row();
        state_.FileSelectList.removeRows(top, selected[i].row() - top + 1);
        i = j;
    }
}

void Form_fileselect::Button_clearClick() {
    state_.FileSelectList.setStringList({});
}

void Form_fileselect::Button_upClick() {
    MoveFocusedItem(-1);
}

void Form_fileselect::Button_downClick() {
    MoveFocusedItem(+1);
}

// Only with exactly one row selected, and not past either end.
void Form_fileselect::MoveFocusedItem(int step) {
    if (ListBox_files->selectionModel()->selectedRows().size() != 1) return;
    const int from = ListBox_files->currentIndex().row();
    const int to = from + step;
    QStringListModel& model = state_.FileSelectList;
    if (from < 0 || to < 0 || to >= model.rowCount()) return;
    const QVariant moving = model.index(from).data();
    model.setData(model.index(from), model.index(to).data());
    model.setData(model.index(to), moving);
    ListBox_files->selectionModel()->setCurrentIndex(model.index(to), QItemSelectionModel::ClearAndSelect);
}

void Form_fileselect::Button_savelistClick() {
    const QString chosen = dialogs_.ChooseSaveFile(this, kListFilter);
    if (chosen.isEmpty()) return;
    const QString path = ListFileName(chosen);
    try {
        WriteListFile(path, state_.FileSelectList.stringList());
    } catch (const EListFileWrite&) {
        dialogs_.ShowError(this, "リストファイルを保存できませんでした。\n" + path);
    }
}

void Form_fileselect::Button_loadClick() {
    const QString path = dialogs_.ChooseOpenFile(this, kListFilter);
    if (path.isEmpty()) return;
    try {
        state_.FileSelectList.setStringList(ReadListFile(path));
    } catch (const EListFileRead&) {
        dialogs_.ShowError(this, "リストファイルを読み込めませんでした。\n" + path);
    }
}

// The scans leave ImageCount alone: it belongs to whatever slideshow may be running.
void Form_fileselect::AddDroppedPaths(const QStringList& paths) {
    setEnabled(false);
    setWindowTitle("処理中...");
    EventPump pump([] { QCoreApplication::processEvents(); }, std::chrono::milliseconds(15));
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir()) {
            QStringList found;
            std::int32_t count = 0;
            FolderScanner(ScanOptions::FromSettings(state_.settings), {[&pump] { pump.Poll(); }, {}, {}})
                .Scan(path, found, count);
            AppendItems(found);
        } else if (HasLoadExtension(path, state_.settings.LoadExtensions)) {
            AppendItems({path});
        }
    }
    setWindowTitle(kCaption);
    setEnabled(true);
}

void Form_fileselect::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalPaths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// The paths are taken after the drop has been released, so the program they came from never
// waits for a long scan.
void Form_fileselect::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalPaths(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, paths] { AddDroppedPaths(paths); }, Qt::QueuedConnection);
}

}  // namespace pictavo
