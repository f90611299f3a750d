#pragma once
// Dialogs that answer from fields in place of the user and record what the window asked.
#include <QStringList>

#include "platform/UserDialogs.h"

namespace pictavo {

class RecordingDialogs final : public UserDialogs {
public:
    void Beep() override { ++beeps; }
    void ShowError(QWidget*, const QString& text) override { errors.append(text); }
    QStringList ChoosePictures(QWidget*, const QString& filter) override {
        filters.append(filter);
        return pictures;
    }
    QString ChooseOpenFile(QWidget*, const QString& filter) override {
        return filters.append(filter), openFile;
    }
    QString ChooseSaveFile(QWidget*, const QString& filter) override {
        return filters.append(filter), saveFile;
    }
    std::optional<QString> ChooseFolder(QWidget*, const QString& title, const QString&) override {
        filters.append(title);
        return folder;
    }

    int beeps = 0;
    QStringList errors;
    QStringList filters;  // every filter (or folder dialog title) asked for, in order
    QStringList pictures;
    QString openFile;
    QString saveFile;
    std::optional<QString> folder;
};

}  // namespace pictavo
