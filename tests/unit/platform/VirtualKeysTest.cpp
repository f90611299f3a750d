#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"

namespace pictavo {
namespace {

struct KeyCase {
    int qtKey;
    std::uint16_t code;
    bool keypad = false;
};

class VirtualKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyTest, QtKeyGivesTheStoredCode) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(VirtualKeyFromQtKey(c.qtKey, c.keypad ? Qt::KeypadModifier : Qt::NoModifier), c.code)
        << std::hex << c.qtKey;
}

INSTANTIATE_TEST_SUITE_P(Keys, VirtualKeyTest,
                         testing::Values(KeyCase{Qt::Key_A, 65}, KeyCase{Qt::Key_Z, 90},
                                         KeyCase{Qt::Key_0, 48}, KeyCase{Qt::Key_F1, 112},
                                         KeyCase{Qt::Key_F24, 135}, KeyCase{Qt::Key_Backspace, 8},
                                         KeyCase{Qt::Key_Backtab, 9}, KeyCase{Qt::Key_Enter, 13, true},
                                         KeyCase{Qt::Key_Control, 17}, KeyCase{Qt::Key_Alt, 18},
                                         KeyCase{Qt::Key_Escape, 27}, KeyCase{Qt::Key_Left, 37},
                                         KeyCase{Qt::Key_Down, 40}, KeyCase{Qt::Key_Meta, 91},
                                         KeyCase{Qt::Key_ScrollLock, 145}, KeyCase{Qt::Key_Launch0, 0}));

// NumLock off: keypad keys arrive as navigation keys and keep those codes.
INSTANTIATE_TEST_SUITE_P(Keypad, VirtualKeyTest,
                         testing::Values(KeyCase{Qt::Key_0, 96, true}, KeyCase{Qt::Key_9, 105, true},
                                         KeyCase{Qt::Key_Asterisk, 106, true},
                                         KeyCase{Qt::Key_Plus, 107, true}, KeyCase{Qt::Key_Minus, 109, true},
                                         KeyCase{Qt::Key_Slash, 111, true}, KeyCase{Qt::Key_Home, 36, true}));

// A Japanese keyboard: the unshifted and the shifted character of one key give one code.
INSTANTIATE_TEST_SUITE_P(JapaneseLayout, VirtualKeyTest,
                         testing::Values(KeyCase{'-', 189}, KeyCase{'=', 189}, KeyCase{'~', 222},
                                         KeyCase{'`', 192}, KeyCase{'{', 219}, KeyCase{']', 221},
                                         KeyCase{'+', 187}, KeyCase{'*', 186}, KeyCase{'<', 188},
                                         KeyCase{'.', 190}, KeyCase{'?', 191}, KeyCase{'\\', 226},
                                         KeyCase{'_', 226}, KeyCase{Qt::Key_yen, 220}, KeyCase{'!', 49},
                                         KeyCase{')', 57}));

TEST(VirtualKeyFromMouseButton, ButtonsAreOneTwoAndFour) {
    const std::pair<Qt::MouseButton, int> buttons[] = {
        {Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}, {Qt::BackButton, 0}};
    for (const auto& [button, code] : buttons) EXPECT_EQ(VirtualKeyFromMouseButton(button), code) << button;
}

}  // namespace
}  // namespace pictavo
