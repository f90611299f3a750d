#include "config/KeyNames.h"

namespace pictavo {
namespace {

struct KeyRow {
    KeyCode code;
    const char* name;      // UTF-8
    const char* halfName;  // the first combo box's spelling; null when it is the same
};

// Positions are the item indexes of every key combo box, so the order is fixed.
constexpr std::array<KeyRow, kKeyNameCount> kKeyRows{{
    {65, "A", nullptr},
    {66, "B", nullptr},
    {67, "C", nullptr},
    {68, "D", nullptr},
    {69, "E", nullptr},
    {70, "F", nullptr},
    {71, "G", nullptr},
    {72, "H", nullptr},
    {73, "I", nullptr},
    {74, "J", nullptr},
    {75, "K", nullptr},
    {76, "L", nullptr},
    {77, "M", nullptr},
    {78, "N", nullptr},
    {79, "O", nullptr},
    {80, "P", nullptr},
    {81, "Q", nullptr},
    {82, "R", nullptr},
    {83, "S", nullptr},
    {84, "T", nullptr},
    {85, "U", nullptr},
    {86, "V", nullptr},
    {87, "W", nullptr},
    {88, "X", nullptr},
    {89, "Y", nullptr},
    {90, "Z", nullptr},
    {49, "1", nullptr},
    {50, "2", nullptr},
    {51, "3", nullptr},
    {52, "4", nullptr},
    {53, "5", nullptr},
    {54, "6", nullptr},
    {55, "7", nullptr},
    {56, "8", nullptr},
    {57, "9", nullptr},
    {48, "0", nullptr},
    {189, "-", nullptr},
    {222, "^", nullptr},
    {192, "@", nullptr},
    {219, "[", nullptr},
    {221, "]", nullptr},
    {187, ";", nullptr},
    {186, ":", nullptr},
    {188, ",", nullptr},
    {190, ".", nullptr},
    {191, "/", nullptr},
    {226, "\\", nullptr},
    {1, "マウス左", "ﾏｳｽ左"},
    {2, "マウス右", "ﾏｳｽ右"},
    {4, "マウス中", "ﾏｳｽ中"},
    {8, "Backspace", nullptr},
    {9, "Tab", nullptr},
    {12, "Clear", nullptr},
    {13, "Enter", nullptr},
    {16, "Shift", nullptr},
    {17, "Ctrl", nullptr},
    {18, "Alt", nullptr},
    {19, "Pause", nullptr},
    {20, "Caps Lock", nullptr},
    {32, "Space bar", nullptr},
    {33, "Page Up", nullptr},
    {34, "Page Down", nullptr},
    {35, "End", nullptr},
    {36, "Home", nullptr},
    {37, "←", nullptr},
    {38, "↑", nullptr},
    {39, "→", nullptr},
    {40, "↓", nullptr},
    {41, "Select", nullptr},
    {42, "Print", nullptr},
    {43, "Execute", nullptr},
    {44, "Print Screen", nullptr},
    {45, "Insert", nullptr},
    {46, "Delete", nullptr},
    {47, "Help", nullptr},
    {91, "Left Windows", nullptr},
    {92, "Right Windows", nullptr},
    {93, "Applications", nullptr},
    // The keypad names mix full-width and ASCII brackets; that is how users know them.
    {96, "0（テンキー)", "0（ﾃﾝｷｰ)"},
    {97, "1(テンキー)", "1(ﾃﾝｷｰ)"},
    {98, "2(テンキー)", "2(ﾃﾝｷｰ)"},
    {99, "3(テンキー)", "3(ﾃﾝｷｰ)"},
    {100, "4(テンキー)", "4(ﾃﾝｷｰ)"},
    {101, "5(テンキー)", "5(ﾃﾝｷｰ)"},
    {102, "6(テンキー)", "6(ﾃﾝｷｰ)"},
    {103, "7(テンキー)", "7(ﾃﾝｷｰ)"},
    {104, "8(テンキー)", "8(ﾃﾝｷｰ)"},
    {105, "9(テンキー)", "9(ﾃﾝｷｰ)"},
    {106, "*（テンキー）", "*（ﾃﾝｷｰ）"},
    {107, "+（テンキー）", "+（ﾃﾝｷｰ）"},
    {108, "Separator（テンキー）", "Separator（ﾃﾝｷｰ）"},
    {109, "-（テンキー）", "-（ﾃﾝｷｰ）"},
    {110, ".（テンキー）", ".（ﾃﾝｷｰ）"},
    {111, "/（テンキー）", "/（ﾃﾝｷｰ）"},
    {112, "F1", nullptr},
    {113, "F2", nullptr},
    {114, "F3", nullptr},
    {115, "F4", nullptr},
    {116, "F5", nullptr},
    {117, "F6", nullptr},
    {118, "F7", nullptr},
    {119, "F8", nullptr},
    {120, "F9", nullptr},
    {121, "F10", nullptr},
    {122, "F11", nullptr},
    {123, "F12", nullptr},
    {124, "F13", nullptr},
    {125, "F14", nullptr},
    {126, "F15", nullptr},
    {127, "F16", nullptr},
    {128, "F17", nullptr},
    {129, "F18", nullptr},
    {130, "F19", nullptr},
    {131, "F20", nullptr},
    {132, "F21", nullptr},
    {133, "F22", nullptr},
    {134, "F23", nullptr},
    {135, "F24", nullptr},
    {144, "Num Lock", nullptr},
    {145, "Scroll Lock", nullptr},
    {160, "Left Shift", nullptr},
    {161, "Right Shift", nullptr},
    {162, "Left Ctrl", nullptr},
    {163, "Right Ctrl", nullptr},
    {164, "Left Alt", nullptr},
    {165, "Right Alt", nullptr},
    {229, "Process", nullptr},
    {246, "Attn", nullptr},
    {247, "CrSel", nullptr},
    {248, "ExSel", nullptr},
    {249, "Erase EOF", nullptr},
    {250, "Play", nullptr},
    {251, "Zoom", nullptr},
    {253, "PA1", nullptr},
    {254, "Clear(OEM)", nullptr},
}};

// Row of `code`, or -1 when there is none.
int FindRow(KeyCode code) {
    for (int i = 0; i < kKeyNameCount; ++i) {
        if (kKeyRows[static_cast<std::size_t>(i)].code == code) return i;
    }
    return -1;
}

}  // namespace

KeyCode KeyCodeFromIndex(int position) {
    if (position < 0 || position >= kKeyNameCount) return 0;
    return kKeyRows[static_cast<std::size_t>(position)].code;
}

int KeyIndexFromCode(KeyCode code) {
    const int row = FindRow(code);
    return row < 0 ? 0 : row;
}

QString KeyNameAt(int position, bool halfWidth) {
    if (position < 0 || position >= kKeyNameCount) return QString();
    const KeyRow& row = kKeyRows[static_cast<std::size_t>(position)];
    return QString::fromUtf8(halfWidth && row.halfName != nullptr ? row.halfName : row.name);
}

QString KeyName(KeyCode code) {
    const int row = FindRow(code);
    return row < 0 ? QStringLiteral("エラー") : KeyNameAt(row);
}

QString KeyNameHalfWidth(KeyCode code) {
    const int row = FindRow(code);
    return row < 0 ? QStringLiteral("エラー") : KeyNameAt(row, true);
}

}  // namespace pictavo
