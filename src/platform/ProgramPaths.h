#pragma once
// Where the program keeps its files. The program folder is the executable's folder; when it
// is not writable (an installed copy) the per-user XDG folders stand in.
#include <QString>

namespace pictavo {

// The executable's folder, without a trailing separator. Works before a QCoreApplication
// exists (falls back to /proc/self/exe).
QString ProgramFolder();
// <program folder>/pictavo.ini, or $XDG_CONFIG_HOME/pictavo/pictavo.ini when the program
// folder is not writable.
QString SettingsFilePath();
// <program folder>/tmp, or $XDG_CACHE_HOME/pictavo/tmp when the program folder is not writable.
QString TempFolderPath();

// The choice behind the two functions above, with every input given: `folderWritable` says
// whether the program folder takes new files; `userFolder` is the XDG base folder to use
// otherwise (its "pictavo" subfolder holds the file). No file system access.
QString ChooseProgramFile(const QString& programFolder, bool folderWritable, const QString& userFolder,
                          const QString& fileName);

// True when a new file can be created in `folder` (it exists, is a folder and is writable).
bool IsFolderWritable(const QString& folder);

}  // namespace pictavo
