// The settings file as the program reads it: text decoding (UTF-8 or CP932), the INI reader and
// the settings built from it. What the program would save reads back as the same settings.
#include <QSize>

#include "FuzzSupport.h"
#include "config/SettingsFile.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

using namespace pictavo;

namespace {

QByteArray SavedBytes(const Settings& settings) {
    return JoinLinesCrLf(SettingsToIni(settings).ToLines());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QSize screen(1920, 1080);
    const QString folder = QStringLiteral("/program");
    const QByteArray raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Settings read = SettingsFromIni(IniDocument::Parse(DecodeText(raw)), screen, folder);
    const QByteArray saved = SavedBytes(read);
    const Settings again = SettingsFromIni(IniDocument::Parse(DecodeText(saved)), screen, folder);
    fuzz::Require(SavedBytes(again) == saved, "saved settings read back differently");
    const Settings loaded =
        LoadSettings(QString::fromStdString(fuzz::InMemoryFile(data, size)), screen, folder);
    fuzz::Require(SavedBytes(loaded) == saved, "the file and the text give different settings");
    return 0;
}
