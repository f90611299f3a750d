#pragma once
// The settings dialog ("設定"). An empty window for now; the launcher opens it from its "設定"
// menu and is disabled until it closes.
#include <QWidget>

#include "sources/AppState.h"

namespace pictavo {

class Form_setup : public QWidget {
    Q_OBJECT
public:
    // `state` is the launcher's run state and outlives the window.
    explicit Form_setup(AppState& state, QWidget* parent = nullptr);

signals:
    // The dialog was closed; the launcher enables itself again.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppState& state_;
};

}  // namespace pictavo
