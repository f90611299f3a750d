#include "sources/ListFile.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/CodePage.h"
#include "platform/RegularFile.h"
#include "platform/TextFile.h"

namespace pictavo {
namespace {

// The whole file, refused before anything is allocated when it is larger than `maxBytes`; one
// byte past the limit is read, since the size may change while we read.
QByteArray ReadRegularFile(const QString& path, qint64 maxBytes) {
    const std::string name = QFile::encodeName(path).toStdString();
    RegularFile file;
    try {
        file = OpenRegularFile(name);
    } catch (const ERegularFile& error) {
        throw EListFileRead(error.what());
    }
    if (file.size > maxBytes) throw EListFileRead("file too large: " + name);
    QByteArray bytes(static_cast<qsizetype>(file.size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxBytes) throw EListFileRead("file too large: " + name);
            bytes.resize(std::min<qint64>(maxBytes + 1, bytes.size() * 2));
        }
        const std::size_t got = std::fread(bytes.data() + filled, 1,
                                           static_cast<std::size_t>(bytes.size() - filled), file.file.get());
        filled += static_cast<qsizetype>(got);
        if (got == 0) break;
    }
    if (std::ferror(file.file.get())) throw EListFileRead("cannot read " + name);
    bytes.truncate(filled);
    return bytes;
}

}  // namespace

QStringList ParseListFile(const QByteArray& bytes) {
    return SplitLines(DecodeText(bytes));
}

QStringList ReadListFile(const QString& path, qint64 maxBytes) {
    return ParseListFile(ReadRegularFile(path, maxBytes));
}

// A first path that begins with a byte-order mark keeps it: the reader drops one mark at the
// start of a file, so one more is written ahead of it.
QByteArray ListFileBytes(const QStringList& items) {
    const bool startsWithMark = !items.isEmpty() && items.first().startsWith(QChar(0xFEFF));
    return (startsWithMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + JoinLinesCrLf(items);
}

void WriteListFile(const QString& path, const QStringList& items) {
    try {
        WriteFileAtomically(path, ListFileBytes(items));
    } catch (const ETextFileWrite& error) {
        throw EListFileWrite(error.what());
    }
}

QString ListFileName(const QString& chosen) {
    const qsizetype slash = chosen.lastIndexOf(u'/');
    const qsizetype dot = chosen.lastIndexOf(u'.');
    const bool hasLst = dot > slash && QStringView(chosen).mid(dot) == u".lst";
    return hasLst ? chosen : chosen + ".lst";
}

}  // namespace pictavo
