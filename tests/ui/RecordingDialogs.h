#pragma once
// What the window tests put in place of the user: dialogs that answer from fields and record
// what the window asked, files made on disk, and drops from a file manager.
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QtTest>

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
    std::optional<QString> ChooseFolder(QWidget*, const QString&, const QString&) override { return folder; }

    int beeps = 0;
    QStringList errors;
    QStringList filters;  // every filter asked for, in order
    QStringList pictures;
    QString openFile;
    QString saveFile;
    std::optional<QString> folder;
};

// Empty files at `names` below `root`, with their folders.
inline void MakeFiles(const QString& root, const QStringList& names) {
    for (const QString& name : names) {
        QDir().mkpath(QFileInfo(root + "/" + name).path());
        QFile file(root + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

// Drops `urls` on `target`; returns whether the drag was welcomed.
inline bool Drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

}  // namespace pictavo
