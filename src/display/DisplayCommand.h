#pragma once
// What the display adds to the shared command table: the codes of the mouse buttons and the
// image-processing number of each processing command.
#include "config/KeyNames.h"

namespace pictavo {

inline constexpr KeyCode kMouseLeftCode = 1;
inline constexpr KeyCode kMouseRightCode = 2;
inline constexpr KeyCode kMouseMiddleCode = 4;

// No key produces code 0; a command bound to 0 is a command without a key.
inline constexpr KeyCode kNoKeyCode = 0;

// 0..9 for the ten image-processing commands (restore, grey, negative, brighter, darker, blur,
// rotate left, rotate right, flip top-bottom, flip left-right); -1 for every other command.
int ImageProcessIndex(Command command);

}  // namespace pictavo
