#pragma once
// The one place where Qt keys become the 16-bit virtual-key codes that bindings store.
#include <QtCore/qnamespace.h>
#include <cstdint>

namespace pictavo {

// `qtKey` is QKeyEvent::key(), `modifiers` QKeyEvent::modifiers() (KeypadModifier picks the
// keypad codes 96-111). Returns 0 for a key that has no virtual-key code. Punctuation is
// read as a Japanese keyboard types it: a shifted character gives the code of its key.
std::uint16_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Left 1, right 2, middle 4; 0 for every other button.
std::uint16_t VirtualKeyFromMouseButton(Qt::MouseButton button);

}  // namespace pictavo
