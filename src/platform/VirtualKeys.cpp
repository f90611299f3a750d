#include "platform/VirtualKeys.h"

#include <array>
#include <utility>

namespace pictavo {
namespace {

using Pair = std::pair<int, std::uint16_t>;

// Keys whose code does not depend on the keypad modifier. Keypad navigation keys (NumLock
// off) arrive as Home, End, ... with the keypad modifier and keep these codes.
constexpr std::array kNamedKeys{
    Pair{Qt::Key_Backspace, 8}, Pair{Qt::Key_Tab, 9},          Pair{Qt::Key_Backtab, 9},
    Pair{Qt::Key_Clear, 12},    Pair{Qt::Key_Return, 13},      Pair{Qt::Key_Enter, 13},
    Pair{Qt::Key_Shift, 16},    Pair{Qt::Key_Control, 17},     Pair{Qt::Key_Alt, 18},
    Pair{Qt::Key_AltGr, 18},    Pair{Qt::Key_Pause, 19},       Pair{Qt::Key_CapsLock, 20},
    Pair{Qt::Key_Henkan, 28},   Pair{Qt::Key_Muhenkan, 29},    Pair{Qt::Key_Escape, 27},
    Pair{Qt::Key_Space, 32},    Pair{Qt::Key_PageUp, 33},      Pair{Qt::Key_PageDown, 34},
    Pair{Qt::Key_End, 35},      Pair{Qt::Key_Home, 36},        Pair{Qt::Key_Left, 37},
    Pair{Qt::Key_Up, 38},       Pair{Qt::Key_Right, 39},       Pair{Qt::Key_Down, 40},
    Pair{Qt::Key_Select, 41},   Pair{Qt::Key_Printer, 42},     Pair{Qt::Key_Execute, 43},
    Pair{Qt::Key_Print, 44},    Pair{Qt::Key_SysReq, 44},      Pair{Qt::Key_Insert, 45},
    Pair{Qt::Key_Delete, 46},   Pair{Qt::Key_Help, 47},        Pair{Qt::Key_Meta, 91},
    Pair{Qt::Key_Super_L, 91},  Pair{Qt::Key_Super_R, 92},     Pair{Qt::Key_Menu, 93},
    Pair{Qt::Key_NumLock, 144}, Pair{Qt::Key_ScrollLock, 145}, Pair{Qt::Key_Play, 250},
    Pair{Qt::Key_Zoom, 251},
};

// The keypad's operator keys, only with the keypad modifier.
constexpr std::array kKeypadOperators{
    Pair{Qt::Key_Asterisk, 106}, Pair{Qt::Key_Plus, 107},   Pair{Qt::Key_Comma, 108},
    Pair{Qt::Key_Minus, 109},    Pair{Qt::Key_Period, 110}, Pair{Qt::Key_Slash, 111},
};

// Characters of the Japanese (JIS) layout to the code of the key that types them, unshifted
// and shifted. The yen key and the "ro" key both type a backslash under X11; it takes the
// code of "ro" (226), the one that has a name in the key list.
constexpr std::array kJisCharacters{
    Pair{'-', 189},         Pair{'=', 189},
    Pair{'^', 222},         Pair{'~', 222},
    Pair{'@', 192},         Pair{'`', 192},
    Pair{'[', 219},         Pair{'{', 219},
    Pair{']', 221},         Pair{'}', 221},
    Pair{';', 187},         Pair{'+', 187},
    Pair{':', 186},         Pair{'*', 186},
    Pair{',', 188},         Pair{'<', 188},
    Pair{'.', 190},         Pair{'>', 190},
    Pair{'/', 191},         Pair{'?', 191},
    Pair{'\\', 226},        Pair{'_', 226},
    Pair{Qt::Key_yen, 220}, Pair{'|', 220},
    Pair{'!', '1'},         Pair{'"', '2'},
    Pair{'#', '3'},         Pair{'$', '4'},
    Pair{'%', '5'},         Pair{'&', '6'},
    Pair{'\'', '7'},        Pair{'(', '8'},
    Pair{')', '9'},         Pair{Qt::Key_Dead_Circumflex, 222},
};

template <std::size_t N>
std::uint16_t Find(const std::array<Pair, N>& table, int key) {
    for (const Pair& pair : table) {
        if (pair.first == key) return pair.second;
    }
    return 0;
}

}  // namespace

std::uint16_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::uint16_t>(qtKey);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<std::uint16_t>(keypad ? 96 + (qtKey - Qt::Key_0) : qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<std::uint16_t>(112 + (qtKey - Qt::Key_F1));
    }
    if (keypad) {
        if (const std::uint16_t code = Find(kKeypadOperators, qtKey)) return code;
    }
    if (const std::uint16_t code = Find(kNamedKeys, qtKey)) return code;
    return Find(kJisCharacters, qtKey);
}

std::uint16_t VirtualKeyFromMouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

}  // namespace pictavo
