#pragma once
// The file selection window ("ファイル選択"), where the user puts a list of pictures together
// by hand: files added through a dialog or dropped (folders are scanned), reordered, deleted,
// saved to and loaded from list files, and shown with "実行". The list is the run state's
// FileSelectList, so the display's add-to-list command appends to what this window shows.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "platform/UserDialogs.h"
#include "sources/AppState.h"

class QPushButton;

namespace pictavo {

class FileSelectListView;

class Form_fileselect : public QWidget {
    Q_OBJECT
public:
    // `state` is the launcher's run state and `dialogs` answer for the user; both outlive the
    // window. The picture dialog's filter is built here, once, from LoadExtensions.
    explicit Form_fileselect(AppState& state, UserDialogs& dialogs = DesktopUserDialogs(),
                             QWidget* parent = nullptr);

    // Tells "実行" whether another slideshow or a road is under way; it is refused then, since
    // replacing ImageList would pull the pictures from under that show.
    void SetBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }

    // The buttons and the drop (every path in order: folders are scanned, files kept when
    // their extension is one to load). Public so that each can be driven on its own.
    void Button_fileClick();
    void Button_exeClick();
    void Button_deleteClick();
    void Button_clearClick();
    void Button_upClick();
    void Button_downClick();
    void Button_savelistClick();
    void Button_loadClick();
    void AddDroppedPaths(const QStringList& paths);

    const QString& PictureFilter() const { return pictureFilter_; }

signals:
    // The list has been copied into ImageList (ImageCount, SourceKind 0 set): the launcher
    // runs StartSlideshow.
    void StartRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPushButton* AddButton(const char* name, const QString& text, void (Form_fileselect::*click)());
    void AppendItems(const QStringList& items);
    void MoveFocusedItem(int step);

    AppState& state_;
    UserDialogs& dialogs_;
    std::function<bool()> busy_;
    QString pictureFilter_;
    FileSelectListView* ListBox_files = nullptr;
};

}  // namespace pictavo
