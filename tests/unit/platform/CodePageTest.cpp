#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace pictavo {
namespace {

// "テンキー" in Shift-JIS, followed by the half-width katakana "ｱ".
const QByteArray kCp932Katakana("\x83\x65\x83\x93\x83\x4c\x81\x5b\xb1");

TEST(DecodeText, ValidUtf8IsReadAsUtf8WithoutItsByteOrderMark) {
    EXPECT_EQ(DecodeText(QStringLiteral("パスワード").toUtf8()), QStringLiteral("パスワード"));
    EXPECT_EQ(DecodeText(QByteArray("\xEF\xBB\xBF[System]")), QStringLiteral("[System]"));
}

TEST(DecodeText, OtherBytesAreReadAsCp932) {
    EXPECT_EQ(DecodeText(kCp932Katakana), QStringLiteral("テンキーｱ"));
}

TEST(DecodeText, FileCutInsideItsLastCharacterStaysUtf8) {
    QByteArray bytes = QStringLiteral("名前=値").toUtf8();
    bytes.chop(1);  // half of "値" is gone
    EXPECT_EQ(DecodeText(bytes), QStringLiteral("名前="));
}

TEST(DecodeCp932, UndefinedBytesBecomeReplacementCharactersAndDecodingGoesOn) {
    // 0x80 and 0xA0 are not defined in CP932; a lead byte at the very end has no partner.
    const QString text =
        DecodeCp932(QByteArray("a\x80"
                               "b\xa0"
                               "c\x83",
                               6));
    EXPECT_EQ(text, QStringLiteral("a\uFFFDb\uFFFDc\uFFFD"));
}

TEST(DecodeText, BinaryBytesNeverFail) {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) bytes.append(static_cast<char>((i * 7919) & 0xFF));
    const QString text = DecodeText(bytes);
    EXPECT_FALSE(text.isEmpty());
}

struct Utf8Case {
    const char* bytes;
    bool valid;
};

class LooksLikeUtf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(LooksLikeUtf8Test, AcceptsOnlyWellFormedUtf8) {
    EXPECT_EQ(LooksLikeUtf8(QByteArray(GetParam().bytes)), GetParam().valid) << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(Sequences, LooksLikeUtf8Test,
                         testing::Values(Utf8Case{"plain ascii", true}, Utf8Case{"\xE3\x81\x82", true},  // あ
                                         Utf8Case{"\xF0\x9F\x98\x80", true},   // an emoji
                                         Utf8Case{"\xE3\x81", true},           // cut at the end
                                         Utf8Case{"\xE3\x81 x", false},        // cut in the middle
                                         Utf8Case{"\xC0\x80", false},          // overlong
                                         Utf8Case{"\xED\xA0\x80", false},      // surrogate
                                         Utf8Case{"\xF4\x90\x80\x80", false},  // above U+10FFFF
                                         Utf8Case{"\x83\x65", false}));

}  // namespace
}  // namespace pictavo
