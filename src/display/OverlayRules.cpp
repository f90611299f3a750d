#include "display/OverlayRules.h"

namespace pictavo {

KeyCode AutoSlideCode(const Settings& settings) {
    return settings.IsAutoRandom ? settings.RandomJumpKey : settings.NextKey;
}

OverlayRect FileListRect(int windowWidth, int windowHeight) {
    return {windowWidth / 4, windowHeight / 4, windowWidth / 2, windowHeight / 2};
}

OverlayRect CentredRect(int width, int height, int windowWidth, int windowHeight) {
    return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

bool AddCurrentToHandMadeList(AppState& state) {
    if (state.SourceKind == 1) return false;
    const std::int32_t i = state.CurrentIndex;
    if (i < 0 || i >= state.ImageList.size()) return false;
    QStringListModel& list = state.FileSelectList;
    const int row = list.rowCount();
    if (!list.insertRows(row, 1)) return false;
    return list.setData(list.index(row), state.ImageList.at(i));
}

}  // namespace pictavo
