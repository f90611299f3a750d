#pragma once
// List files (".lst"): the file selection window's list saved as text, one path per line.
// Read as UTF-8 when valid, else CP932; written as UTF-8 with CR LF after every line.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "platform/TextFile.h"

namespace pictavo {

// A list file could not be read: missing, not a regular file, unreadable or too large.
class EListFileRead : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A list file could not be written; the file that stood at the path before is still whole.
class EListFileWrite : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Largest list file read, in bytes: far more than a million paths, and a stray huge file is
// refused before anything is allocated for it.
inline constexpr qint64 kMaxListFileBytes = kMaxTextFileBytes;

// The items of a list file's bytes: split at CR LF, lone CR and lone LF; an empty line is an
// empty item; a missing line break after the last line is accepted. Throws nothing.
QStringList ParseListFile(const QByteArray& bytes);

// The bytes of a list file holding `items`: UTF-8, CR LF after every item. Items hold no line
// breaks (a dropped or chosen path cannot); ParseListFile gives `items` back.
QByteArray ListFileBytes(const QStringList& items);

// The items of the list file at `path`. A pipe or device is refused without waiting on it.
// Throws EListFileRead.
QStringList ReadListFile(const QString& path, qint64 maxBytes = kMaxListFileBytes);

// Writes `items` into a new file beside `path` and renames it over `path`, so a failed save
// leaves the old list whole. Throws EListFileWrite.
void WriteListFile(const QString& path, const QStringList& items);

// The name a list is saved under: `chosen` with ".lst" appended unless its file name already
// ends in ".lst" (case-sensitive, so "a.LST" becomes "a.LST.lst").
QString ListFileName(const QString& chosen);

}  // namespace pictavo
