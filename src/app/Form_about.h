#pragma once
// The about box: the program icon, name with version, and release date.
#include <QWidget>

namespace pictavo {

class Form_about : public QWidget {
    Q_OBJECT
public:
    explicit Form_about(QWidget* parent = nullptr);

signals:
    // The box was closed; the launcher, disabled while it is open, enables itself again.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace pictavo
