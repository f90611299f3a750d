#include "platform/TextFile.h"

#include <QFile>

#include "platform/CodePage.h"
#include "platform/RegularFile.h"

namespace pictavo {

QString ReadTextFile(const QString& path, qint64 maxBytes) {
    RegularFile opened;
    try {
        opened = OpenRegularFile(QFile::encodeName(path).toStdString());
    } catch (const ERegularFile& e) {
        throw ETextFileRead(e.what());
    }
    // The size is checked before anything is allocated; reading on to the end in pieces also
    // catches files whose size the system does not report (/proc) or that grow meanwhile.
    const auto tooLarge = [&] { return ETextFileRead("file too large: " + path.toStdString()); };
    if (opened.size > maxBytes) throw tooLarge();
    QByteArray bytes;
    char piece[64 * 1024];
    std::size_t got = 0;
    do {
        got = std::fread(piece, 1, sizeof piece, opened.file.get());
        bytes.append(piece, static_cast<qsizetype>(got));
        if (bytes.size() > maxBytes) throw tooLarge();
    } while (got == sizeof piece);
    if (std::ferror(opened.file.get())) throw ETextFileRead("cannot read " + path.toStdString());
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
