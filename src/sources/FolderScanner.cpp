#include "sources/FolderScanner.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <memory>
#include <string_view>

#include "config/IniDocument.h"
#include "platform/Collation.h"

namespace pictavo {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// Owns a file descriptor until it is handed to fdopendir.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0) close(fd_);
    }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// The kind of an entry after following links: DT_DIR, DT_REG, or DT_UNKNOWN for anything
// else (a fifo named "x.jpg" must never reach a decoder, which would block on it).
unsigned char ResolveType(int dirFd, const dirent& entry, struct stat& status, bool& haveStatus) {
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return entry.d_type;
    if (fstatat(dirFd, entry.d_name, &status, 0) != 0) return DT_UNKNOWN;  // dangling link
    haveStatus = true;
    if (S_ISDIR(status.st_mode)) return DT_DIR;
    return S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
}

// "folder/name": ASCII names, by far the most common, skip the general decoding.
QString JoinPath(const QString& prefix, std::string_view name) {
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii)
        return prefix + QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    QString path;
    path.reserve(prefix.size() + static_cast<qsizetype>(name.size()));
    path.append(prefix);
    path.append(QLatin1StringView(name.data(), static_cast<qsizetype>(name.size())));
    return path;
}

}  // namespace

ScanOptions ScanOptions::FromSettings(const Settings& settings) {
    ScanOptions options;
    options.IsGetSubDirectory = settings.IsGetSubDirectory;
    options.IsUseFileSizeFilter = settings.IsUseFileSizeFilter;
    options.FileSizeMin = static_cast<std::uint32_t>(settings.LoadCondition_FileSizeMin);
    options.FileSizeMax = static_cast<std::uint32_t>(settings.LoadCondition_FileSizeMax);
    options.LoadExtensions = settings.LoadExtensions;
    return options;
}

FolderScanner::FolderScanner(ScanOptions options, ScanHooks hooks)
    : options_(std::move(options)), hooks_(std::move(hooks)), matcher_(options_.LoadExtensions) {}

void FolderScanner::Scan(const QString& folder, QStringList& list, std::int32_t& count) {
    visited_.clear();
    const QString path = TrimBlanks(folder);
    if (!ScanDirectory(AT_FDCWD, QFile::encodeName(path).constData(), path, list, count)) return;
    // Only the order of the finished list is ever read, so one sort at the end gives the same
    // result as sorting again after every folder, without the quadratic cost.
    SortCaseInsensitive(list);
}

bool FolderScanner::SizeAccepted(std::uint64_t size) const {
    const auto low32 = static_cast<std::uint32_t>(size);  // the size as a 32-bit number
    return options_.FileSizeMin <= low32 && low32 <= options_.FileSizeMax;
}

bool FolderScanner::ScanDirectory(int parentFd, const char* name, const QString& path, QStringList& list,
                                  std::int32_t& count) {
    UniqueFd fd(openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat status {};
    if (fd.get() < 0 || fstat(fd.get(), &status) != 0) return false;
    // A link back to a parent (or to a folder seen already) would repeat or never end.
    if (!visited_.insert({status.st_dev, status.st_ino}).second) return false;
    DirHandle dir(fdopendir(fd.get()));
    if (!dir) return false;
    fd.release();

    const int dirFd = dirfd(dir.get());
    const QString prefix = path + u'/';
    for (dirent* entry = readdir(dir.get()); entry != nullptr; entry = readdir(dir.get())) {
        if (hooks_.betweenEntries) hooks_.betweenEntries();
        ScanEntry(dirFd, *entry, prefix, list, count);
        if (Cancelled()) break;
    }
    if (hooks_.folderFinished) hooks_.folderFinished(count);
    return true;
}

void FolderScanner::ScanEntry(int dirFd, const dirent& entry, const QString& prefix, QStringList& list,
                              std::int32_t& count) {
    const std::string_view name(entry.d_name);
    if (name == "." || name == "..") return;
    struct stat status {};
    bool haveStatus = false;
    const unsigned char type = ResolveType(dirFd, entry, status, haveStatus);
    if (type == DT_DIR) {
        if (options_.IsGetSubDirectory)
            ScanDirectory(dirFd, entry.d_name, JoinPath(prefix, name), list, count);
        return;
    }
    if (type != DT_REG || !matcher_.MatchesName(name)) return;
    if (options_.IsUseFileSizeFilter) {
        if (!haveStatus && fstatat(dirFd, entry.d_name, &status, 0) != 0) return;
        if (!SizeAccepted(static_cast<std::uint64_t>(status.st_size))) return;
    }
    list.append(JoinPath(prefix, name));
    ++count;
}

}  // namespace pictavo
