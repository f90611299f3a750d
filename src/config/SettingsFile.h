#pragma once
// Reading and writing the settings record as an INI file.
#include <QSize>
#include <QString>
#include <stdexcept>

#include "config/Settings.h"

namespace pictavo {

// The settings file could not be written; the previous file is left untouched.
class ESettingsWrite : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fills `settings` from the INI file at `path` (missing or broken file: defaults).
// `screen` gives the quarter-screen defaults of the display size; `programFolder` (no
// trailing separator) gives the default plug-in folder.
Settings LoadSettings(const QString& path, QSize screen, const QString& programFolder);

// Writes every setting into a fresh file at `path`, replacing the old one atomically.
// Throws ESettingsWrite when it cannot.
void SaveSettings(const Settings& settings, const QString& path);

}  // namespace pictavo
