#include <gtest/gtest.h>

#include <climits>

#include "config/IniDocument.h"

namespace pictavo {
namespace {

using IntegerCase = std::pair<const char*, std::optional<std::int32_t>>;

class ParseIniIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIniIntegerTest, DecimalOrHexWithinThirtyTwoBits) {
    EXPECT_EQ(ParseIniInteger(QString::fromUtf8(GetParam().first)), GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Numbers, ParseIniIntegerTest,
                         testing::Values(IntegerCase{"0", 0}, IntegerCase{"39", 39}, IntegerCase{"0x27", 39},
                                         IntegerCase{"0X27", 39}, IntegerCase{"$27", 39},
                                         IntegerCase{"$fF", 255}, IntegerCase{"-5", -5}, IntegerCase{"+7", 7},
                                         IntegerCase{"-$10", -16}, IntegerCase{"2147483647", INT_MAX},
                                         IntegerCase{"-2147483648", INT_MIN}, IntegerCase{"0xFFFFFFFF", -1},
                                         IntegerCase{"0x0000000000FF", 255}));

TEST(ParseIniInteger, RefusesWhatIsNotADecimalOrHexNumberWithinThirtyTwoBits) {
    for (const char* text : {"", "abc", "12a", "1.5", "0x", "$", "0x1G", "1 2", "２", "2147483648",
                             "-2147483649", "0x100000000", "4294967295", "99999999999999999999999999"})
        EXPECT_EQ(ParseIniInteger(QString::fromUtf8(text)), std::nullopt) << text;
}

TEST(IniDocumentRead, KeepsTheFirstOfEachNameAndIgnoresLinesThatSayNothing) {
    const IniDocument ini = IniDocument::Parse(
        "Left=5\r\n"
        "  ; a comment = with an equals sign\r\n"
        "[ system ]\r\n"
        "   \t\r\n"
        ";Top=9\r\n"
        "  tOP  =  3  \r\n"
        "Top=4\r\n"
        "InputPassword= a=b=c \nEmpty=\nNoEquals\nJumpNumber 4\n=5\n"
        "[Other]\n[SYSTEM]\nPrevKey=3\n");
    EXPECT_EQ(ini.Value("System", "Left"), std::nullopt);
    EXPECT_EQ(ini.Value("SYSTEM", "top"), "3");
    EXPECT_EQ(ini.Value("System", "InputPassword"), "a=b=c");
    EXPECT_EQ(ini.Value("System", "Empty"), "");
    EXPECT_EQ(ini.Value("System", "NoEquals"), std::nullopt);
    EXPECT_EQ(ini.Value("System", "PrevKey"), std::nullopt);
    EXPECT_EQ(ini.Value("Key", "NextKey"), std::nullopt);
    EXPECT_EQ(ini.Lines("System"), (QStringList{"tOP  =  3", "Top=4", "InputPassword= a=b=c",
                                                "Empty=", "NoEquals", "JumpNumber 4", "=5"}));
}

TEST(TrimBlanks, StripsControlCharactersAndSpacesButNotWideSpaces) {
    EXPECT_EQ(TrimBlanks(" \t\x01 a b \r"), "a b");
    EXPECT_EQ(TrimBlanks("\u3000a"), "\u3000a");
}

}  // namespace
}  // namespace pictavo
