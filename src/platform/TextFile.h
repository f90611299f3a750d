#pragma once
// Reading and writing the program's text files (settings, file lists). Files are read as
// UTF-8 or CP932 (see CodePage.h) and always written as UTF-8 with CR LF line ends.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace pictavo {

// A text file could not be read (missing, unreadable, a folder, or larger than allowed).
class ETextFileRead : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text file could not be written; whatever stood at the path before is still there.
class ETextFileWrite : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Largest text file we read at all, in bytes: a settings or list file far beyond this is not
// one of ours, and refusing it keeps a stray huge file from exhausting memory.
inline constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;

// Reads and decodes the whole file at `path`. Throws ETextFileRead.
QString ReadTextFile(const QString& path, qint64 maxBytes = kMaxTextFileBytes);

// Splits at CR LF, lone CR and lone LF; a line break after the last line adds no empty line.
QStringList SplitLines(const QString& text);

// Each line followed by CR LF, encoded as UTF-8.
QByteArray JoinLinesCrLf(const QStringList& lines);

// Writes `bytes` into a new file beside `path`, syncs it to disk and renames it over `path`,
// so a crash or a full disk never leaves a half-written or missing file. Throws ETextFileWrite.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace pictavo
