#pragma once
// libarchive readers as each archiver module needs them: only the formats of its own kind,
// member names turned into UTF-8, and the check that a file is of that kind at all.
#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

#include <cstdint>
#include <memory>
#include <string>

namespace pictavo::archiver {

// The kinds that libarchive serves; the numbers are the program's archiver kinds.
enum class Kind : int { Zip = 0, Lha = 1, SevenZip = 2, Cab = 3, Rar = 6, Tar = 8 };

struct ReaderDeleter {
    void operator()(archive* reader) const { archive_read_free(reader); }
};
using Reader = std::unique_ptr<archive, ReaderDeleter>;

// While alive, libarchive on this thread converts names through UTF-8 whatever locale the
// program runs in (in the "C" locale it would drop every non-ASCII name).
class Utf8Locale {
public:
    Utf8Locale();
    ~Utf8Locale();
    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    locale_t previous_ = nullptr;
};

// A reader over `path` for the formats of `kind`, with `password` offered for encrypted
// members when not empty. Null when the file cannot be opened or read as any of them.
Reader OpenReader(Kind kind, const std::string& path, const std::string& password = {});

// The next member header: true with `entry` set, false at the end or on a broken archive.
bool NextEntry(archive* reader, archive_entry*& entry);

// True when the file at `path` is an archive of `kind`, judged by its content.
bool ClaimsFile(Kind kind, const std::string& path);

// The member's path in UTF-8: as stored when the archive marks it UTF-8 or it reads as UTF-8,
// else converted from code page 932. A lone compressed file (a ".gz" that is no tar) has no
// name of its own and is named after `archivePath` without its compression suffix.
std::string MemberName(archive* reader, archive_entry* entry, const std::string& archivePath);

// True for members that may be listed and extracted: plain files that are no hard link.
bool IsPlainFile(archive_entry* entry);

// True when `bytes` is valid UTF-8.
bool IsValidUtf8(const std::string& bytes);
// `bytes` read as code page 932, in UTF-8; undefined bytes become U+FFFD.
std::string Cp932ToUtf8(const std::string& bytes);

}  // namespace pictavo::archiver
