#include "display/Form_disp.h"

#include <QKeyEvent>

namespace pictavo {

// A placeholder until the full display window lands: shows and leaves on Escape.
Form_disp::Form_disp(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setWindowFlag(Qt::FramelessWindowHint);
}

void Form_disp::Start() {
    show();
}

void Form_disp::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    state_.CurrentIndex = 0;
    emit Hidden();
}

void Form_disp::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Backspace)
        hide();
}

}  // namespace pictavo
