#include "sources/Form_fileselect.h"

namespace pictavo {

Form_fileselect::Form_fileselect(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), state_(state) {
    setObjectName("Form_fileselect");
    setWindowTitle("ファイル選択");
    setFixedSize(467, 358);
}

}  // namespace pictavo
