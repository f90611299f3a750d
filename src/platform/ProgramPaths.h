#pragma once
// Where the program keeps its files. The program folder is the executable's folder; when it
// is not writable, or the executable sits in an installed tree (<prefix>/bin beside
// <prefix>/lib/pictavo), the per-user XDG folders stand in for settings and temporary files,
// and <prefix>/lib/pictavo stands in for modules, plug-ins and readme.txt.
#include <QString>

namespace pictavo {

// The executable's folder, without a trailing separator. Works before a QCoreApplication
// exists (falls back to /proc/self/exe).
QString ProgramFolder();
// The folder that holds the archiver modules, the shipped plug-ins and readme.txt: see
// ModuleFolderFor, for the running executable and the prefix it was built for.
QString ModuleFolder();
// The plug-ins' "system folder", for plug-ins the administrator adds: <prefix>/lib/pictavo/plugins
// of the installed tree the executable sits in, else of the prefix it was built for (whether
// or not that exists). The shipped plug-ins lie in ModuleFolder(), the program's own folder.
QString SystemPluginFolder();
// <program folder>/pictavo.ini, or $XDG_CONFIG_HOME/pictavo/pictavo.ini when the program
// folder is not writable or the program is installed.
QString SettingsFilePath();
// <program folder>/tmp, or $XDG_CACHE_HOME/pictavo/tmp when the program folder is not
// writable or the program is installed.
QString TempFolderPath();

// The module folder for an executable in `programFolder`: <programFolder>/../lib/pictavo when
// that exists (an installed tree, also under DESTDIR or moved as a whole); else the program
// folder itself when it holds a module (a regular file ending in .so or .spi: a build, or a
// self-contained copy); else <builtPrefix>/lib/pictavo when that exists; else the program
// folder. No trailing separator.
QString ModuleFolderFor(const QString& programFolder, const QString& builtPrefix);

// The choice behind the settings and temporary paths, with every input given:
// `besideProgram` says whether the file belongs in the program folder (writable, not installed);
// `userFolder` is the XDG base folder to use otherwise (its "pictavo" subfolder holds the file).
// No file system access.
QString ChooseProgramFile(const QString& programFolder, bool besideProgram, const QString& userFolder,
                          const QString& fileName);

// True when a new file can be created in `folder` (it exists, is a folder and is writable).
bool IsFolderWritable(const QString& folder);

}  // namespace pictavo
