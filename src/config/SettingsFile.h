#pragma once
// Reading and writing the settings record as an INI file.
#include <QSize>
#include <QString>
#include <stdexcept>

#include "config/IniDocument.h"
#include "config/Settings.h"

namespace pictavo {

// The settings file could not be written; the previous file is left untouched.
class ESettingsWrite : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the settings from the INI file at `path`. A missing, unreadable or broken file, a
// missing key or a value that is not a number gives that setting's default; never throws.
// `screen` (pixels) gives the quarter-screen defaults of the display size; `programFolder`
// (with or without a trailing "/") gives the default plug-in folder.
Settings LoadSettings(const QString& path, QSize screen, const QString& programFolder);

// Writes every setting into a fresh file at `path`, replacing the old one atomically (keys
// and comments of the old file are gone afterwards). Creates the file's folder when missing.
// Throws ESettingsWrite when it cannot; the old file is then untouched.
void SaveSettings(const Settings& settings, const QString& path);

// The two halves of the above without the file: settings from a parsed document with the
// same defaults, and the document SaveSettings writes.
Settings SettingsFromIni(const IniDocument& ini, QSize screen, const QString& programFolder);
IniDocument SettingsToIni(const Settings& settings);

}  // namespace pictavo
