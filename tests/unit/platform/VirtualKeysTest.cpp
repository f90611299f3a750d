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

// Named keys, a key without a code, the keypad with NumLock on and off, and a Japanese
// keyboard, where the unshifted and the shifted character of one key give one code.
INSTANTIATE_TEST_SUITE_P(Keys, VirtualKeyTest,
                         testing::Values(KeyCase{Qt::Key_A, 65}, KeyCase{Qt::Key_F24, 135},
                                         KeyCase{Qt::Key_Backtab, 9}, KeyCase{Qt::Key_Launch0, 0},
                                         KeyCase{Qt::Key_0, 96, true}, KeyCase{Qt::Key_Slash, 111, true},
                                         KeyCase{Qt::Key_Home, 36, true}, KeyCase{'-', 189},
                                         KeyCase{'=', 189}, KeyCase{'\\', 226}, KeyCase{'_', 226},
                                         KeyCase{Qt::Key_yen, 220}, KeyCase{'!', 49}));

TEST(VirtualKeyFromMouseButton, ButtonsAreOneTwoAndFour) {
    const std::pair<Qt::MouseButton, int> buttons[] = {
        {Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}, {Qt::BackButton, 0}};
    for (const auto& [button, code] : buttons) EXPECT_EQ(VirtualKeyFromMouseButton(button), code) << button;
}

}  // namespace
}  // namespace pictavo
