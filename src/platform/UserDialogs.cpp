#include "platform/UserDialogs.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QUrl>

#include "platform/MessageBoxes.h"
#include "platform/PicturePreview.h"

namespace pictavo {
namespace {

// The Qt dialog rather than the desktop's own, so that the preview pane can be added.
void PrepareDialog(QFileDialog& dialog, const QString& filter) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(QtFilterList(filter));
}

void AddPreviewPane(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr) return;
    auto* preview = new PicturePreview(&dialog);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::ShowFile);
}

}  // namespace

QStringList QtFilterList(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters.append(QStringLiteral("%1 (%2)").arg(parts[i], patterns));
    }
    return filters;
}

void DesktopDialogs::Beep() {
    pictavo::Beep();
}

void DesktopDialogs::ShowError(QWidget* owner, const QString& text) {
    ShowErrorMessage(owner, text);
}

QStringList DesktopDialogs::ChoosePictures(QWidget* owner, const QString& filter) {
    QFileDialog dialog(owner);
    PrepareDialog(dialog, filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setSizeGripEnabled(true);
    dialog.resize(820, 480);  // room for the preview beside the file list
    AddPreviewPane(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString DesktopDialogs::ChooseOpenFile(QWidget* owner, const QString& filter) {
    QFileDialog dialog(owner);
    PrepareDialog(dialog, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString DesktopDialogs::ChooseSaveFile(QWidget* owner, const QString& filter) {
    QFileDialog dialog(owner);
    PrepareDialog(dialog, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

std::optional<QString> DesktopDialogs::ChooseFolder(QWidget* owner, const QString& title,
                                                    const QString& start) {
    const QUrl url = QFileDialog::getExistingDirectoryUrl(
        owner, title, QUrl::fromLocalFile(start),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog, {QStringLiteral("file")});
    if (url.isEmpty()) return std::nullopt;
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

UserDialogs& DesktopUserDialogs() {
    static DesktopDialogs dialogs;
    return dialogs;
}

}  // namespace pictavo
