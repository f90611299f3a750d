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
    EXPECT_EQ(VirtualKeyFromQtKey(c.qtKey, c.keypad ? Qt::KeypadModifier : Qt::NoModifier), c.code)
        << std::hex << c.qtKey;
}

INSTANTIATE_TEST_SUITE_P(Keys, VirtualKeyTest,
                         testing::Values(KeyCase{Qt::Key_A, false, 65}, KeyCase{Qt::Key_Z, false, 90},
                                         KeyCase{Qt::Key_0, false, 48}, KeyCase{Qt::Key_F1, false, 112},
                                         KeyCase{Qt::Key_F24, false, 135},
                                         KeyCase{Qt::Key_Backspace, false, 8},
                                         KeyCase{Qt::Key_Backtab, false, 9}, KeyCase{Qt::Key_Enter, true, 13},
                                         KeyCase{Qt::Key_Control, false, 17}, KeyCase{Qt::Key_Alt, false, 18},
                                         KeyCase{Qt::Key_Escape, false, 27}, KeyCase{Qt::Key_Left, false, 37},
                                         KeyCase{Qt::Key_Down, false, 40}, KeyCase{Qt::Key_Meta, false, 91},
                                         KeyCase{Qt::Key_ScrollLock, false, 145},
                                         KeyCase{Qt::Key_Launch0, false, 0}));

// NumLock off: keypad keys arrive as navigation keys and keep those codes.
INSTANTIATE_TEST_SUITE_P(Keypad, VirtualKeyTest,
                         testing::Values(KeyCase{Qt::Key_0, true, 96}, KeyCase{Qt::Key_9, true, 105},
                                         KeyCase{Qt::Key_Asterisk, true, 106},
                                         KeyCase{Qt::Key_Plus, true, 107}, KeyCase{Qt::Key_Minus, true, 109},
                                         KeyCase{Qt::Key_Slash, true, 111}, KeyCase{Qt::Key_Home, true, 36}));

// A Japanese keyboard: the unshifted and the shifted character of one key give one code.
INSTANTIATE_TEST_SUITE_P(JapaneseLayout, VirtualKeyTest,
                         testing::Values(KeyCase{'-', false, 189}, KeyCase{'=', false, 189},
                                         KeyCase{'~', false, 222}, KeyCase{'`', false, 192},
                                         KeyCase{'{', false, 219}, KeyCase{']', false, 221},
                                         KeyCase{'+', false, 187}, KeyCase{'*', false, 186},
                                         KeyCase{'<', false, 188}, KeyCase{'.', false, 190},
                                         KeyCase{'?', false, 191}, KeyCase{'\\', false, 226},
                                         KeyCase{'_', false, 226}, KeyCase{Qt::Key_yen, false, 220},
                                         KeyCase{'!', false, 49}, KeyCase{')', false, 57}));

TEST(VirtualKeyFromMouseButton, ButtonsAreOneTwoAndFour) {
    EXPECT_EQ(VirtualKeyFromMouseButton(Qt::LeftButton), 1);
    EXPECT_EQ(VirtualKeyFromMouseButton(Qt::RightButton), 2);
    EXPECT_EQ(VirtualKeyFromMouseButton(Qt::MiddleButton), 4);
    EXPECT_EQ(VirtualKeyFromMouseButton(Qt::BackButton), 0);
}

}  // namespace
}  // namespace pictavo
