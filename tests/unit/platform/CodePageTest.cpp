#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace pictavo {
namespace {

TEST(DecodeText, Utf8WithoutItsByteOrderMarkElseCp932) {
    EXPECT_EQ(DecodeText(QStringLiteral("パスワード").toUtf8()), QStringLiteral("パスワード"));
    EXPECT_EQ(DecodeText(QByteArray("\xEF\xBB\xBF[System]")), QStringLiteral("[System]"));
    // "テンキー" in Shift-JIS, followed by the half-width katakana "ｱ".
    EXPECT_EQ(DecodeText("\x83\x65\x83\x93\x83\x4c\x81\x5b\xb1"), QStringLiteral("テンキーｱ"));
    QByteArray cut = QStringLiteral("名前=値").toUtf8();
    cut.chop(1);  // a file cut inside its last character stays UTF-8
    EXPECT_EQ(DecodeText(cut), QStringLiteral("名前="));
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) binary.append(static_cast<char>((i * 7919) & 0xFF));
    EXPECT_FALSE(DecodeText(binary).isEmpty());
}

TEST(DecodeCp932, UndefinedBytesBecomeReplacementCharactersAndDecodingGoesOn) {
    // 0x80 and 0xA0 are not defined in CP932; a lead byte at the very end has no partner.
    EXPECT_EQ(DecodeCp932(QByteArray("a\x80"
                                     "b\xa0"
                                     "c\x83",
                                     6)),
              QStringLiteral("a\uFFFDb\uFFFDc\uFFFD"));
}

class LooksLikeUtf8Test : public testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(LooksLikeUtf8Test, AcceptsOnlyWellFormedUtf8) {
    EXPECT_EQ(LooksLikeUtf8(QByteArray(GetParam().first)), GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Sequences, LooksLikeUtf8Test,
                         testing::Values(std::pair{"plain ascii", true},
                                         std::pair{"\xE3\x81\x82", true},       // あ
                                         std::pair{"\xF0\x9F\x98\x80", true},   // an emoji
                                         std::pair{"\xE3\x81", true},           // cut at the end
                                         std::pair{"\xE3\x81 x", false},        // cut in the middle
                                         std::pair{"\xC0\x80", false},          // overlong
                                         std::pair{"\xED\xA0\x80", false},      // surrogate
                                         std::pair{"\xF4\x90\x80\x80", false},  // above U+10FFFF
                                         std::pair{"\x83\x65", false}));

}  // namespace
}  // namespace pictavo
