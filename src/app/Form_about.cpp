#include "app/Form_about.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ProgramIcon.h"

namespace pictavo {

Form_about::Form_about(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("Form_about");
    setWindowTitle("「Pictavo」について");

    auto* Image_appicon = new QLabel(this);
    Image_appicon->setObjectName("Image_appicon");
    Image_appicon->setPixmap(ProgramIconPixmap(48));
    Image_appicon->setFixedSize(48, 48);

    auto* Label_appname = new QLabel("Pictavo ver.0.433", this);
    Label_appname->setObjectName("Label_appname");
    auto* Label_releasedate = new QLabel("2009/11/24", this);
    Label_releasedate->setObjectName("Label_releasedate");

    auto* Button_ok = new QPushButton("OK", this);
    Button_ok->setObjectName("Button_ok");
    Button_ok->setDefault(true);
    connect(Button_ok, &QPushButton::clicked, this, &QWidget::close);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Label_appname);
    texts->addWidget(Label_releasedate);
    auto* top = new QHBoxLayout;
    top->addWidget(Image_appicon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Button_ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->activate();  // the launcher centres the box by its size before showing it
}

void Form_about::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}

}  // namespace pictavo
