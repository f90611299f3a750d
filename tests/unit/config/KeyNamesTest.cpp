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
    EXPECT_EQ(KeyNameAt(row.position).toUtf8(), QByteArray(row.name));
    EXPECT_EQ(KeyNameHalfWidth(row.code).toUtf8(), QByteArray(row.halfName));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyRowTest,
    testing::Values(RowCase{0, 65, "A", "A"}, RowCase{25, 90, "Z", "Z"}, RowCase{26, 49, "1", "1"},
                    RowCase{34, 57, "9", "9"}, RowCase{35, 48, "0", "0"}, RowCase{36, 189, "-", "-"},
                    RowCase{37, 222, "^", "^"}, RowCase{42, 186, ":", ":"}, RowCase{46, 226, "\\", "\\"},
                    RowCase{47, 1, "マウス左", "ﾏｳｽ左"}, RowCase{48, 2, "マウス右", "ﾏｳｽ右"},
                    RowCase{49, 4, "マウス中", "ﾏｳｽ中"}, RowCase{50, 8, "Backspace", "Backspace"},
                    RowCase{52, 12, "Clear", "Clear"}, RowCase{58, 20, "Caps Lock", "Caps Lock"},
                    RowCase{59, 32, "Space bar", "Space bar"}, RowCase{64, 37, "←", "←"},
                    RowCase{67, 40, "↓", "↓"}, RowCase{71, 44, "Print Screen", "Print Screen"},
                    RowCase{77, 93, "Applications", "Applications"},
                    RowCase{78, 96, "0（テンキー)", "0（ﾃﾝｷｰ)"}, RowCase{79, 97, "1(テンキー)", "1(ﾃﾝｷｰ)"},
                    RowCase{87, 105, "9(テンキー)", "9(ﾃﾝｷｰ)"}, RowCase{88, 106, "*（テンキー）", "*（ﾃﾝｷｰ）"},
                    RowCase{90, 108, "Separator（テンキー）", "Separator（ﾃﾝｷｰ）"},
                    RowCase{93, 111, "/（テンキー）", "/（ﾃﾝｷｰ）"}, RowCase{94, 112, "F1", "F1"},
                    RowCase{117, 135, "F24", "F24"}, RowCase{118, 144, "Num Lock", "Num Lock"},
                    RowCase{125, 165, "Right Alt", "Right Alt"}, RowCase{126, 229, "Process", "Process"},
                    RowCase{130, 249, "Erase EOF", "Erase EOF"}, RowCase{132, 251, "Zoom", "Zoom"},
                    RowCase{133, 253, "PA1", "PA1"}, RowCase{134, 254, "Clear(OEM)", "Clear(OEM)"}));

TEST(KeyNameTable, EveryRowRoundTripsAndNoCodeRepeats) {
    std::set<KeyCode> codes;
    for (int position = 0; position < kKeyNameCount; ++position) {
        const KeyCode code = KeyCodeFromIndex(position);
        EXPECT_NE(code, 0) << position;
        EXPECT_EQ(KeyIndexFromCode(code), position);
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kKeyNameCount));
}

TEST(KeyNameTable, CodesWithoutARowShowAsErrorAndSelectTheFirstRow) {
    for (const KeyCode code : {KeyCode{0}, kEscapeKey, KeyCode{220}, KeyCode{252}, KeyCode{255}, KeyCode{65535}}) {
        EXPECT_EQ(KeyName(code), QStringLiteral("エラー")) << code;
        EXPECT_EQ(KeyNameHalfWidth(code), QStringLiteral("エラー")) << code;
        EXPECT_EQ(KeyIndexFromCode(code), 0) << code;
    }
}

TEST(KeyNameTable, PositionsOutsideTheTableGiveCodeZero) {
    EXPECT_EQ(KeyCodeFromIndex(-1), 0);
    EXPECT_EQ(KeyCodeFromIndex(kKeyNameCount), 0);
    EXPECT_EQ(KeyNameAt(kKeyNameCount), QString());
}

struct CommandCase {
    const char* iniKey;
    const char* label;
    const char* comboBox;
    KeyCode defaultCode;
    int defaultPosition;
};

class CommandTableTest : public testing::TestWithParam<std::pair<int, CommandCase>> {};

TEST_P(CommandTableTest, RowInIniOrderWithLabelComboBoxAndDefault) {
    const auto& [row, expected] = GetParam();
    const CommandInfo& info = Commands()[static_cast<std::size_t>(row)];
    EXPECT_STREQ(info.iniKey, expected.iniKey);
    EXPECT_EQ(QByteArray(info.label), QByteArray(expected.label));
    EXPECT_STREQ(info.comboBox, expected.comboBox);
    EXPECT_EQ(info.defaultCode, expected.defaultCode);
    EXPECT_EQ(KeyIndexFromCode(info.defaultCode), expected.defaultPosition);
    EXPECT_EQ(Settings{}.*info.field, expected.defaultCode);
    EXPECT_EQ(DefaultKeyCode(expected.iniKey), expected.defaultCode);
    EXPECT_EQ(&InfoOf(info.command), &info);
}

// The default positions are the ones the settings dialog's "defaults" button selects.
INSTANTIATE_TEST_SUITE_P(
    Commands, CommandTableTest,
    testing::Values(
        std::pair{0, CommandCase{"NextKey", "次の画像 ", "ComboBox_nextkey", 39, 66}},
        std::pair{1, CommandCase{"NextJumpKey", "次の画像(ジャンプ)", "ComboBox_nextjumpkey", 40, 67}},
        std::pair{2, CommandCase{"PrevKey", "前の画像", "ComboBox_prevkey", 37, 64}},
        std::pair{3, CommandCase{"PrevJumpKey", "前の画像(ジャンプ)", "ComboBox_prevjumpkey", 38, 65}},
        std::pair{4, CommandCase{"Plus1PageKey", "一枚だけ進める", "ComboBox_plus1pagekey", 73, 8}},
        std::pair{5, CommandCase{"Minus1PageKey", "一枚だけ戻る", "ComboBox_minus1pagekey", 68, 3}},
        std::pair{6, CommandCase{"RandomJumpKey", "ランダムジャンプ", "ComboBox_randomjumpkey", 82, 17}},
        std::pair{7, CommandCase{"ExchangeLRKey", "左右画像入れ替え", "ComboBox_exchangelrkey", 88, 23}},
        std::pair{8, CommandCase{"ChangePicShowTypeKey", "一枚／見開き切り替え", "ComboBox_changepicshowtypekey",
                                 18, 56}},
        std::pair{9, CommandCase{"FileInfoKey", "ファイル情報表示の変更", "ComboBox_fileinfokey", 9, 51}},
        std::pair{10, CommandCase{"RepaintKey", "再描画", "ComboBox_repaintkey", 32, 59}},
        std::pair{11, CommandCase{"ExitKey", "スライドショー終了", "ComboBox_exitkey", 8, 50}},
        std::pair{12, CommandCase{"AutoSlideKey", "自動スライドの開始・停止", "ComboBox_autoslidekey", 83, 18}},
        std::pair{13, CommandCase{"FileListKey", "ファイルリストの表示", "ComboBox_filelistkey", 36, 63}},
        std::pair{14, CommandCase{"EnvInfoKey", "設定情報の表示", "ComboBox_envinfokey", 35, 62}},
        std::pair{15, CommandCase{"AnimationKey", "アニメーションの開始・停止", "ComboBox_animationkey", 65, 0}},
        std::pair{16, CommandCase{"AddListKey", "表示中画像をリストに登録", "ComboBox_addlistkey", 76, 11}},
        std::pair{17, CommandCase{"ShowNowTimeKey", "現在時刻の表示・非表示", "ComboBox_shownowtimekey", 84, 19}},
        std::pair{18, CommandCase{"ImgProc_FormatKey", "画像元に戻す", "ComboBox_imgproc_formatkey", 112, 94}},
        std::pair{19, CommandCase{"ImgProc_MonoKey", "画像モノクロ化", "ComboBox_imgproc_monokey", 113, 95}},
        std::pair{20, CommandCase{"ImgProc_NegaKey", "画像ネガ反転", "ComboBox_imgproc_negakey", 114, 96}},
        std::pair{21, CommandCase{"ImgProc_BrightKey", "画像明るく", "ComboBox_imgproc_brightkey", 115, 97}},
        std::pair{22, CommandCase{"ImgProc_DarkKey", "画像暗く", "ComboBox_imgproc_darkkey", 116, 98}},
        std::pair{23, CommandCase{"ImgProc_BlurKey", "画像ぼかし", "ComboBox_imgproc_blurkey", 117, 99}},
        std::pair{24, CommandCase{"ImgProc_LRotateKey", "画像左回転", "ComboBox_imgproc_lrotatekey", 118, 100}},
        std::pair{25, CommandCase{"ImgProc_RRotateKey", "画像右回転", "ComboBox_imgproc_rrotatekey", 119, 101}},
        std::pair{26, CommandCase{"ImgProc_TBRotateKey", "画像上下反転", "ComboBox_imgproc_tbrotatekey", 120, 102}},
        std::pair{27, CommandCase{"ImgProc_LRRotateKey", "画像左右反転", "ComboBox_imgproc_lrrotatekey", 121, 103}}));

TEST(CommandTable, DefaultsArePairwiseDifferent) {
    std::set<int> positions;
    for (const CommandInfo& info : Commands()) positions.insert(KeyIndexFromCode(info.defaultCode));
    EXPECT_EQ(positions.size(), static_cast<std::size_t>(kCommandCount));
}

TEST(CommandTable, DispatchOrderRunsExitFirstAndTheImageCommandsLast) {
    const std::vector<const char*> expected{
        "ExitKey",           "NextKey",           "PrevKey",           "NextJumpKey",
        "PrevJumpKey",       "Plus1PageKey",      "Minus1PageKey",     "RandomJumpKey",
        "ExchangeLRKey",     "ChangePicShowTypeKey", "FileInfoKey",    "RepaintKey",
        "AutoSlideKey",      "FileListKey",       "EnvInfoKey",        "AnimationKey",
        "AddListKey",        "ShowNowTimeKey",    "ImgProc_FormatKey", "ImgProc_MonoKey",
        "ImgProc_NegaKey",   "ImgProc_BrightKey", "ImgProc_DarkKey",   "ImgProc_BlurKey",
        "ImgProc_LRotateKey", "ImgProc_RRotateKey", "ImgProc_TBRotateKey", "ImgProc_LRRotateKey"};
    ASSERT_EQ(DispatchOrder().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_STREQ(InfoOf(DispatchOrder()[i]).iniKey, expected[i]);
}

TEST(CommandForCode, FirstCommandInDispatchOrderWins) {
    Settings settings;
    EXPECT_EQ(CommandForCode(settings, 39), Command::Next);
    EXPECT_EQ(CommandForCode(settings, 121), Command::ImgProcLRRotate);
    EXPECT_EQ(CommandForCode(settings, 1), std::nullopt);
    settings.ImgProc_MonoKey = 32;  // shares the repaint key: repaint comes first
    EXPECT_EQ(CommandForCode(settings, 32), Command::Repaint);
    settings.ExitKey = 39;
    EXPECT_EQ(CommandForCode(settings, 39), Command::Exit);
}

TEST(CommandForCode, EscapeAlwaysLeaves) {
    Settings settings;
    settings.ExitKey = 2;
    EXPECT_EQ(CommandForCode(settings, kEscapeKey), Command::Exit);
    EXPECT_EQ(BoundCode(settings, Command::Exit), 2);
}

TEST(DefaultKeyCode, IniKeysInAnyCase) {
    EXPECT_EQ(DefaultKeyCode("changepicshowtypekey"), 18);
    EXPECT_EQ(DefaultKeyCode("NoSuchKey"), 0);
    EXPECT_EQ(DefaultKeyCode(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(DefaultKeyCode(Command::ImgProcFormat), 112);
}

}  // namespace
}  // namespace pictavo
