#include "config/NumericEdit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "config/SetupConversions.h"
#include "platform/UserDialogs.h"

namespace pictavo {

NumericEdit::NumericEdit(const char* name, int maxDigits, UserDialogs& dialogs, QWidget* parent)
    : QLineEdit(parent), maxDigits_(maxDigits), dialogs_(dialogs) {
    setObjectName(name);
    // Pasted text meets the same rule as typed text.
    setMaxLength(maxDigits);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        switch (JudgeTypedCharacter(typed.at(0), int(text().size()), hasSelectedText(), maxDigits_)) {
            case TypedCharacter::Take:
                break;
            case TypedCharacter::Drop:
                return;
            case TypedCharacter::DropWithBeep:
                dialogs_.Beep();
                return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumericEdit::focusOutEvent(QFocusEvent* event) {
    if (text().isEmpty()) setText(QStringLiteral("0"));
    QLineEdit::focusOutEvent(event);
}

}  // namespace pictavo
