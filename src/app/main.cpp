#include <QApplication>

#include "display/Form_disp.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    pictavo::AppState state;
    pictavo::Form_disp display(state);
    display.Start();
    return app.exec();
}
