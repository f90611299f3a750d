#include "archive/ArchiveListing.h"

#include <cstring>

#include "archive/ArchiverTable.h"
#include "archive/MemberPath.h"
#include "platform/Collation.h"
#include "sources/Extensions.h"

namespace pictavo {

namespace {

constexpr std::int32_t kCheckMode = 1;
constexpr std::uint32_t kOpenMode = 0x02000020;

const char* const kFullFilter =
    "対応している圧縮形式|*.zip;*.jar;*.lzh;*.lha;*.lzs;*.7z;*.cab;*.gca;*.arj;*.rar;*.gza;*.bza;*.tar;*.tgz;"
    "*.taz;"
    "*.tar.gz;*.gz;*.z;*.bz2;*.cpio;*.rpm;*.deb;*.yz1|UnZip32.dll系(*.zip,*.jar)|*.zip;*.jar|Unlha32.dll系(*."
    "lzh,*."
    "lha,*.lzs)|*.lzh;*.lha;*.lzs|7-Zip32.dll系(*.7z)|*.7z|Cab32.dll系(*.cab)|*.cab|UnGCA32.dll系(*.GCA)|*."
    "gca|"
    "Unarj32j.dll系(*.arj)|*.arj|Unrar32.dll系(*.rar)|*.rar|Bga32.dll系(*.gza,*.bza)|*.gza;*.bza|Tar32.dll系("
    "*."
    "tar,*.tgz,*.taz,*.tar.gz,*.gz,*.z,*.bz2,*.cpio,*.rpm,*.deb)|*.tar;*.tgz;*.taz;*.tar.gz;*.gz;*.z;*.bz2;*."
    "cpio;*.rpm;*.deb|YZ1.dll系(*.yz1)|*.yz1|全てのファイル|*";

struct FilterPart {
    std::int32_t kind;
    const char* patterns;
    const char* entry;
};

const FilterPart kFilterParts[] = {
    {0, "*.zip;*.jar;", "UnZip32.dll系(*.zip,*.jar)|*.zip;*.jar|"},
    {1, "*.lzh;*.lha;*.lzs;", "Unlha32.dll系(*.lzh,*.lha,*.lzs)|*.lzh;*.lha;*.lzs|"},
    {2, "*.7z;", "7-Zip32.dll系(*.7z)|*.7z|"},
    {3, "*.cab;", "Cab32.dll系(*.cab)|*.cab|"},
    {4, "*.gca;", "UnGCA32.dll系(*.GCA)|*.gca|"},
    {5, "*.arj;", "Unarj32j.dll系(*.arj)|*.arj|"},
    {6, "*.rar;", "Unrar32.dll系(*.rar)|*.rar|"},
    {7, "*.gza;*.bza;", "Bga32.dll系(*.gza,*.bza)|*.gza;*.bza|"},
    {8, "*.tar;*.tgz;*.taz;*.tar.gz;*.gz;*.z;*.bz2;*.cpio;*.rpm;*.deb;",
     "Tar32.dll系(*.tar,*.tgz,*.taz,*.tar.gz,*.gz,*.z,*.bz2,*.cpio,*.rpm,*.deb)|*.tar;*.tgz;*.taz;*.tar.gz;*."
     "gz;*."
     "z;*.bz2;*.cpio;*.rpm;*.deb|"},
    {11, "*.yz1", "YZ1.dll系(*.yz1)|*.yz1|"},
};

void RemoveFirst(QString& text, const QString& part) {
    const qsizetype at = text.indexOf(part);
    if (at >= 0) text.remove(at, part.size());
}

// Whether a listed member is kept: a picture extension and, with the size filter on, a size
// within both bounds (compared unsigned, both ends included).
bool KeepsMember(const Settings& settings, const QString& name, std::uint32_t size) {
    if (!HasLoadExtension(name, settings.LoadExtensions)) return false;
    if (!settings.IsUseFileSizeFilter) return true;
    return static_cast<std::uint32_t>(settings.LoadCondition_FileSizeMin) <= size &&
           size <= static_cast<std::uint32_t>(settings.LoadCondition_FileSizeMax);
}

QString RecordPath(const ArcMemberRecord& record) {
    const std::size_t length = strnlen(record.path, sizeof record.path);
    return QString::fromUtf8(record.path, static_cast<qsizetype>(length));
}

}  // namespace

QString RestrictArchiveFilter(const TArchiveFunction& archives) {
    QString filter = QString::fromUtf8(kFullFilter);
    for (const FilterPart& part : kFilterParts) {
        if (archives.IsAvailable(part.kind)) continue;
        RemoveFirst(filter, QString::fromUtf8(part.patterns));
        RemoveFirst(filter, QString::fromUtf8(part.entry));
    }
    // The kind-11 pattern has no ";" of its own, so one may be left before the first "|".
    if (filter == QStringLiteral("対応している圧縮形式||全てのファイル|*"))
        return QString::fromUtf8(kAllFilesFilter);
    return filter;
}

std::int32_t DetectArchiver(const TArchiveFunction& archives, const QString& path) {
    const QString extension = FileExtension(path);
    for (const ArchiverTableRow& row : ArchiverTable()) {
        if (!row.extensions.contains(extension)) continue;
        if (archives.CheckArchive(row.kind, path, kCheckMode)) return row.kind;
        break;
    }
    return ProbeArchivers(archives, path);
}

std::int32_t ProbeArchivers(const TArchiveFunction& archives, const QString& path) {
    for (std::int32_t kind = 11; kind >= 0; --kind)
        if (archives.IsReady(kind) && archives.CheckArchive(kind, path, kCheckMode)) return kind;
    return kNoArchiver;
}

bool ListArchive(const TArchiveFunction& archives, const QString& path, AppState& state) {
    state.ArchivePath = path;
    const std::int32_t kind = state.CurrentArchiver;
    if (!archives.CheckArchive(kind, path, kCheckMode)) return false;
    const ArcHandle handle = archives.OpenArchive(kind, nullptr, path, kOpenMode);
    ArcMemberRecord record{};
    for (std::int32_t found = archives.FindFirst(kind, handle, "*", &record); found == 0;
         found = archives.FindNext(kind, handle, &record)) {
        const std::size_t length = strnlen(record.path, sizeof record.path);
        // The modules leave unsafe paths out already; one from elsewhere is never trusted.
        if (IsSafeMemberPath(std::string_view(record.path, length))) {
            const QString name = RecordPath(record);
            if (KeepsMember(state.settings, name, record.size)) {
                state.ImageList.append(name);
                ++state.ImageCount;
            }
        }
        if (state.CancelRequested) break;
    }
    SortCaseInsensitive(state.ImageList);
    archives.CloseArchive(kind, handle);
    return true;
}

}  // namespace pictavo
