#include <gtest/gtest.h>

#include <set>

#include "config/KeyNames.h"

namespace pictavo {
namespace {

struct RowCase {
    int position;
    KeyCode code;
    const char* name;
    const char* halfName;
};

class KeyRowTest : public testing::TestWithParam<RowCase> {};

TEST_P(KeyRowTest, PositionCodeAndNamesAgree) {
    const RowCase& row = GetParam();
    EXPECT_EQ(KeyCodeFromIndex(row.position), row.code);
    EXPECT_EQ(KeyIndexFromCode(row.code), row.position);
    EXPECT_EQ(KeyName(row.code).toUtf8(), QByteArray(row.name));
    EXPECT_EQ(KeyNameHalfWidth(row.code).toUtf8(), QByteArray(row.halfName));
}

// The ends of each run, and the rows whose spelling is easy to get wrong.
INSTANTIATE_TEST_SUITE_P(
    Rows, KeyRowTest,
    testing::Values(RowCase{0, 65, "A", "A"}, RowCase{35, 48, "0", "0"}, RowCase{37, 222, "^", "^"},
                    RowCase{46, 226, "\\", "\\"}, RowCase{47, 1, "マウス左", "ﾏｳｽ左"},
                    RowCase{49, 4, "マウス中", "ﾏｳｽ中"}, RowCase{59, 32, "Space bar", "Space bar"},
                    RowCase{66, 39, "→", "→"}, RowCase{78, 96, "0（テンキー)", "0（ﾃﾝｷｰ)"},
                    RowCase{87, 105, "9(テンキー)", "9(ﾃﾝｷｰ)"},
                    RowCase{90, 108, "Separator（テンキー）", "Separator（ﾃﾝｷｰ）"},
                    RowCase{93, 111, "/（テンキー）", "/（ﾃﾝｷｰ）"}, RowCase{117, 135, "F24", "F24"},
                    RowCase{126, 229, "Process", "Process"}, RowCase{132, 251, "Zoom", "Zoom"},
                    RowCase{134, 254, "Clear(OEM)", "Clear(OEM)"}));

TEST(KeyNameTable, EveryRowRoundTripsAndNoCodeRepeats) {
    std::set<KeyCode> codes;
    for (int position = 0; position < kKeyNameCount; ++position) {
        EXPECT_EQ(KeyIndexFromCode(KeyCodeFromIndex(position)), position);
        codes.insert(KeyCodeFromIndex(position));
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kKeyNameCount));
    EXPECT_EQ(codes.count(0), 0u);
}

TEST(KeyNameTable, CodesWithoutARowShowAsErrorAndSelectTheFirstRow) {
    for (const KeyCode code :
         {KeyCode{0}, kEscapeKey, KeyCode{220}, KeyCode{252}, KeyCode{255}, KeyCode{65535}}) {
        EXPECT_EQ(KeyName(code), QStringLiteral("エラー")) << code;
        EXPECT_EQ(KeyIndexFromCode(code), 0) << code;
    }
    EXPECT_EQ(KeyCodeFromIndex(-1), 0);
    EXPECT_EQ(KeyCodeFromIndex(kKeyNameCount), 0);
}

TEST(CommandTable, DefaultsSitAtTheDefaultButtonsPositionsAndDiffer) {
    // Positions in the order of the INI section.
    const std::array<int, kCommandCount> positions{66, 67, 64, 65, 8,   3,   17,  23, 56, 51,
                                                   59, 50, 18, 63, 62,  0,   11,  19, 94, 95,
                                                   96, 97, 98, 99, 100, 101, 102, 103};
    std::set<KeyCode> codes;
    for (std::size_t i = 0; i < Commands().size(); ++i) {
        const CommandInfo& info = Commands()[i];
        EXPECT_EQ(KeyIndexFromCode(info.defaultCode), positions[i]) << info.iniKey;
        EXPECT_EQ(Settings{}.*info.field, info.defaultCode) << info.iniKey;
        EXPECT_EQ(&InfoOf(info.command), &info);
        codes.insert(info.defaultCode);
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kCommandCount));
    EXPECT_EQ(QByteArray(Commands()[0].label), QByteArray("次の画像 "));
    EXPECT_STREQ(Commands()[8].comboBox, "ComboBox_changepicshowtypekey");
}

TEST(CommandTable, DispatchOrderTestsExitFirstAndTheImageCommandsLast) {
    const std::vector<const char*> expected{"ExitKey",
                                            "NextKey",
                                            "PrevKey",
                                            "NextJumpKey",
                                            "PrevJumpKey",
                                            "Plus1PageKey",
                                            "Minus1PageKey",
                                            "RandomJumpKey",
                                            "ExchangeLRKey",
                                            "ChangePicShowTypeKey",
                                            "FileInfoKey",
                                            "RepaintKey",
                                            "AutoSlideKey",
                                            "FileListKey",
                                            "EnvInfoKey",
                                            "AnimationKey",
                                            "AddListKey",
                                            "ShowNowTimeKey",
                                            "ImgProc_FormatKey",
                                            "ImgProc_MonoKey",
                                            "ImgProc_NegaKey",
                                            "ImgProc_BrightKey",
                                            "ImgProc_DarkKey",
                                            "ImgProc_BlurKey",
                                            "ImgProc_LRotateKey",
                                            "ImgProc_RRotateKey",
                                            "ImgProc_TBRotateKey",
                                            "ImgProc_LRRotateKey"};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_STREQ(InfoOf(DispatchOrder()[i]).iniKey, expected[i]);
}

TEST(CommandForCode, FirstCommandInDispatchOrderWinsAndEscapeAlwaysLeaves) {
    Settings settings;
    EXPECT_EQ(CommandForCode(settings, 39), Command::Next);
    EXPECT_EQ(CommandForCode(settings, 1), std::nullopt);
    settings.ImgProc_MonoKey = 32;  // shares the repaint key: repaint comes first
    EXPECT_EQ(CommandForCode(settings, 32), Command::Repaint);
    settings.ExitKey = 39;
    EXPECT_EQ(CommandForCode(settings, 39), Command::Exit);
    EXPECT_EQ(CommandForCode(settings, kEscapeKey), Command::Exit);
}

TEST(DefaultKeyCode, IniKeysInAnyCase) {
    EXPECT_EQ(DefaultKeyCode("changepicshowtypekey"), 18);
    EXPECT_EQ(DefaultKeyCode("NoSuchKey"), 0);
    EXPECT_EQ(DefaultKeyCode(Command::ImgProcFormat), 112);
}

}  // namespace
}  // namespace pictavo
