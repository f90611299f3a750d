#include "app/Form_setup.h"

#include <QCloseEvent>

namespace pictavo {

Form_setup::Form_setup(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), state_(state) {
    setObjectName("Form_setup");
    setWindowTitle("設定");
    setFixedSize(551, 551);
}

void Form_setup::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}

}  // namespace pictavo
