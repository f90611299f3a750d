#include <gtest/gtest.h>

#include "SettingsFixtures.h"

namespace pictavo {
namespace {

using namespace testing_support;

TEST_F(SettingsFileTest, FirstRunGivesDefaultsAndWritesAllFiveSections) {
    EXPECT_EQ(SaveAndRead(Load()), ExpectedFile());

    const Settings odd = LoadSettings(dir_.filePath("none.ini"), QSize(1366, 767), "/opt/pictavo/");
    EXPECT_EQ(odd.DispWindowWidth, 341);
    EXPECT_EQ(odd.DispWindowHeight, 191);
    EXPECT_EQ(odd.SearchSelDirPath, "/opt/pictavo/");
}

// A hand-written file with comments, unknown keys, odd spellings and number forms, numbers
// that do not fit and lines that say nothing: the next save writes exactly the settings, in
// order, and nothing else; every setting not given keeps its default. Key codes keep their
// low sixteen bits; a key that is not a number or needs more than 32 bits keeps its default.
TEST_F(SettingsFileTest, HandWrittenFileRoundTripsToTheCanonicalFile) {
    const Settings settings = LoadText(
        "; my settings\r\nIsFullScreen=0\r\n[system]\r\nleft = -20\r\nImageResizeType=7\r\n"
        "FileInfoColor=$FF\r\nBackGroundColor=0x00102030\r\nIsAutoSlide=2\r\nSlideInterval=\r\n"
        "JumpNumber=lots\r\nJumpNumber "
        "4\r\n=5\r\nIsShowNowTime=4294967296\r\nESIProc_BrightPower=-2147483649\r\n"
        "FirstDirectory_Selfile=C:\\pics\r\nInputPassword= pass=word \r\nUnknownKey=1\r\n"
        "[Unknown]\r\nx=1\r\n[KEY]\r\nChangePicShowTypekey=0x41\r\nPrevKey=65575\r\nNextKey=-1\r\n"
        "NextJumpKey=Right\r\nPlus1PageKey=4294967335\r\n"
        "[susie]\r\nSearchSelDirPath=/home/u/spi/\r\nIsUseSPI=-1\r\n[ArcDLL]\r\nIsLoadArcDLL_RAR=0\r\n");
    EXPECT_EQ(SaveAndRead(settings),
              ExpectedFile("Left=-20 ImageResizeType=7 FileInfoColor=255 BackGroundColor=1056816 "
                           "IsAutoSlide=1 FirstDirectory_SelFile=C:\\pics InputPassword=pass=word "
                           "ChangePicShowTypeKey=65 PrevKey=39 NextKey=65535 SearchSelDirPath=/home/u/spi/ "
                           "IsUseSPI=1 IsLoadArcDLL_RAR=0"));
}

TEST_F(SettingsFileTest, ExtensionSectionTakesEveryLineAndOnlyAnEmptyOneGivesTheDefaults) {
    EXPECT_EQ(LoadText("[Extention]\r\nExt[5]=.png\r\n; .tif\r\n\r\nfoo = .gif \r\n.Jpg\r\n").LoadExtensions,
              (QStringList{".png", ".gif", ".Jpg"}));
    const QStringList defaults{".bmp", ".jpg", ".jpeg", ".png", ".gif"};
    EXPECT_EQ(LoadText("[Extention]\r\n; nothing\r\n[System]\r\n").LoadExtensions, defaults);
    EXPECT_EQ(LoadText("[System]\r\nLeft=1\r\n").LoadExtensions, defaults);
    Settings none = LoadText("");
    none.LoadExtensions.clear();  // written as an empty section, the last one
    const QByteArray full = ExpectedFile();
    EXPECT_EQ(SaveAndRead(none), full.left(full.indexOf("[Extention]")) + "[Extention]\r\n\r\n");
}

}  // namespace
}  // namespace pictavo
