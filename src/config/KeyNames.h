#pragma once
// Key codes, the 135-row key-name table and the 28 bindable commands, shared by the settings
// dialog, the command dispatch and the settings panel.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "config/Settings.h"

namespace pictavo {

inline constexpr int kKeyNameCount = 135;
inline constexpr int kCommandCount = 28;
// Escape has no row and cannot be bound: it always leaves the slideshow.
inline constexpr KeyCode kEscapeKey = 27;

// Code of the row at `position` (0-134); 0 for any other position.
KeyCode KeyCodeFromIndex(int position);
// Row of `code`; 0 (the row "A") for a code without a row.
int KeyIndexFromCode(KeyCode code);
// Name of the row of `code`; "エラー" for a code without a row.
QString KeyName(KeyCode code);
// Name as the first key combo box writes it (half-width katakana for mouse and keypad rows).
QString KeyNameHalfWidth(KeyCode code);
// Name of the row at `position` (0-134), the text of a combo box item; empty outside the
// table. `halfWidth` gives the spelling of the first key combo box.
QString KeyNameAt(int position, bool halfWidth = false);

// The commands in the order the dispatcher tests them: the first whose key matches runs.
enum class Command : int {
    Exit,
    Next,
    Prev,
    NextJump,
    PrevJump,
    Plus1Page,
    Minus1Page,
    RandomJump,
    ExchangeLR,
    ChangePicShowType,
    FileInfo,
    Repaint,
    AutoSlide,
    FileList,
    EnvInfo,
    Animation,
    AddList,
    ShowNowTime,
    ImgProcFormat,
    ImgProcMono,
    ImgProcNega,
    ImgProcBright,
    ImgProcDark,
    ImgProcBlur,
    ImgProcLRotate,
    ImgProcRRotate,
    ImgProcTBRotate,
    ImgProcLRRotate,
};

struct CommandInfo {
    const char* iniKey;        // "NextKey"
    const char* label;         // "次の画像 " (UTF-8)
    const char* comboBox;      // "ComboBox_nextkey"
    KeyCode defaultCode;       // 39
    KeyCode Settings::*field;  // &Settings::NextKey
    Command command;           // Command::Next
};

// The 28 commands in the order of the INI section (and of the settings dialog's rows).
const std::array<CommandInfo, kCommandCount>& Commands();
// The 28 commands in dispatch order (Command's own order).
const std::array<Command, kCommandCount>& DispatchOrder();
// The table row of `command`.
const CommandInfo& InfoOf(Command command);
// Default code of the command whose INI key is `iniKey` (any case); 0 when there is none.
KeyCode DefaultKeyCode(const char* iniKey);
KeyCode DefaultKeyCode(Command command);
// The code `settings` binds to `command`.
KeyCode BoundCode(const Settings& settings, Command command);
// The first command in dispatch order bound to `code`; Escape always gives Exit. nullopt
// when no command is bound to it.
std::optional<Command> CommandForCode(const Settings& settings, KeyCode code);

}  // namespace pictavo
