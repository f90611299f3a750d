#include "app/DesktopHost.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include "app/OpenDialogFilter.h"
#include "app/ScreenPlacement.h"
#include "config/SettingsFile.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramPaths.h"

namespace pictavo {

namespace {

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize(1024, 768);
}

}  // namespace

Settings DesktopHost::LoadSettings() {
    return pictavo::LoadSettings(SettingsFilePath(), ScreenSize(), pictavo::ProgramFolder());
}

void DesktopHost::SaveSettings(const Settings& settings) {
    const QString path = SettingsFilePath();
    try {
        pictavo::SaveSettings(settings, path);
    } catch (const ESettingsWrite&) {
        ShowErrorMessage(nullptr, QStringLiteral("設定ファイルを書き込めませんでした。\n%1").arg(path));
    }
}

void DesktopHost::ShowMessage(QWidget* owner, const QString& text, const QString& caption) {
    if (caption == QStringLiteral("注意"))
        ShowWarningMessage(owner, text);
    else
        ShowErrorMessage(owner, text);
}

void DesktopHost::Beep() {
    pictavo::Beep();
}

QString DesktopHost::ChooseFolder(QWidget* owner, const QString& initialFolder) {
    QFileDialog picker(owner, "スライドショーをするフォルダの選択");
    picker.setOption(QFileDialog::DontUseNativeDialog);
    picker.setOption(QFileDialog::ShowDirsOnly);
    picker.setFileMode(QFileDialog::Directory);
    picker.setLabelText(QFileDialog::FileName, "フォルダを選択してください");
    const bool known = !initialFolder.isEmpty() && QFileInfo(initialFolder).isDir();
    picker.setDirectory(known ? initialFolder
                              : QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    picker.setGeometry(FolderPickerGeometry(ScreenSize()));
    if (picker.exec() != QDialog::Accepted) return {};
    return picker.selectedFiles().value(0);
}

QString DesktopHost::ChooseArchive(QWidget* owner, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, QString(), QString(), QtNameFilters(filter), nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

// The desktop's opener reports success as soon as it starts, so a missing file is caught here.
bool DesktopHost::OpenDocument(const QString& path) {
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString DesktopHost::ProgramFolder() {
    return pictavo::ProgramFolder();
}

void DesktopHost::RequestQuit() {
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

}  // namespace pictavo
