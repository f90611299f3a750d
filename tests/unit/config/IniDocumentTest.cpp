#include <gtest/gtest.h>

#include <climits>

#include "config/IniDocument.h"

namespace pictavo {
namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;
};

class ParseIniIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIniIntegerTest, DecimalOrHexWithinThirtyTwoBits) {
    EXPECT_EQ(ParseIniInteger(QString::fromUtf8(GetParam().text)), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Numbers, ParseIniIntegerTest,
                         testing::Values(IntegerCase{"0", 0}, IntegerCase{"39", 39}, IntegerCase{"0x27", 39},
                                         IntegerCase{"0X27", 39}, IntegerCase{"$27", 39},
                                         IntegerCase{"$fF", 255}, IntegerCase{"-5", -5}, IntegerCase{"+7", 7},
                                         IntegerCase{"-$10", -16}, IntegerCase{"2147483647", INT_MAX},
                                         IntegerCase{"-2147483648", INT_MIN}, IntegerCase{"0xFFFFFFFF", -1},
                                         IntegerCase{"0x0000000000FF", 255}));

INSTANTIATE_TEST_SUITE_P(NotNumbers, ParseIniIntegerTest,
                         testing::Values(IntegerCase{"", std::nullopt}, IntegerCase{"abc", std::nullopt},
                                         IntegerCase{"12a", std::nullopt}, IntegerCase{"1.5", std::nullopt},
                                         IntegerCase{"0x", std::nullopt}, IntegerCase{"$", std::nullopt},
                                         IntegerCase{"0x1G", std::nullopt}, IntegerCase{"1 2", std::nullopt},
                                         IntegerCase{"２", std::nullopt},
                                         IntegerCase{"2147483648", std::nullopt},
                                         IntegerCase{"-2147483649", std::nullopt},
                                         IntegerCase{"0x100000000", std::nullopt},
                                         IntegerCase{"4294967295", std::nullopt},
                                         IntegerCase{"99999999999999999999999999", std::nullopt}));

TEST(IniDocumentRead, IgnoresBlankAndCommentLinesAndKeysBeforeAnySection) {
    const IniDocument ini = IniDocument::Parse(
        "Left=5\r\n"
        "\r\n"
        "  ; a comment = with an equals sign\r\n"
        "[System]\r\n"
        "   \t\r\n"
        ";Top=9\r\n"
        "Top=3\r\n");
    EXPECT_EQ(ini.Value("System", "Left"), std::nullopt);
    EXPECT_EQ(ini.Value("System", "Top"), "3");
    EXPECT_EQ(ini.Lines("System"), QStringList{"Top=3"});
}

TEST(IniDocumentRead, NamesCompareWithoutCaseAndBlanksAroundThemAreStripped) {
    const IniDocument ini = IniDocument::Parse("[ system ]\n  nextKEY  =  0x27  \n");
    EXPECT_EQ(ini.Value("System", "NextKey"), "0x27");
    EXPECT_EQ(ini.Value("SYSTEM", "nextkey"), "0x27");
}

TEST(IniDocumentRead, ValueIsTheTextAfterTheFirstEqualsSign) {
    const IniDocument ini = IniDocument::Parse("[System]\nInputPassword= a=b=c \nEmpty=\nNoEquals\n");
    EXPECT_EQ(ini.Value("System", "InputPassword"), "a=b=c");
    EXPECT_EQ(ini.Value("System", "Empty"), "");
    EXPECT_EQ(ini.Value("System", "NoEquals"), std::nullopt);
    EXPECT_EQ(ini.Value("Key", "NextKey"), std::nullopt);
}

TEST(IniDocumentRead, FirstSectionAndFirstKeyOfANameWin) {
    const IniDocument ini = IniDocument::Parse("[Key]\nNextKey=1\nnextkey=2\n[Other]\n[KEY]\nPrevKey=3\n");
    EXPECT_EQ(ini.Value("Key", "NextKey"), "1");
    EXPECT_EQ(ini.Value("Key", "PrevKey"), std::nullopt);
}

TEST(TrimBlanks, StripsControlCharactersAndSpacesButNotWideSpaces) {
    EXPECT_EQ(TrimBlanks(" \t\x01 a b \r"), "a b");
    EXPECT_EQ(TrimBlanks("\u3000a"), "\u3000a");
}

}  // namespace
}  // namespace pictavo
