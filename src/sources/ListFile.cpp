#include "sources/ListFile.h"

#include "platform/CodePage.h"
#include "platform/NameExtension.h"
#include "platform/TextFile.h"

namespace pictavo {

QStringList ParseListFile(const QByteArray& bytes) {
    return SplitLines(DecodeText(bytes));
}

QStringList ReadListFile(const QString& path, qint64 maxBytes) {
    try {
        return SplitLines(ReadTextFile(path, maxBytes));
    } catch (const ETextFileRead& error) {
        throw EListFileRead(error.what());
    }
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
    return NameExtension(chosen) == u".lst" ? chosen : chosen + ".lst";
}

}  // namespace pictavo
