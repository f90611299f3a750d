#pragma once
// The one record of user options. Every field carries the name of its key in the INI file so
// that reading, writing, the settings dialog and the panels all speak of the same thing.
// Colours are 0x00BBGGRR (red in the low byte); key codes are 16-bit virtual-key numbers.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace pictavo {

using KeyCode = std::uint16_t;

struct Settings {
    // [System]
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t DispWindowWidth = 0;   // default: screen width div 4, filled in by LoadSettings
    std::int32_t DispWindowHeight = 0;  // default: screen height div 4
    std::int32_t DispWindowLeft = 0;
    std::int32_t DispWindowTop = 0;
    bool IsGetSubDirectory = true;
    bool IsUseFileSizeFilter = false;
    std::int32_t LoadCondition_FileSizeMax = 0;
    std::int32_t LoadCondition_FileSizeMin = 0;
    std::int32_t ImageResizeType = 0;
    std::int32_t JumpNumber = 10;
    std::int32_t FileInfoState = 0;
    std::int32_t FileInfoColor = 0x00FF00;
    std::int32_t BackGroundColor = 0;
    QString FirstDirectory_SelDir;
    QString FirstDirectory_SelFile;
    bool IsAutoSlide = false;
    std::int32_t SlideInterval = 5000;
    bool IsAutoRandom = false;
    bool IsAutoInputPassword = false;
    QString InputPassword;
    bool IsEndExe_Arg = true;
    bool ES2PS_Is2PageSpread = false;
    bool ES2PS_IsPageLtoR = true;
    bool IsHideTaskBar = false;
    bool IsPicAnimation = false;
    bool IsFullScreen = true;
    bool IsShowKeyResult = false;
    bool IsShowNowTime = true;
    std::int32_t ESIProc_BrightPower = 20;
    std::int32_t ESIProc_BlurPower = 1;
    std::int32_t StretchAlgorithm = 1;

    // [Key]
    KeyCode NextKey = 39;
    KeyCode NextJumpKey = 40;
    KeyCode PrevKey = 37;
    KeyCode PrevJumpKey = 38;
    KeyCode Plus1PageKey = 73;
    KeyCode Minus1PageKey = 68;
    KeyCode RandomJumpKey = 82;
    KeyCode ExchangeLRKey = 88;
    KeyCode ChangePicShowTypeKey = 18;
    KeyCode FileInfoKey = 9;
    KeyCode RepaintKey = 32;
    KeyCode ExitKey = 8;
    KeyCode AutoSlideKey = 83;
    KeyCode FileListKey = 36;
    KeyCode EnvInfoKey = 35;
    KeyCode AnimationKey = 65;
    KeyCode AddListKey = 76;
    KeyCode ShowNowTimeKey = 84;
    KeyCode ImgProc_FormatKey = 112;
    KeyCode ImgProc_MonoKey = 113;
    KeyCode ImgProc_NegaKey = 114;
    KeyCode ImgProc_BrightKey = 115;
    KeyCode ImgProc_DarkKey = 116;
    KeyCode ImgProc_BlurKey = 117;
    KeyCode ImgProc_LRotateKey = 118;
    KeyCode ImgProc_RRotateKey = 119;
    KeyCode ImgProc_TBRotateKey = 120;
    KeyCode ImgProc_LRRotateKey = 121;

    // [Susie]
    bool IsUseSPI = false;
    bool SearchSusieDir = false;
    bool SearchWindowsDir = false;
    bool SearchSystemDir = false;
    bool SearchAppDir = false;
    bool SearchSelDir = false;
    QString SearchSelDirPath;  // default: the program folder with a trailing separator

    // [ArcDLL]
    bool IsLoadArcDLL_ZIP = true;
    bool IsLoadArcDLL_LHA = true;
    bool IsLoadArcDLL_7Z = true;
    bool IsLoadArcDLL_CAB = true;
    bool IsLoadArcDLL_GCA = true;
    bool IsLoadArcDLL_ARJ = true;
    bool IsLoadArcDLL_RAR = true;
    bool IsLoadArcDLL_BGA = true;
    bool IsLoadArcDLL_TAR = true;
    bool IsLoadArcDLL_YZ1 = true;

    // [Extention]: the extensions to collect, ".jpg" form, in list order; these five when
    // the file names none.
    QStringList LoadExtensions{".bmp", ".jpg", ".jpeg", ".png", ".gif"};
};

}  // namespace pictavo
