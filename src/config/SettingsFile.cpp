#include "config/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <variant>

#include "config/KeyNames.h"
#include "platform/TextFile.h"

namespace pictavo {
namespace {

using S = Settings;
using FieldRef = std::variant<std::int32_t S::*, bool S::*, QString S::*>;

struct Field {
    const char* key;
    FieldRef ref;
};

// Keys are read and written in this order. FirstDirectory_SelFile was once written as
// "FirstDirectory_Selfile"; names compare without case, so both spellings are read.
constexpr std::array kSystemFields{
    Field{"Left", &S::Left},
    Field{"Top", &S::Top},
    Field{"DispWindowWidth", &S::DispWindowWidth},
    Field{"DispWindowHeight", &S::DispWindowHeight},
    Field{"DispWindowLeft", &S::DispWindowLeft},
    Field{"DispWindowTop", &S::DispWindowTop},
    Field{"IsGetSubDirectory", &S::IsGetSubDirectory},
    Field{"IsUseFileSizeFilter", &S::IsUseFileSizeFilter},
    Field{"LoadCondition_FileSizeMax", &S::LoadCondition_FileSizeMax},
    Field{"LoadCondition_FileSizeMin", &S::LoadCondition_FileSizeMin},
    Field{"ImageResizeType", &S::ImageResizeType},
    Field{"JumpNumber", &S::JumpNumber},
    Field{"FileInfoState", &S::FileInfoState},
    Field{"FileInfoColor", &S::FileInfoColor},
    Field{"BackGroundColor", &S::BackGroundColor},
    Field{"FirstDirectory_SelDir", &S::FirstDirectory_SelDir},
    Field{"FirstDirectory_SelFile", &S::FirstDirectory_SelFile},
    Field{"IsAutoSlide", &S::IsAutoSlide},
    Field{"SlideInterval", &S::SlideInterval},
    Field{"IsAutoRandom", &S::IsAutoRandom},
    Field{"IsAutoInputPassword", &S::IsAutoInputPassword},
    Field{"InputPassword", &S::InputPassword},
    Field{"IsEndExe_Arg", &S::IsEndExe_Arg},
    Field{"ES2PS_Is2PageSpread", &S::ES2PS_Is2PageSpread},
    Field{"ES2PS_IsPageLtoR", &S::ES2PS_IsPageLtoR},
    Field{"IsHideTaskBar", &S::IsHideTaskBar},
    Field{"IsPicAnimation", &S::IsPicAnimation},
    Field{"IsFullScreen", &S::IsFullScreen},
    Field{"IsShowKeyResult", &S::IsShowKeyResult},
    Field{"IsShowNowTime", &S::IsShowNowTime},
    Field{"ESIProc_BrightPower", &S::ESIProc_BrightPower},
    Field{"ESIProc_BlurPower", &S::ESIProc_BlurPower},
    Field{"StretchAlgorithm", &S::StretchAlgorithm},
};

constexpr std::array kSusieFields{
    Field{"IsUseSPI", &S::IsUseSPI},
    Field{"SearchSusieDir", &S::SearchSusieDir},
    Field{"SearchWindowsDir", &S::SearchWindowsDir},
    Field{"SearchSystemDir", &S::SearchSystemDir},
    Field{"SearchAppDir", &S::SearchAppDir},
    Field{"SearchSelDir", &S::SearchSelDir},
    Field{"SearchSelDirPath", &S::SearchSelDirPath},
};

constexpr std::array kArcDllFields{
    Field{"IsLoadArcDLL_ZIP", &S::IsLoadArcDLL_ZIP}, Field{"IsLoadArcDLL_LHA", &S::IsLoadArcDLL_LHA},
    Field{"IsLoadArcDLL_7Z", &S::IsLoadArcDLL_7Z},   Field{"IsLoadArcDLL_CAB", &S::IsLoadArcDLL_CAB},
    Field{"IsLoadArcDLL_GCA", &S::IsLoadArcDLL_GCA}, Field{"IsLoadArcDLL_ARJ", &S::IsLoadArcDLL_ARJ},
    Field{"IsLoadArcDLL_RAR", &S::IsLoadArcDLL_RAR}, Field{"IsLoadArcDLL_BGA", &S::IsLoadArcDLL_BGA},
    Field{"IsLoadArcDLL_TAR", &S::IsLoadArcDLL_TAR}, Field{"IsLoadArcDLL_YZ1", &S::IsLoadArcDLL_YZ1},
};

const char* const kSystem = "System";
const char* const kKey = "Key";
const char* const kSusie = "Susie";
const char* const kArcDll = "ArcDLL";
const char* const kExtention = "Extention";

std::int32_t ReadInteger(const IniDocument& ini, const char* section, const char* key,
                         std::int32_t fallback) {
    const std::optional<QString> text = ini.Value(QLatin1String(section), QLatin1String(key));
    if (!text) return fallback;
    return ParseIniInteger(*text).value_or(fallback);
}

// Reads every field of `fields` into `settings`, whose current values are the defaults.
template <std::size_t N>
void ReadFields(const IniDocument& ini, const char* section, const std::array<Field, N>& fields,
                Settings& settings) {
    for (const Field& field : fields) {
        if (const auto* integer = std::get_if<std::int32_t S::*>(&field.ref)) {
            settings.** integer = ReadInteger(ini, section, field.key, settings.**integer);
        } else if (const auto* flag = std::get_if<bool S::*>(&field.ref)) {
            settings.** flag = ReadInteger(ini, section, field.key, settings.**flag ? 1 : 0) != 0;
        } else {
            const auto text = std::get<QString S::*>(field.ref);
            settings.*text =
                ini.Value(QLatin1String(section), QLatin1String(field.key)).value_or(settings.*text);
        }
    }
}

template <std::size_t N>
void WriteFields(IniDocument& ini, const char* section, const std::array<Field, N>& fields,
                 const Settings& settings) {
    for (const Field& field : fields) {
        QString value;
        if (const auto* integer = std::get_if<std::int32_t S::*>(&field.ref)) {
            value = QString::number(settings.**integer);
        } else if (const auto* flag = std::get_if<bool S::*>(&field.ref)) {
            value = settings.**flag ? QStringLiteral("1") : QStringLiteral("0");
        } else {
            value = settings.*std::get<QString S::*>(field.ref);
        }
        ini.Append(QLatin1String(section), QLatin1String(field.key), value);
    }
}

// One item per line, the text after the first "=" or the whole line; the keys are not
// looked at, so hand-made lists need no numbering.
QStringList ReadExtensions(const IniDocument& ini) {
    QStringList items;
    for (const QString& line : ini.Lines(QLatin1String(kExtention))) {
        const qsizetype equals = line.indexOf(u'=');
        items.append(equals < 0 ? line : TrimBlanks(line.mid(equals + 1)));
    }
    return items;
}

IniDocument ReadIniFile(const QString& path) {
    try {
        return IniDocument::Parse(ReadTextFile(path));
    } catch (const std::exception&) {
        // A settings file we cannot read is treated as absent: the program starts with
        // defaults rather than not at all.
        return IniDocument();
    }
}

}  // namespace

Settings SettingsFromIni(const IniDocument& ini, QSize screen, const QString& programFolder) {
    Settings settings;
    settings.DispWindowWidth = screen.width() / 4;
    settings.DispWindowHeight = screen.height() / 4;
    settings.SearchSelDirPath = programFolder.endsWith(u'/') ? programFolder : programFolder + u'/';

    ReadFields(ini, kSystem, kSystemFields, settings);
    for (const CommandInfo& command : Commands()) {
        // A larger number keeps its low 16 bits, as a 16-bit field would store it.
        settings.*command.field =
            static_cast<KeyCode>(ReadInteger(ini, kKey, command.iniKey, settings.*command.field));
    }
    ReadFields(ini, kSusie, kSusieFields, settings);
    ReadFields(ini, kArcDll, kArcDllFields, settings);

    const QStringList extensions = ReadExtensions(ini);
    if (!extensions.isEmpty()) settings.LoadExtensions = extensions;
    return settings;
}

IniDocument SettingsToIni(const Settings& settings) {
    IniDocument ini;
    WriteFields(ini, kSystem, kSystemFields, settings);
    for (const CommandInfo& command : Commands()) {
        ini.Append(QLatin1String(kKey), QLatin1String(command.iniKey),
                   QString::number(settings.*command.field));
    }
    WriteFields(ini, kSusie, kSusieFields, settings);
    WriteFields(ini, kArcDll, kArcDllFields, settings);
    ini.AddSection(QLatin1String(kExtention));
    for (qsizetype i = 0; i < settings.LoadExtensions.size(); ++i) {
        ini.Append(QLatin1String(kExtention), QStringLiteral("Ext[%1]").arg(i),
                   settings.LoadExtensions.at(i));
    }
    return ini;
}

Settings LoadSettings(const QString& path, QSize screen, const QString& programFolder) {
    return SettingsFromIni(ReadIniFile(path), screen, programFolder);
}

void SaveSettings(const Settings& settings, const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) throw ESettingsWrite("cannot create the folder " + folder.toStdString());
    try {
        WriteFileAtomically(path, JoinLinesCrLf(SettingsToIni(settings).ToLines()));
    } catch (const ETextFileWrite& error) {
        throw ESettingsWrite(error.what());
    }
}

}  // namespace pictavo
