#pragma once
// What the launcher does with the archive manager: the archive open dialog's filter, the
// choice of an archiver for a file, and the listing of an archive's pictures.
#include <QString>
#include <cstdint>

#include "archive/TArchiveFunction.h"
#include "sources/AppState.h"

namespace pictavo {

// What the archive open dialog offers when no archiver is available.
inline constexpr const char* kAllFilesFilter = "全てのファイル|*";
// Shown (caption "エラー") when the chosen archiver cannot read the archive after all.
inline constexpr const char* kArchiveBrokenMessage = "読み込みに失敗しました。壊れている可能性があります。";

// The archive open dialog's filter ("text|patterns|..."), without the archivers that are not
// available; kAllFilesFilter when none is.
QString RestrictArchiveFilter(const TArchiveFunction& archives);

// The kind whose extension `path` has, when that module claims the file; otherwise the first
// ready module, from kind 11 down, that claims it; -1 when none does.
std::int32_t DetectArchiver(const TArchiveFunction& archives, const QString& path);
std::int32_t ProbeArchivers(const TArchiveFunction& archives, const QString& path);

// Sets ArchivePath and appends the picture members of `path` (listed by CurrentArchiver, kept
// by LoadExtensions and the size filter, at most until CancelRequested) to ImageList, counts
// them in ImageCount and sorts the list. False, with the list untouched, when CurrentArchiver
// does not claim the file (the caller shows kArchiveBrokenMessage).
bool ListArchive(const TArchiveFunction& archives, const QString& path, AppState& state);

}  // namespace pictavo
