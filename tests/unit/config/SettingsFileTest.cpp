#include <gtest/gtest.h>

#include <QSize>
#include <QTemporaryDir>

#include "SettingsFixtures.h"
#include "config/SettingsFile.h"

namespace pictavo {
namespace {

using namespace testing_support;

class SettingsFileTest : public testing::Test {
protected:
    Settings LoadText(const QByteArray& bytes) {
        WriteFileBytes(path_, bytes);
        return Load();
    }
    Settings Load() { return LoadSettings(path_, QSize(kScreenWidth, kScreenHeight), kProgramFolder); }
    QByteArray SaveAndRead(const Settings& settings) {
        SaveSettings(settings, path_);
        return ReadFileBytes(path_);
    }

    QTemporaryDir dir_;
    QString path_ = dir_.filePath("pictavo.ini");
};

TEST_F(SettingsFileTest, FirstRunGivesDefaultsAndWritesAllFiveSections) {
    const Settings settings = Load();
    EXPECT_EQ(settings.DispWindowWidth, 480);
    EXPECT_EQ(settings.DispWindowHeight, 270);
    EXPECT_EQ(settings.SearchSelDirPath, "/opt/pictavo/");
    EXPECT_EQ(settings.LoadExtensions, (QStringList{".bmp", ".jpg", ".jpeg", ".png", ".gif"}));
    EXPECT_EQ(SaveAndRead(settings), ExpectedFile({}));

    const Settings odd = LoadSettings(dir_.filePath("none.ini"), QSize(1366, 767), "/opt/pictavo/");
    EXPECT_EQ(odd.DispWindowWidth, 341);
    EXPECT_EQ(odd.DispWindowHeight, 191);
    EXPECT_EQ(odd.SearchSelDirPath, "/opt/pictavo/");
}

TEST_F(SettingsFileTest, OnlyOneKeyGivenLeavesEveryOtherSettingAtItsDefault) {
    const Settings settings = LoadText("[System]\r\nIsFullScreen=0\r\n");
    EXPECT_FALSE(settings.IsFullScreen);
    EXPECT_EQ(SaveAndRead(settings), ExpectedFile({{"IsFullScreen", "0"}}));
}

// A hand-written file with comments, unknown keys, odd spellings and number forms: the next
// save writes exactly the settings, in order, and nothing else.
TEST_F(SettingsFileTest, HandWrittenFileRoundTripsToTheCanonicalFile) {
    const Settings settings = LoadText(
        "; my settings\r\n"
        "[system]\r\n"
        "left = -20\r\n"
        "ImageResizeType=7\r\n"
        "FileInfoColor=$FF\r\n"
        "BackGroundColor=0x00102030\r\n"
        "IsAutoSlide=2\r\n"
        "SlideInterval=\r\n"
        "JumpNumber=lots\r\n"
        "FirstDirectory_Selfile=C:\\pics\r\n"
        "InputPassword= pass=word \r\n"
        "UnknownKey=1\r\n"
        "[Unknown]\r\n"
        "x=1\r\n"
        "[KEY]\r\n"
        "ChangePicShowTypekey=0x41\r\n"
        "NextKey=$27\r\n"
        "PrevKey=65575\r\n"
        "ExitKey=4294967296\r\n"
        "[susie]\r\n"
        "SearchSelDirPath=/home/u/spi/\r\n"
        "IsUseSPI=-1\r\n"
        "[ArcDLL]\r\n"
        "IsLoadArcDLL_RAR=0\r\n"
        "[Extention]\r\n"
        ".png\r\n"
        "x=.gif\r\n");
    EXPECT_EQ(settings.ChangePicShowTypeKey, 65);
    EXPECT_EQ(settings.PrevKey, 39);
    EXPECT_EQ(SaveAndRead(settings), ExpectedFile({{"Left", "-20"},
                                                   {"ImageResizeType", "7"},
                                                   {"FileInfoColor", "255"},
                                                   {"BackGroundColor", "1056816"},
                                                   {"IsAutoSlide", "1"},
                                                   {"FirstDirectory_SelFile", "C:\\pics"},
                                                   {"InputPassword", "pass=word"},
                                                   {"ChangePicShowTypeKey", "65"},
                                                   {"PrevKey", "39"},
                                                   {"SearchSelDirPath", "/home/u/spi/"},
                                                   {"IsUseSPI", "1"},
                                                   {"IsLoadArcDLL_RAR", "0"}},
                                                  {".png", ".gif"}));
}

struct KeyCodeCase {
    const char* value;
    KeyCode code;
};

class KeyCodeReadTest : public SettingsFileTest, public testing::WithParamInterface<KeyCodeCase> {};

TEST_P(KeyCodeReadTest, KeyCodesKeepTheirLowSixteenBits) {
    const QByteArray line = QByteArray("[Key]\r\nNextKey=") + GetParam().value + "\r\n";
    EXPECT_EQ(LoadText(line).NextKey, GetParam().code) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, KeyCodeReadTest,
                         testing::Values(KeyCodeCase{"39", 39}, KeyCodeCase{"0x27", 39},
                                         KeyCodeCase{"$27", 39}, KeyCodeCase{"65575", 39},
                                         KeyCodeCase{"0x10027", 39}, KeyCodeCase{"-1", 65535},
                                         // not a number, or more than 32 bits: the default
                                         KeyCodeCase{"", 39}, KeyCodeCase{"Right", 39},
                                         KeyCodeCase{"4294967335", 39}, KeyCodeCase{"0x100000027", 39}));

TEST_F(SettingsFileTest, ExtensionSectionTakesEveryLineWhateverItsKey) {
    const Settings settings = LoadText("[Extention]\r\nExt[5]=.png\r\n; .tif\r\n\r\nfoo = .gif \r\n.Jpg\r\n");
    EXPECT_EQ(settings.LoadExtensions, (QStringList{".png", ".gif", ".Jpg"}));
}

TEST_F(SettingsFileTest, EmptyOrMissingExtensionSectionGivesTheFiveDefaults) {
    const QStringList defaults{".bmp", ".jpg", ".jpeg", ".png", ".gif"};
    EXPECT_EQ(LoadText("[Extention]\r\n; nothing\r\n[System]\r\n").LoadExtensions, defaults);
    EXPECT_EQ(LoadText("[System]\r\nLeft=1\r\n").LoadExtensions, defaults);
}

TEST_F(SettingsFileTest, AnEmptyExtensionListIsWrittenAsAnEmptySection) {
    Settings settings;
    settings.LoadExtensions.clear();
    settings.DispWindowWidth = 480;
    settings.DispWindowHeight = 270;
    settings.SearchSelDirPath = "/opt/pictavo/";
    QByteArray expected = ExpectedFile({});
    expected.truncate(expected.indexOf("[Extention]\r\n") + 13);
    EXPECT_EQ(SaveAndRead(settings), expected + "\r\n");
}

}  // namespace
}  // namespace pictavo
