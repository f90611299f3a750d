#pragma once
// How the program tells the user about a failure: a modal box owned by the current window,
// or the desktop's beep when there is nothing to explain.
#include <QString>

class QWidget;

namespace pictavo {

// The desktop's default beep.
void Beep();

// Modal box with `text`, the caption "エラー" and an OK button; `owner` (may be null) is the
// window the box belongs to and is centred on. Returns when the user has closed it.
void ShowErrorMessage(QWidget* owner, const QString& text);

// As ShowErrorMessage with the caption "注意".
void ShowWarningMessage(QWidget* owner, const QString& text);

}  // namespace pictavo
