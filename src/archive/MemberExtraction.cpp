#include "archive/MemberExtraction.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cstring>
#include <memory>

#include "archive/MemberPath.h"

namespace pictavo {

namespace {

// Sub-folders deeper than this are left alone: no extracted path comes near it.
constexpr int kMaxClearDepth = 256;

QString Quoted(const QString& text) {
    return u'"' + text + u'"';
}

QString ZipMember(const QString& member) {
    QString escaped = member;
    escaped.replace(u'[', QStringLiteral("\\["));
    escaped.replace(u']', QStringLiteral("\\]"));
    return escaped;
}

// "A" "D" "M" after the options, the form that every module but 7z uses.
QString Line(const char* options, const QString& archive, const QString& destination, const QString& member) {
    return QString::fromLatin1(options) + u' ' + Quoted(archive) + u' ' + Quoted(destination) + u' ' +
           Quoted(member);
}

QString SevenZipLine(const QString& options, const QString& archive, const QString& destination,
                     const QString& member) {
    return QStringLiteral("x ") + Quoted(archive) + u' ' + options + u' ' + Quoted("-o" + destination) +
           u' ' + Quoted(member);
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Empties the folder open at `fd` (which this call owns). Links are unlinked as names.
void ClearFolder(int fd, int depth) {
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(fd));
    if (!dir) {
        ::close(fd);
        return;
    }
    // A folder without write permission could not lose its entries: give it back first.
    struct stat self {};
    if (fstat(fd, &self) == 0 && (self.st_mode & S_IRWXU) != S_IRWXU) fchmod(fd, self.st_mode | S_IRWXU);
    while (const dirent* entry = readdir(dir.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (unlinkat(fd, name, 0) == 0) continue;
        const int child = openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child < 0 || depth >= kMaxClearDepth) {
            if (child >= 0) ::close(child);
            continue;
        }
        ClearFolder(child, depth + 1);
        unlinkat(fd, name, AT_REMOVEDIR);
    }
}

}  // namespace

QString BuildExtractCommand(std::int32_t kind, const QString& archive, const QString& destination,
                            const QString& member) {
    switch (kind) {
        case 0:
            return Line("-x --i -n -qq", archive, destination, ZipMember(member));
        case 1:
            return Line("x -n -gm -u3", archive, destination, member);
        case 2:
            return SevenZipLine(QStringLiteral("-aos -hide"), archive, destination, member);
        case 3:
            return Line("-x -n -i", archive, destination, member);
        case 4:
            return Line("ex -sx0 -xx1", archive, destination, member);
        case 5:
            return Line("x -i+ -u+ -y", archive, destination, member);
        case 6:
            return Line("-x -y -u", archive, destination, member);
        case 7:
            return Line("x -a -i -n", archive, destination, member);
        case 8:
            return Line("-x --display-dialog=0", archive, destination, member);
        case 11:
            return Line("x -i2 -x1", archive, destination, member);
        default:
            return {};
    }
}

QString BuildExtractCommandWithPassword(std::int32_t kind, const QString& archive, const QString& destination,
                                        const QString& member, const QString& password) {
    switch (kind) {
        case 0:
            return Line(("-x --i -n -qq -P" + password).toUtf8().constData(), archive, destination,
                        ZipMember(member));
        case 2:
            return SevenZipLine("-aos -hide -p" + password, archive, destination, member);
        case 6:
            return Line(("-x -u -p" + password).toUtf8().constData(), archive, destination, member);
        default:
            return BuildExtractCommand(kind, archive, destination, member);
    }
}

QString MemberTempPath(const QString& tempFolder, const QString& member) {
    return tempFolder + u'/' + member;
}

QStringList ExtractMembers(const TArchiveFunction& archives, const AppState& state,
                           const QStringList& members, ArcWindow window) {
    // Without a temporary folder there is nowhere safe to extract to (never the root folder).
    if (state.TempFolder.isEmpty()) return QStringList(QList<QString>(members.size()));
    const QString destination = state.TempFolder + u'/';
    QStringList commands;
    QStringList paths;
    for (const QString& member : members) {
        // A name that could leave the folder, or that the command line cannot carry (a quote),
        // is never extracted and never read.
        if (!IsSafeMemberPath(member.toUtf8().toStdString()) || member.contains(u'"')) {
            commands.append(QString());
            paths.append(QString());
            continue;
        }
        paths.append(MemberTempPath(state.TempFolder, member));
        commands.append(
            state.settings.IsAutoInputPassword
                ? BuildExtractCommandWithPassword(state.CurrentArchiver, state.ArchivePath, destination,
                                                  member, state.settings.InputPassword)
                : BuildExtractCommand(state.CurrentArchiver, state.ArchivePath, destination, member));
    }
    for (const QString& command : commands)
        if (!command.isEmpty()) archives.RunCommand(state.CurrentArchiver, window, command, nullptr, 0);
    return paths;
}

QString ResolveMember(const AppState& state, const QString& member, ArcWindow window) {
    if (state.archives == nullptr) return {};
    return ExtractMembers(*state.archives, state, {member}, window).value(0);
}

void ClearTempFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) ClearFolder(fd, 0);
}

}  // namespace pictavo
