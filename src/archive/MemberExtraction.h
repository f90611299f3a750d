#pragma once
// Archive members on screen: the command line that has a module extract one member into the
// temporary folder, where the extracted file is then read, and the emptying of that folder
// when an archive slideshow ends.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "archive/TArchiveFunction.h"
#include "sources/AppState.h"

namespace pictavo {

// The extraction command line for `member` of `archive` of `kind` into `destination` (a folder
// path ending in "/"); empty for a kind without a module. The zip module receives "[" and "]"
// of the member escaped; nothing else is escaped or quoted beyond the fixed quotes.
QString BuildExtractCommand(std::int32_t kind, const QString& archive, const QString& destination,
                            const QString& member);
// The same with `password` given as typed (unquoted) to the zip, 7z and rar modules.
QString BuildExtractCommandWithPassword(std::int32_t kind, const QString& archive, const QString& destination,
                                        const QString& member, const QString& password);

// Where the extracted `member` lies: below `tempFolder` under its path inside the archive.
QString MemberTempPath(const QString& tempFolder, const QString& member);

// Has CurrentArchiver extract each of `members` of ArchivePath into TempFolder (all command
// lines built first, then run in order) and returns the paths to read, one per member. A
// member that failed to extract has no file at its path; one whose name could leave the folder
// or holds a double quote gets an empty path. Nothing is reported here.
QStringList ExtractMembers(const TArchiveFunction& archives, const AppState& state,
                           const QStringList& members, ArcWindow window);

// The path to read for `member` of the archive on show, extracted first through the manager
// that `state` lends (empty when there is none). See ExtractMembers.
QString ResolveMember(const AppState& state, const QString& member, ArcWindow window);

// Empties `folder`: every file, link and sub-folder in it goes (read-only ones included), the
// folder itself stays. A link is removed itself, never what it points to, and nothing outside
// `folder` is touched. Failures are ignored; a missing folder is left missing.
void ClearTempFolder(const QString& folder);

}  // namespace pictavo
