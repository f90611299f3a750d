#include "sources/Form_loading.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace pictavo {

Form_loading::Form_loading(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(state) {
    setObjectName("Form_loading");
    setFixedSize(216, 116);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(0, 0, 216, 116);

    Label_loadnum = new QLabel("0", panel);
    Label_loadnum->setObjectName("Label_loadnum");
    Label_loadnum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label_loadnum->setGeometry(8, 14, 80, 18);

    auto* caption = new QLabel("ファイル読み込み済み", panel);
    caption->setObjectName("Label_loaded");
    caption->setGeometry(94, 14, 116, 18);

    Button_cansel = new QPushButton("中止", panel);
    Button_cansel->setObjectName("Button_cansel");
    Button_cansel->setGeometry(8, 46, 200, 25);
    connect(Button_cansel, &QPushButton::clicked, this, &Form_loading::Button_canselClick);

    Button_forcestart = new QPushButton("読み込みを止め、実行", panel);
    Button_forcestart->setObjectName("Button_forcestart");
    Button_forcestart->setGeometry(8, 80, 200, 25);
    connect(Button_forcestart, &QPushButton::clicked, this, &Form_loading::Button_forcestartClick);
}

void Form_loading::SetCount(std::int32_t count) {
    Label_loadnum->setText(QString::number(count));
}

void Form_loading::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    Label_loadnum->setText("0");
    QWidget::showEvent(event);
}

void Form_loading::Button_canselClick() {
    state_.CancelRequested = true;
}

void Form_loading::Button_forcestartClick() {
    state_.CancelRequested = true;
    state_.ForceStart = true;
}

}  // namespace pictavo
