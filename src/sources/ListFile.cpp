#include "sources/ListFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace pictavo {
namespace {

std::string Describe(const char* what, const QString& path, int error) {
    return std::string(what) + " " + path.toStdString() + ": " + std::strerror(error);
}

// Owns a file descriptor for the length of a read.
class ReadDescriptor {
public:
    explicit ReadDescriptor(const QString& path) {
        // Non-blocking, so that opening a pipe with no writer returns at once; the type check
        // below refuses it before any read could wait.
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) throw EListFileRead(Describe("cannot open", path, errno));
    }
    ~ReadDescriptor() { ::close(fd_); }
    ReadDescriptor(const ReadDescriptor&) = delete;
    ReadDescriptor& operator=(const ReadDescriptor&) = delete;
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

QByteArray ReadRegularFile(const QString& path, qint64 maxBytes) {
    const ReadDescriptor file(path);
    struct stat info {};
    if (::fstat(file.fd(), &info) != 0) throw EListFileRead(Describe("cannot read", path, errno));
    if (!S_ISREG(info.st_mode)) throw EListFileRead("not a regular file: " + path.toStdString());
    if (info.st_size > maxBytes) throw EListFileRead("file too large: " + path.toStdString());

    // The size may change under us: read at most one byte past the limit and judge that.
    QByteArray bytes(static_cast<qsizetype>(info.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxBytes) throw EListFileRead("file too large: " + path.toStdString());
            bytes.resize(std::min<qint64>(maxBytes + 1, bytes.size() * 2));
        }
        const ssize_t got =
            ::read(file.fd(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw EListFileRead(Describe("cannot read", path, errno));
        if (got == 0) break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

}  // namespace

QStringList ParseListFile(const QByteArray& bytes) {
    return SplitLines(DecodeText(bytes));
}

QStringList ReadListFile(const QString& path, qint64 maxBytes) {
    return ParseListFile(ReadRegularFile(path, maxBytes));
}

void WriteListFile(const QString& path, const QStringList& items) {
    try {
        WriteFileAtomically(path, JoinLinesCrLf(items));
    } catch (const ETextFileWrite& error) {
        throw EListFileWrite(error.what());
    }
}

QString ListFileName(const QString& chosen) {
    const qsizetype slash = chosen.lastIndexOf(u'/');
    const qsizetype dot = chosen.lastIndexOf(u'.');
    const bool hasLst = dot > slash && QStringView(chosen).mid(dot) == u".lst";
    return hasLst ? chosen : chosen + ".lst";
}

}  // namespace pictavo
