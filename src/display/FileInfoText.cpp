#include "display/FileInfoText.h"

#include <QFile>
#include <algorithm>

#include "platform/RegularFile.h"

namespace pictavo {

namespace {

constexpr int kSizeLine = 4;

QString Num(std::int64_t value) {
    return QString::number(value);
}

QString PixelSize(const PageFacts& page) {
    return Num(page.width) + QStringLiteral(" × ") + Num(page.height);
}

QStringList FirstLines(QStringList lines, std::int32_t state) {
    const qsizetype keep = std::clamp<qsizetype>(state, 0, lines.size());
    return lines.mid(0, keep);
}

}  // namespace

bool ShowsSizeLine(std::int32_t state) {
    return state >= kSizeLine;
}

QStringList SingleInfoLines(const PageFacts& page, std::int32_t imageCount, std::int32_t state) {
    return FirstLines({Num(page.index + 1) + QStringLiteral(" / ") + Num(imageCount), page.entry,
                       PixelSize(page), Num(page.fileSize) + QStringLiteral(" Byte")},
                      state);
}

QStringList SpreadInfoLines(const PageFacts& left, const PageFacts& right, std::int32_t imageCount,
                            std::int32_t state) {
    const QString amp = QStringLiteral(" & ");
    return FirstLines(
        {Num(left.index + 1) + amp + Num(right.index + 1) + QStringLiteral(" / ") + Num(imageCount),
         left.entry + amp + right.entry, PixelSize(left) + amp + PixelSize(right),
         Num(left.fileSize) + QStringLiteral(" Byte & ") + Num(right.fileSize) + QStringLiteral(" Byte")},
        state);
}

std::int64_t RoundedFileSize(const QString& path) {
    try {
        // Opened as the pictures are: a FIFO in the list gives 0 instead of blocking the show.
        const std::int64_t size = OpenRegularFile(QFile::encodeName(path).toStdString()).size;
        return size - size % 128;
    } catch (const ERegularFile&) {
        return 0;
    }
}

}  // namespace pictavo
