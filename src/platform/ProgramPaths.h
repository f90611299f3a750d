#pragma once
// Where the program keeps its files. The program folder is the executable's folder; when it
// is not writable (an installed copy) the per-user XDG folders stand in.
#include <QString>

namespace pictavo {

// The executable's folder, without a trailing separator.
QString ProgramFolder();
// <program folder>/pictavo.ini, or $XDG_CONFIG_HOME/pictavo/pictavo.ini when the program
// folder is not writable.
QString SettingsFilePath();
// <program folder>/tmp, or $XDG_CACHE_HOME/pictavo/tmp when the program folder is not writable.
QString TempFolderPath();

}  // namespace pictavo
