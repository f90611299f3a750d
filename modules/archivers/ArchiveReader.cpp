#include "ArchiveReader.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <locale.h>
#include <cctype>
#include <cerrno>

namespace pictavo::archiver {

namespace {

// The zip reader seeks to every member's local header and reads a whole block there, so a
// small block keeps a listing of many members from reading the archive many times over.
constexpr std::size_t kBlockBytes = 10240;

void EnableFormats(archive* reader, Kind kind) {
    switch (kind) {
        case Kind::Zip:
            // The seekable reader takes the central directory, so a member is reached
            // without reading the members before it.
            archive_read_support_format_zip_seekable(reader);
            break;
        case Kind::Lha:
            archive_read_support_format_lha(reader);
            break;
        case Kind::SevenZip:
            archive_read_support_format_7zip(reader);
            break;
        case Kind::Cab:
            archive_read_support_format_cab(reader);
            break;
        case Kind::Rar:
            archive_read_support_format_rar(reader);
            archive_read_support_format_rar5(reader);
            break;
        case Kind::Tar:
            archive_read_support_format_tar(reader);
            archive_read_support_format_cpio(reader);
            archive_read_support_format_ar(reader);
            archive_read_support_format_raw(reader);
            archive_read_support_filter_gzip(reader);
            archive_read_support_filter_bzip2(reader);
            archive_read_support_filter_xz(reader);
            archive_read_support_filter_lzma(reader);
            archive_read_support_filter_compress(reader);
            archive_read_support_filter_rpm(reader);
            archive_read_support_filter_zstd(reader);
            break;
    }
}

bool FormatBelongsTo(Kind kind, archive* reader) {
    const int format = archive_format(reader) & ARCHIVE_FORMAT_BASE_MASK;
    switch (kind) {
        case Kind::Zip:
            return format == ARCHIVE_FORMAT_ZIP;
        case Kind::Lha:
            return format == ARCHIVE_FORMAT_LHA;
        case Kind::SevenZip:
            return format == ARCHIVE_FORMAT_7ZIP;
        case Kind::Cab:
            return format == ARCHIVE_FORMAT_CAB;
        case Kind::Rar:
            return format == ARCHIVE_FORMAT_RAR || format == ARCHIVE_FORMAT_RAR_V5;
        case Kind::Tar:
            if (format == ARCHIVE_FORMAT_RAW) return archive_filter_count(reader) > 1;  // compressed
            return format == ARCHIVE_FORMAT_TAR || format == ARCHIVE_FORMAT_CPIO ||
                   format == ARCHIVE_FORMAT_AR;
    }
    return false;
}

std::string LoneFileName(const std::string& archivePath) {
    std::string name = archivePath.substr(archivePath.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        std::string suffix = name.substr(dot);
        for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const char* known : {".gz", ".bz2", ".xz", ".z", ".lzma", ".zst"})
            if (suffix == known) return name.substr(0, dot);
    }
    return "data";
}

// Opens `path` for `reader`. The file is opened without waiting and checked to be a regular
// file first (a FIFO named like an archive would otherwise block the program); libarchive
// then reopens that very file.
bool OpenFile(archive* reader, const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const std::string same = "/proc/self/fd/" + std::to_string(fd);
    const bool opened =
        regular && archive_read_open_filename(reader, same.c_str(), kBlockBytes) == ARCHIVE_OK;
    ::close(fd);
    return opened;
}

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

}  // namespace

// The locale object lives as long as the module: freed when the module is unloaded.
class LocaleHandle {
public:
    LocaleHandle() : locale_(newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))) {}
    ~LocaleHandle() {
        if (locale_ != static_cast<locale_t>(nullptr)) freelocale(locale_);
    }
    LocaleHandle(const LocaleHandle&) = delete;
    LocaleHandle& operator=(const LocaleHandle&) = delete;
    locale_t Get() const { return locale_; }

private:
    locale_t locale_;
};

Utf8Locale::Utf8Locale() {
    static const LocaleHandle utf8;
    if (utf8.Get() != static_cast<locale_t>(nullptr)) previous_ = uselocale(utf8.Get());
}

Utf8Locale::~Utf8Locale() {
    if (previous_ != static_cast<locale_t>(nullptr)) uselocale(previous_);
}

Reader OpenReader(Kind kind, const std::string& path, const std::string& password) {
    Reader reader(archive_read_new());
    if (!reader) return {};
    EnableFormats(reader.get(), kind);
    if (!password.empty()) archive_read_add_passphrase(reader.get(), password.c_str());
    if (!OpenFile(reader.get(), path)) return {};
    return reader;
}

bool NextEntry(archive* reader, archive_entry*& entry) {
    const int result = archive_read_next_header(reader, &entry);
    return result == ARCHIVE_OK || result == ARCHIVE_WARN;
}

bool ClaimsFile(Kind kind, const std::string& path) {
    Utf8Locale locale;
    // A zip that starts with a member is claimed on its first header alone: the seekable
    // reader would read the whole central directory, once more than the listing does.
    if (kind == Kind::Zip) {
        Reader streaming(archive_read_new());
        archive_read_support_format_zip_streamable(streaming.get());
        archive_entry* first = nullptr;
        if (OpenFile(streaming.get(), path) && NextEntry(streaming.get(), first)) return true;
    }
    Reader reader = OpenReader(kind, path);
    if (!reader) return false;
    archive_entry* entry = nullptr;
    const int result = archive_read_next_header(reader.get(), &entry);
    if (result != ARCHIVE_OK && result != ARCHIVE_WARN && result != ARCHIVE_EOF) return false;
    return FormatBelongsTo(kind, reader.get());
}

std::string MemberName(archive* reader, archive_entry* entry, const std::string& archivePath) {
    if ((archive_format(reader) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_RAW)
        return LoneFileName(archivePath);
    // Names already in UTF-8 (as stored, or converted by libarchive for archives that mark
    // them so) need no conversion, which would cost a converter per member.
    const char* raw = archive_entry_pathname(entry);
    std::string name = raw != nullptr ? raw : "";
    if (raw != nullptr && IsValidUtf8(name)) return name;
    if (const char* utf8 = archive_entry_pathname_utf8(entry)) {
        std::string converted(utf8);
        if (IsValidUtf8(converted)) return converted;
    }
    return raw != nullptr ? Cp932ToUtf8(name) : std::string();
}

bool IsPlainFile(archive_entry* entry) {
    return archive_entry_filetype(entry) == AE_IFREG && archive_entry_hardlink(entry) == nullptr &&
           archive_entry_symlink(entry) == nullptr;
}

bool IsValidUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80         ? 1
                             : (lead >> 5) == 6  ? 2
                             : (lead >> 4) == 14 ? 3
                             : (lead >> 3) == 30 ? 4
                                                 : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

std::string Cp932ToUtf8(const std::string& bytes) {
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    const std::unique_ptr<void, IconvCloser> owner(cd);
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";  // U+FFFD for a byte that code page 932 does not define
            ++in;
            --inLeft;
        }
    }
    return out;
}

}  // namespace pictavo::archiver
