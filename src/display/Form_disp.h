#pragma once
// The slideshow window. The launcher calls Start() once the image list is filled; the window
// emits Hidden() after its hide sequence so that the launcher can come back (or the program
// end after a command-line start).
#include <QWidget>

#include "sources/AppState.h"

namespace pictavo {

class Form_disp : public QWidget {
    Q_OBJECT
public:
    explicit Form_disp(AppState& state, QWidget* parent = nullptr);
    // Runs the show sequence and shows entry 0 (with entry 1 in spread mode).
    void Start();

signals:
    void Hidden();

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppState& state_;
};

}  // namespace pictavo
