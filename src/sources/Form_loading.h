#pragma once
// The small progress window of a folder scan: the count of files found so far, "中止" to give
// up and "読み込みを止め、実行" to stop and show what was found. Its buttons only set the two
// flags of the run state; the scan reads them between entries.
#include <QWidget>
#include <cstdint>

#include "sources/AppState.h"

class QLabel;
class QPushButton;

namespace pictavo {

class Form_loading : public QWidget {
    Q_OBJECT
public:
    // `state` is the launcher's run state and outlives the window.
    explicit Form_loading(AppState& state, QWidget* parent = nullptr);

    // Shows `count` in the counter label (called once per finished folder).
    void SetCount(std::int32_t count);

protected:
    // Centres the window on its screen and resets the counter to "0".
    void showEvent(QShowEvent* event) override;

private:
    void Button_canselClick();
    void Button_forcestartClick();

    AppState& state_;
    QLabel* Label_loadnum;
    QPushButton* Button_cansel;
    QPushButton* Button_forcestart;
};

}  // namespace pictavo
