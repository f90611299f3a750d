#pragma once
// The short line that tells the user what a key did. The text is worked out after the command
// has run, so toggles report the state they have just switched to.
#include <QString>

#include "config/Settings.h"

namespace pictavo {

// Visibility of what the window shows besides the picture, as seen after the command ran.
struct OverlayState {
    bool autoSlide = false;      // the auto-slide timer is running
    bool fileList = false;       // the file list is open
    bool settingsPanel = false;  // the settings-info panel is open
    bool clock = false;          // the clock is shown
};

// The key-result text for `code` under `settings`' bindings; the first binding that matches
// decides. `currentEntry` is the entry on screen (used by the add-to-list line). Empty text
// for a code bound to nothing that reports (the caller still erases the previous line).
QString KeyResultText(KeyCode code, const Settings& settings, const OverlayState& overlays,
                      const QString& currentEntry);

}  // namespace pictavo
