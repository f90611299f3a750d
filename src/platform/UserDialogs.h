#pragma once
// The standard dialogs, message boxes and the beep as the program's own windows use them.
// Windows take a UserDialogs so that window tests can answer in place of the user;
// DesktopDialogs is the real thing. Filters are in "text|patterns|text|patterns" form
// ("対応形式(*.bmp,*.jpg)|*.bmp;*.jpg|全てのファイル|*").
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace pictavo {

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // The desktop's default beep for a refused action.
    virtual void Beep() = 0;
    // A modal box owned by `owner` with `text`, the caption "エラー" and an OK button.
    virtual void ShowError(QWidget* owner, const QString& text) = 0;
    // Picture files to add, several at once, in a resizable dialog that previews the picture
    // under the cursor. Empty when cancelled.
    virtual QStringList ChoosePictures(QWidget* owner, const QString& filter) = 0;
    // One existing file to open / a file name to save under. Empty when cancelled.
    virtual QString ChooseOpenFile(QWidget* owner, const QString& filter) = 0;
    virtual QString ChooseSaveFile(QWidget* owner, const QString& filter) = 0;
    // A file-system folder, in a dialog titled `title` that opens at `start`. nullopt when
    // cancelled; an empty text when a folder was chosen whose local path cannot be obtained.
    virtual std::optional<QString> ChooseFolder(QWidget* owner, const QString& title,
                                                const QString& start) = 0;
};

class DesktopDialogs final : public UserDialogs {
public:
    void Beep() override;
    void ShowError(QWidget* owner, const QString& text) override;
    QStringList ChoosePictures(QWidget* owner, const QString& filter) override;
    QString ChooseOpenFile(QWidget* owner, const QString& filter) override;
    QString ChooseSaveFile(QWidget* owner, const QString& filter) override;
    std::optional<QString> ChooseFolder(QWidget* owner, const QString& title, const QString& start) override;
};

// The program's one DesktopDialogs, for windows created without dialogs of their own.
UserDialogs& DesktopUserDialogs();

// "text|patterns|..." as Qt's name filters "text (p1 p2);;..." (the dialogs hide the pattern
// part, which the text already shows).
QStringList QtFilterList(const QString& filter);

}  // namespace pictavo
