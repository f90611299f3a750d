#include <gtest/gtest.h>

#include <set>

#include "config/KeyNames.h"

namespace pictavo {
namespace {

TEST(KeyNameTable, EveryRowRoundTripsNoCodeRepeatsAndOtherCodesAreErrors) {
    std::set<KeyCode> codes;
    for (int position = 0; position < kKeyNameCount; ++position) {
        EXPECT_EQ(KeyIndexFromCode(KeyCodeFromIndex(position)), position);
        codes.insert(KeyCodeFromIndex(position));
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kKeyNameCount));
    EXPECT_EQ(codes.count(0), 0u);
    // Codes without a row show as an error and select the first row.
    for (const KeyCode code :
         {KeyCode{0}, kEscapeKey, KeyCode{220}, KeyCode{252}, KeyCode{255}, KeyCode{65535}}) {
        EXPECT_EQ(KeyName(code), QStringLiteral("エラー")) << code;
        EXPECT_EQ(KeyIndexFromCode(code), 0) << code;
    }
    EXPECT_EQ(KeyCodeFromIndex(-1), 0);
    EXPECT_EQ(KeyCodeFromIndex(kKeyNameCount), 0);
}

// Every command has its own default, which a fresh settings record holds.
TEST(CommandTable, DefaultsDifferAndAreTheFreshSettings) {
    std::set<KeyCode> codes;
    for (const CommandInfo& info : Commands()) {
        EXPECT_EQ(Settings{}.*info.field, info.defaultCode) << info.iniKey;
        EXPECT_EQ(&InfoOf(info.command), &info);
        codes.insert(info.defaultCode);
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kCommandCount));
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

}  // namespace
}  // namespace pictavo
