#include "platform/ProgramPaths.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The build passes the install prefix and where modules go below it; a build without them
// (a test compiling this file alone) behaves as a plain /usr/local install.
#ifndef PICTAVO_INSTALL_PREFIX
#define PICTAVO_INSTALL_PREFIX "/usr/local"
#endif
#ifndef PICTAVO_MODULE_DIR
#define PICTAVO_MODULE_DIR "lib/pictavo"
#endif
#ifndef PICTAVO_MODULE_DIR_FROM_BIN
#define PICTAVO_MODULE_DIR_FROM_BIN "../lib/pictavo"
#endif

namespace pictavo {

namespace {

// Our modules are regular files; the symbolic links that system folders hold (/usr/bin/ld.so)
// are not.
bool HoldsModules(const QString& folder) {
    const QStringList patterns{QStringLiteral("*.so"), QStringLiteral("*.spi")};
    return !QDir(folder).entryList(patterns, QDir::Files | QDir::Readable | QDir::NoSymLinks).isEmpty();
}

QString ExistingFolder(const QString& path) {
    return QFileInfo(path).isDir() ? QDir::cleanPath(path) : QString();
}

// Settings and temporary files stay beside the program only in a writable, non-installed
// program folder: root running an installed copy must not litter <prefix>/bin.
bool KeepsFilesBesideProgram(const QString& programFolder) {
    return IsFolderWritable(programFolder) &&
           ModuleFolderFor(programFolder, QStringLiteral(PICTAVO_INSTALL_PREFIX)) == programFolder;
}

}  // namespace

QString ProgramFolder() {
    if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationDirPath();
    // Before the application object exists Qt cannot tell us; the kernel can.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

QString ModuleFolderFor(const QString& programFolder, const QString& builtPrefix) {
    // An installed tree first: its bin folder may hold anything the system puts there.
    const QString tree = ExistingFolder(programFolder + QStringLiteral("/" PICTAVO_MODULE_DIR_FROM_BIN));
    if (!tree.isEmpty()) return tree;
    if (HoldsModules(programFolder)) return programFolder;
    const QString built = ExistingFolder(builtPrefix + QStringLiteral("/" PICTAVO_MODULE_DIR));
    return built.isEmpty() ? programFolder : built;
}

QString ModuleFolder() {
    return ModuleFolderFor(ProgramFolder(), QStringLiteral(PICTAVO_INSTALL_PREFIX));
}

QString SystemPluginFolder() {
    const QString tree = ExistingFolder(ProgramFolder() + QStringLiteral("/" PICTAVO_MODULE_DIR_FROM_BIN));
    return (tree.isEmpty() ? QStringLiteral(PICTAVO_INSTALL_PREFIX "/" PICTAVO_MODULE_DIR) : tree) +
           QStringLiteral("/plugins");
}

bool IsFolderWritable(const QString& folder) {
    const QByteArray native = QFile::encodeName(folder);
    // access() asks the kernel with our real permissions, which QFileInfo's bits do not
    // reflect on read-only mounts.
    return QFileInfo(folder).isDir() && ::access(native.constData(), W_OK | X_OK) == 0;
}

QString ChooseProgramFile(const QString& programFolder, bool besideProgram, const QString& userFolder,
                          const QString& fileName) {
    if (besideProgram) return programFolder + u'/' + fileName;
    return userFolder + QStringLiteral("/pictavo/") + fileName;
}

QString SettingsFilePath() {
    const QString folder = ProgramFolder();
    return ChooseProgramFile(folder, KeepsFilesBesideProgram(folder),
                             QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                             QStringLiteral("pictavo.ini"));
}

QString TempFolderPath() {
    const QString folder = ProgramFolder();
    return ChooseProgramFile(folder, KeepsFilesBesideProgram(folder),
                             QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation),
                             QStringLiteral("tmp"));
}

}  // namespace pictavo
