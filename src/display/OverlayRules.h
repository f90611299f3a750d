#pragma once
// Small rules of the auto slide, the overlays and the add-to-list command, as numbers and
// strings in and out so that they hold without a window.
#include <QString>
#include <cstdint>

#include "config/Settings.h"
#include "sources/AppState.h"

namespace pictavo {

// The code an auto-slide tick runs: the random-jump binding when IsAutoRandom is set, else the
// next-picture binding.
KeyCode AutoSlideCode(const Settings& settings);

// A rectangle in window coordinates.
struct OverlayRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const OverlayRect&) const = default;
};

// The file list: half the window's width and height, a quarter in from its left and top
// (integer halves and quarters).
OverlayRect FileListRect(int windowWidth, int windowHeight);
// A panel of `width` x `height` centred in the window (it may start left of or above it).
OverlayRect CentredRect(int width, int height, int windowWidth, int windowHeight);

// Appends the entry on screen to the hand-made list (FileSelectList), duplicates included.
// Nothing happens in an archive show (SourceKind 1), whose members are no files of their own,
// nor when CurrentIndex lies outside the list. True when a row was appended.
bool AddCurrentToHandMadeList(AppState& state);

}  // namespace pictavo
