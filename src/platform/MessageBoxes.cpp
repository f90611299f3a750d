#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace pictavo {
namespace {

void ShowMessage(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    box.setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    box.exec();
}

}  // namespace

void Beep() {
    QApplication::beep();
}

void ShowErrorMessage(QWidget* owner, const QString& text) {
    ShowMessage(owner, QMessageBox::Critical, QStringLiteral("エラー"), text);
}

void ShowWarningMessage(QWidget* owner, const QString& text) {
    ShowMessage(owner, QMessageBox::Warning, QStringLiteral("注意"), text);
}

}  // namespace pictavo
