#pragma once
// A number field of the settings dialog: digits only, at most `maxDigits` of them (one more
// is refused with the beep, anything else silently), and "0" when it is left empty.
#include <QLineEdit>
#include <cstdint>

namespace pictavo {

class UserDialogs;

class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    // `dialogs` beeps and outlives the field.
    NumericEdit(const char* name, int maxDigits, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The number shown; 0 when empty.
    std::uint64_t Number() const { return text().toULongLong(); }
    void SetNumber(std::uint64_t number) { setText(QString::number(number)); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int maxDigits_;
    UserDialogs& dialogs_;
};

}  // namespace pictavo
