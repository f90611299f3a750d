#pragma once
// The display commands in the order the dispatcher tests them, each with the settings field
// that holds its key code. The first row whose code matches runs; Escape always leaves.
#include <array>
#include <optional>

#include "config/Settings.h"

namespace pictavo {

inline constexpr KeyCode kEscapeCode = 27;
inline constexpr KeyCode kMouseLeftCode = 1;
inline constexpr KeyCode kMouseRightCode = 2;
inline constexpr KeyCode kMouseMiddleCode = 4;

enum class DisplayCommand {
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

struct DispatchRow {
    DisplayCommand command;
    KeyCode Settings::*key;
};

inline constexpr int kDispatchRowCount = 28;

// The 28 rows in dispatch order (not the order of the settings file).
const std::array<DispatchRow, kDispatchRowCount>& DispatchTable();

// The command that `code` runs under `settings`' bindings: Exit for Escape whatever ExitKey
// is, otherwise the earliest row bound to `code`; empty when no row is.
std::optional<DisplayCommand> MatchCommand(const Settings& settings, KeyCode code);

// The code bound to `command` in `settings`.
KeyCode BoundCode(const Settings& settings, DisplayCommand command);

// 0..9 for the ten image-processing commands (restore, grey, negative, brighter, darker, blur,
// rotate left, rotate right, flip top-bottom, flip left-right); -1 for every other command.
int ImageProcessIndex(DisplayCommand command);

}  // namespace pictavo
