#pragma once
// The file selection window ("ファイル選択"), where the user puts a list of pictures together
// by hand. For now it is an empty window; the launcher shows it from its "ファイル指定" menu
// and starts the slideshow when it asks.
#include <QWidget>

#include "sources/AppState.h"

namespace pictavo {

class Form_fileselect : public QWidget {
    Q_OBJECT
public:
    // `state` is the launcher's run state and outlives the window.
    explicit Form_fileselect(AppState& state, QWidget* parent = nullptr);

signals:
    // The list has been copied into ImageList (ImageCount, SourceKind 0 set): the launcher
    // runs StartSlideshow.
    void StartRequested();

private:
    AppState& state_;
};

}  // namespace pictavo
