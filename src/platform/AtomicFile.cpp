#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/TextFile.h"

// Written on plain POSIX calls rather than QSaveFile: QSaveFile reports success when the
// kernel accepted only part of the data (a full disk, a file size limit), and then renames
// the short file over the good one.
namespace pictavo {
namespace {

std::string Describe(const char* what, const std::string& path, int error) {
    return std::string(what) + " " + path + ": " + std::strerror(error);
}

// A temporary file beside the target: removed again unless Release() was called.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : path_(target + ".XXXXXX") {
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0) throw ETextFileWrite(Describe("cannot create a file beside", target, errno));
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!released_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // Closes the file, reporting errors that only show up at close (network file systems).
    void Close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) throw ETextFileWrite(Describe("cannot write", path_, errno));
    }
    void Release() { released_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool released_ = false;
};

void WriteAll(int fd, const QByteArray& bytes, const std::string& path) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) throw ETextFileWrite(Describe("cannot write", path, written < 0 ? errno : ENOSPC));
        data += written;
        left -= written;
    }
}

// The old file's permissions, or what a newly created file would get under the umask.
mode_t PermissionsFor(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the rename is done; a folder we cannot open is only not synced
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    // Through a symbolic link the linked file is replaced, and the link stays.
    const QFileInfo info(path);
    const QString resolved = info.isSymLink() ? info.symLinkTarget() : path;
    const std::string target = QFile::encodeName(resolved).toStdString();

    TemporaryFile temporary(target);
    WriteAll(temporary.fd(), bytes, temporary.path());
    ::fchmod(temporary.fd(), PermissionsFor(target));
    if (::fsync(temporary.fd()) != 0) throw ETextFileWrite(Describe("cannot write", temporary.path(), errno));
    temporary.Close();
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
        throw ETextFileWrite(Describe("cannot replace", target, errno));
    }
    temporary.Release();
    SyncFolder(QFile::encodeName(QFileInfo(resolved).absolutePath()).toStdString());
}

}  // namespace pictavo
