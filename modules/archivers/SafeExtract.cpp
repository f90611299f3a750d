#include "SafeExtract.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "archive/MemberPath.h"

namespace pictavo::archiver {

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;
constexpr std::uint64_t kSpaceCheckBytes = std::uint64_t{32} << 20;

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a full disk may show only here).
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    void Reset() {
        if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    }
    int fd_;
};

// The temporary file of one extraction: removed again unless Commit() renamed it.
class PendingFile {
public:
    PendingFile(int folder, std::string name) : folder_(folder), name_(std::move(name)) {}
    ~PendingFile() {
        if (!committed_) ::unlinkat(folder_, name_.c_str(), 0);
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    bool Commit(const std::string& finalName) {
        committed_ = ::renameat(folder_, name_.c_str(), folder_, finalName.c_str()) == 0;
        return committed_;
    }

private:
    int folder_;
    std::string name_;
    bool committed_ = false;
};

// Opens (and with `create`, makes) the folder `name` inside `parent`; a link is never followed.
UniqueFd OpenFolder(int parent, const std::string& name, bool create) {
    if (create && ::mkdirat(parent, name.c_str(), 0755) != 0 && errno != EEXIST) return UniqueFd();
    return UniqueFd(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// The destination folder itself is the program's own; it is made with its parents if missing.
UniqueFd OpenDestination(const std::string& destination, bool create) {
    if (create) {
        for (std::size_t slash = destination.find('/', 1); slash != std::string::npos;
             slash = destination.find('/', slash + 1))
            ::mkdir(destination.substr(0, slash).c_str(), 0755);
        ::mkdir(destination.c_str(), 0755);
    }
    return UniqueFd(::open(destination.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// The folder that will hold the member's file, walked from the destination one component at
// a time. Invalid when any step is missing (and not `create`), a link, or not a folder.
UniqueFd OpenMemberFolder(const ExtractRequest& request, const std::vector<std::string>& parts, bool create) {
    UniqueFd folder = OpenDestination(request.destination, create);
    for (std::size_t i = 0; folder.Valid() && i + 1 < parts.size(); ++i)
        folder = OpenFolder(folder.Get(), parts[i], create);
    return folder;
}

bool IsPlainFileAt(int folder, const std::string& name) {
    struct stat info {};
    return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode);
}

std::uint64_t FreeBytes(int fd) {
    struct statvfs info {};
    if (::fstatvfs(fd, &info) != 0) return 0;
    return std::uint64_t{info.f_bavail} * info.f_frsize;
}

// A fresh, exclusive temporary name beside the member; a planted link there cannot be reused.
std::pair<UniqueFd, std::string> CreateTemporary(int folder) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = ".pictavo-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                           std::to_string(random());
        UniqueFd fd(
            ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.Valid()) return {std::move(fd), name};
        if (errno != EEXIST) break;
    }
    return std::make_pair(UniqueFd(), std::string());
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies the current member's data into `fd`. Stops (false) on a read error, on more data
// than the member declared or than the limit allows, and when the disk runs low.
bool CopyData(archive* reader, archive_entry* entry, int fd, const ExtractLimits& limits) {
    const bool sizeKnown = archive_entry_size_is_set(entry) != 0;
    const auto declared = static_cast<std::uint64_t>(archive_entry_size(entry));
    std::vector<char> buffer(kChunkBytes);
    std::uint64_t total = 0;
    std::uint64_t nextSpaceCheck = kSpaceCheckBytes;
    while (true) {
        const la_ssize_t got = archive_read_data(reader, buffer.data(), buffer.size());
        if (got < 0) return false;
        if (got == 0) break;
        total += static_cast<std::uint64_t>(got);
        if ((sizeKnown && total > declared) || total > limits.maxMemberBytes) return false;
        if (!WriteAll(fd, buffer.data(), static_cast<std::size_t>(got))) return false;
        if (total >= nextSpaceCheck) {
            if (FreeBytes(fd) < limits.reserveBytes) return false;
            nextSpaceCheck += kSpaceCheckBytes;
        }
    }
    return !sizeKnown || total == declared;
}

bool FitsLimits(archive_entry* entry, int folder, const ExtractLimits& limits) {
    if (!archive_entry_size_is_set(entry))
        return FreeBytes(folder) >= limits.reserveBytes;  // bounded while copying
    const auto declared = static_cast<std::uint64_t>(archive_entry_size(entry));
    return archive_entry_size(entry) >= 0 && declared <= limits.maxMemberBytes &&
           FreeBytes(folder) >= declared + limits.reserveBytes;
}

// Positions `reader` at the first plain-file member named `member`.
archive_entry* FindMember(archive* reader, const ExtractRequest& request) {
    archive_entry* entry = nullptr;
    while (NextEntry(reader, entry)) {
        if (IsPlainFile(entry) && MemberName(reader, entry, request.archive) == request.member) return entry;
    }
    return nullptr;
}

}  // namespace

ExtractResult ExtractMember(Kind kind, const ExtractRequest& request, const ExtractLimits& limits) {
    if (!IsSafeMemberPath(request.member)) return ExtractResult::Failed;
    const std::vector<std::string> parts = MemberPathComponents(request.member);
    if (parts.empty() || request.member.back() == '/') return ExtractResult::Failed;
    const std::string& fileName = parts.back();

    if (request.keepExisting) {
        const UniqueFd existing = OpenMemberFolder(request, parts, /*create=*/false);
        if (existing.Valid() && IsPlainFileAt(existing.Get(), fileName)) return ExtractResult::AlreadyThere;
    }

    Utf8Locale locale;
    Reader reader = OpenReader(kind, request.archive, request.password);
    if (!reader) return ExtractResult::Failed;
    archive_entry* entry = FindMember(reader.get(), request);
    if (entry == nullptr) return ExtractResult::Failed;

    const UniqueFd folder = OpenMemberFolder(request, parts, /*create=*/true);
    if (!folder.Valid() || !FitsLimits(entry, folder.Get(), limits)) return ExtractResult::Failed;
    auto [fd, temporaryName] = CreateTemporary(folder.Get());
    if (!fd.Valid()) return ExtractResult::Failed;
    PendingFile pending(folder.Get(), temporaryName);
    if (!CopyData(reader.get(), entry, fd.Get(), limits) || ::fchmod(fd.Get(), 0644) != 0 || !fd.Close())
        return ExtractResult::Failed;
    return pending.Commit(fileName) ? ExtractResult::Extracted : ExtractResult::Failed;
}

}  // namespace pictavo::archiver
