#include "platform/ProgramPaths.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace pictavo {

QString ProgramFolder() {
    if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationDirPath();
    // Before the application object exists Qt cannot tell us; the kernel can.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

bool IsFolderWritable(const QString& folder) {
    const QByteArray native = QFile::encodeName(folder);
    // access() asks the kernel with our real permissions, which QFileInfo's bits do not
    // reflect on read-only mounts.
    return QFileInfo(folder).isDir() && ::access(native.constData(), W_OK | X_OK) == 0;
}

QString ChooseProgramFile(const QString& programFolder, bool folderWritable, const QString& userFolder,
                          const QString& fileName) {
    if (folderWritable) return programFolder + u'/' + fileName;
    return userFolder + QStringLiteral("/pictavo/") + fileName;
}

QString SettingsFilePath() {
    const QString folder = ProgramFolder();
    return ChooseProgramFile(folder, IsFolderWritable(folder),
                             QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                             QStringLiteral("pictavo.ini"));
}

QString TempFolderPath() {
    const QString folder = ProgramFolder();
    return ChooseProgramFile(folder, IsFolderWritable(folder),
                             QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation),
                             QStringLiteral("tmp"));
}

}  // namespace pictavo
