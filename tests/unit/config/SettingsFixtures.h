#pragma once
// Settings files as tests write them and as the program must write them.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "../platform/FileBytes.h"
#include "config/SettingsFile.h"

namespace pictavo::testing_support {

inline constexpr int kScreenWidth = 1920;
inline constexpr int kScreenHeight = 1080;
inline const char* const kProgramFolder = "/opt/pictavo";

// The file written for default settings on a 1920 x 1080 screen: each section with its lines
// (separated by spaces here), then an empty line.
inline const std::pair<const char*, const char*> kDefaultSections[] = {
    {"System",
     "Left=0 Top=0 DispWindowWidth=480 DispWindowHeight=270 DispWindowLeft=0 DispWindowTop=0 "
     "IsGetSubDirectory=1 IsUseFileSizeFilter=0 LoadCondition_FileSizeMax=0 LoadCondition_FileSizeMin=0 "
     "ImageResizeType=0 JumpNumber=10 FileInfoState=0 FileInfoColor=65280 BackGroundColor=0 "
     "FirstDirectory_SelDir= FirstDirectory_SelFile= IsAutoSlide=0 SlideInterval=5000 IsAutoRandom=0 "
     "IsAutoInputPassword=0 InputPassword= IsEndExe_Arg=1 ES2PS_Is2PageSpread=0 ES2PS_IsPageLtoR=1 "
     "IsHideTaskBar=0 IsPicAnimation=0 IsFullScreen=1 IsShowKeyResult=0 IsShowNowTime=1 "
     "ESIProc_BrightPower=20 ESIProc_BlurPower=1 StretchAlgorithm=1"},
    {"Key",
     "NextKey=39 NextJumpKey=40 PrevKey=37 PrevJumpKey=38 Plus1PageKey=73 Minus1PageKey=68 RandomJumpKey=82 "
     "ExchangeLRKey=88 ChangePicShowTypeKey=18 FileInfoKey=9 RepaintKey=32 ExitKey=8 AutoSlideKey=83 "
     "FileListKey=36 EnvInfoKey=35 AnimationKey=65 AddListKey=76 ShowNowTimeKey=84 ImgProc_FormatKey=112 "
     "ImgProc_MonoKey=113 ImgProc_NegaKey=114 ImgProc_BrightKey=115 ImgProc_DarkKey=116 ImgProc_BlurKey=117 "
     "ImgProc_LRotateKey=118 ImgProc_RRotateKey=119 ImgProc_TBRotateKey=120 ImgProc_LRRotateKey=121"},
    {"Susie",
     "IsUseSPI=0 SearchSusieDir=0 SearchWindowsDir=0 SearchSystemDir=0 SearchAppDir=0 SearchSelDir=0 "
     "SearchSelDirPath=/opt/pictavo/"},
    {"ArcDLL",
     "IsLoadArcDLL_ZIP=1 IsLoadArcDLL_LHA=1 IsLoadArcDLL_7Z=1 IsLoadArcDLL_CAB=1 IsLoadArcDLL_GCA=1 "
     "IsLoadArcDLL_ARJ=1 IsLoadArcDLL_RAR=1 IsLoadArcDLL_BGA=1 IsLoadArcDLL_TAR=1 IsLoadArcDLL_YZ1=1"},
    {"Extention", "Ext[0]=.bmp Ext[1]=.jpg Ext[2]=.jpeg Ext[3]=.png Ext[4]=.gif"}};

// The default file with some lines replaced by those of `changed` ("Key=Value" separated by
// spaces); UTF-8 bytes with CR LF.
inline QByteArray ExpectedFile(const QString& changed = {}) {
    const QStringList changes = changed.split(' ', Qt::SkipEmptyParts);
    QStringList lines;
    for (const auto& [section, text] : kDefaultSections) {
        lines.append(QString("[%1]").arg(section));
        for (QString line : QString(text).split(' ')) {
            for (const QString& change : changes)
                if (change.section('=', 0, 0) == line.section('=', 0, 0)) line = change;
            lines.append(line);
        }
        lines.append(QString());
    }
    return (lines.join("\r\n") + "\r\n").toUtf8();
}

// A settings file in a fresh folder, loaded as on a 1920 x 1080 screen.
class SettingsFileTest : public testing::Test {
protected:
    Settings Load() { return LoadSettings(path_, QSize(kScreenWidth, kScreenHeight), kProgramFolder); }
    Settings LoadText(const QByteArray& bytes) {
        WriteFileBytes(path_, bytes);
        return Load();
    }
    QByteArray SaveAndRead(const Settings& settings) {
        SaveSettings(settings, path_);
        return ReadFileBytes(path_);
    }

    QTemporaryDir dir_;
    QString path_ = dir_.filePath("pictavo.ini");
};

}  // namespace pictavo::testing_support
