#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"

namespace pictavo {
namespace {

struct KeyCase {
    int qtKey;
    bool keypad;
    std::uint16_t code;
};

class VirtualKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyTest, QtKeyGivesTheStoredCode) {
    const KeyCase& c = GetParam();
    const Qt::KeyboardModifiers modifiers = c.keypad ? Qt::KeypadModifier : Qt::NoModifier;
    EXPECT_EQ(VirtualKeyFromQtKey(c.qtKey, modifiers), c.code) << std::hex << c.qtKey;
}

INSTANTIATE_TEST_SUITE_P(
    LettersDigitsAndFunctionKeys, VirtualKeyTest,
    testing::Values(KeyCase{Qt::Key_A, false, 65}, KeyCase{Qt::Key_Z, false, 90}, KeyCase{Qt::Key_0, false, 48},
                    KeyCase{Qt::Key_9, false, 57}, KeyCase{Qt::Key_F1, false, 112},
                    KeyCase{Qt::Key_F10, false, 121}, KeyCase{Qt::Key_F24, false, 135}));

INSTANTIATE_TEST_SUITE_P(
    NamedKeys, VirtualKeyTest,
    testing::Values(KeyCase{Qt::Key_Backspace, false, 8}, KeyCase{Qt::Key_Tab, false, 9},
                    KeyCase{Qt::Key_Backtab, false, 9}, KeyCase{Qt::Key_Return, false, 13},
                    KeyCase{Qt::Key_Enter, true, 13}, KeyCase{Qt::Key_Shift, false, 16},
                    KeyCase{Qt::Key_Control, false, 17}, KeyCase{Qt::Key_Alt, false, 18},
                    KeyCase{Qt::Key_Pause, false, 19}, KeyCase{Qt::Key_CapsLock, false, 20},
                    KeyCase{Qt::Key_Escape, false, 27}, KeyCase{Qt::Key_Space, false, 32},
                    KeyCase{Qt::Key_PageUp, false, 33}, KeyCase{Qt::Key_PageDown, false, 34},
                    KeyCase{Qt::Key_End, false, 35}, KeyCase{Qt::Key_Home, false, 36},
                    KeyCase{Qt::Key_Left, false, 37}, KeyCase{Qt::Key_Up, false, 38},
                    KeyCase{Qt::Key_Right, false, 39}, KeyCase{Qt::Key_Down, false, 40},
                    KeyCase{Qt::Key_Insert, false, 45}, KeyCase{Qt::Key_Delete, false, 46},
                    KeyCase{Qt::Key_Meta, false, 91}, KeyCase{Qt::Key_Menu, false, 93},
                    KeyCase{Qt::Key_NumLock, false, 144}, KeyCase{Qt::Key_ScrollLock, false, 145},
                    KeyCase{Qt::Key_Home, true, 36}, KeyCase{Qt::Key_Launch0, false, 0}));

INSTANTIATE_TEST_SUITE_P(
    Keypad, VirtualKeyTest,
    testing::Values(KeyCase{Qt::Key_0, true, 96}, KeyCase{Qt::Key_5, true, 101}, KeyCase{Qt::Key_9, true, 105},
                    KeyCase{Qt::Key_Asterisk, true, 106}, KeyCase{Qt::Key_Plus, true, 107},
                    KeyCase{Qt::Key_Minus, true, 109}, KeyCase{Qt::Key_Period, true, 110},
                    KeyCase{Qt::Key_Slash, true, 111}));

// A Japanese keyboard: the unshifted and the shifted character of one key give one code.
INSTANTIATE_TEST_SUITE_P(
    JapaneseLayoutPunctuation, VirtualKeyTest,
    testing::Values(KeyCase{'-', false, 189}, KeyCase{'=', false, 189}, KeyCase{'^', false, 222},
                    KeyCase{'~', false, 222}, KeyCase{'@', false, 192}, KeyCase{'`', false, 192},
                    KeyCase{'[', false, 219}, KeyCase{'{', false, 219}, KeyCase{']', false, 221},
                    KeyCase{'}', false, 221}, KeyCase{';', false, 187}, KeyCase{'+', false, 187},
                    KeyCase{':', false, 186}, KeyCase{'*', false, 186}, KeyCase{',', false, 188},
                    KeyCase{'<', false, 188}, KeyCase{'.', false, 190}, KeyCase{'>', false, 190},
                    KeyCase{'/', false, 191}, KeyCase{'?', false, 191}, KeyCase{'\\', false, 226},
                    KeyCase{'_', false, 226}, KeyCase{Qt::Key_yen, false, 220}, KeyCase{'|', false, 220},
                    KeyCase{'!', false, 49}, KeyCase{'(', false, 56}, KeyCase{')', false, 57}));

TEST(VirtualKeyFromMouseButton, ButtonsAreOneTwoAndFour) {
    EXPECT_EQ(VirtualKeyFromMouseButton(Qt::LeftButton), 1);
    EXPECT_EQ(VirtualKeyFromMouseButton(Qt::RightButton), 2);
    EXPECT_EQ(VirtualKeyFromMouseButton(Qt::MiddleButton), 4);
    EXPECT_EQ(VirtualKeyFromMouseButton(Qt::BackButton), 0);
}

}  // namespace
}  // namespace pictavo
