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
    EXPECT_EQ(DecodeText("\xF0\x9F\x98\x80"), QStringLiteral("\U0001F600"));
    // Cut in the middle, overlong, a surrogate, above U+10FFFF: not UTF-8, so CP932.
    for (const char* bad : {"\xE3\x81 x", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
        EXPECT_EQ(DecodeText(bad), DecodeCp932(bad)) << bad;
}

TEST(DecodeCp932, UndefinedBytesBecomeReplacementCharactersAndDecodingGoesOn) {
    // 0x80 and 0xA0 are not defined in CP932; a lead byte at the very end has no partner.
    EXPECT_EQ(DecodeCp932(QByteArray("a\x80"
                                     "b\xa0"
                                     "c\x83",
                                     6)),
              QStringLiteral("a\uFFFDb\uFFFDc\uFFFD"));
}

}  // namespace
}  // namespace pictavo
