#pragma once
// Key codes, the 135-row key-name table and the 28 bindable commands in dispatch order.
#include <QString>
#include <array>
#include <cstdint>

#include "config/Settings.h"

namespace pictavo {

inline constexpr int kKeyNameCount = 135;
inline constexpr int kCommandCount = 28;

// Code of the row at `position` (0-134); 0 for any other position.
KeyCode KeyCodeFromIndex(int position);
// Row of `code`; 0 (the row "A") for a code without a row.
int KeyIndexFromCode(KeyCode code);
// Name of the row of `code`; "エラー" for a code without a row.
QString KeyName(KeyCode code);
// Name as the first key combo box writes it (half-width katakana for mouse and keypad rows).
QString KeyNameHalfWidth(KeyCode code);

struct CommandInfo {
    const char* iniKey;          // "NextKey"
    const char* label;           // "次の画像 " (UTF-8)
    const char* comboBox;        // "ComboBox_nextkey"
    KeyCode defaultCode;         // 39
    KeyCode Settings::*field;    // &Settings::NextKey
};

// The 28 commands in the order of the INI section.
const std::array<CommandInfo, kCommandCount>& Commands();
// Default code of the command whose INI key is `iniKey`; 0 when there is none.
KeyCode DefaultKeyCode(const char* iniKey);

}  // namespace pictavo
