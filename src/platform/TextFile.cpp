#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include "platform/CodePage.h"

namespace pictavo {

QString ReadTextFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        throw ETextFileRead("cannot open " + path.toStdString());
    }
    // The size is checked before anything is allocated; reading one byte past the limit
    // also catches files whose size the system does not report (pipes, /proc).
    if (file.size() > maxBytes) throw ETextFileRead("file too large: " + path.toStdString());
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes) throw ETextFileRead("file too large: " + path.toStdString());
    if (file.error() != QFileDevice::NoError) throw ETextFileRead("cannot read " + path.toStdString());
    return DecodeText(bytes);
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    if (start < size) lines.append(text.mid(start));
    return lines;
}

QByteArray JoinLinesCrLf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace pictavo
