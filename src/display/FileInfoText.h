#pragma once
// The file-information lines drawn at the top-left of the picture area: position, entry,
// pixel size and file size, one more line for each FileInfoState step.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace pictavo {

// One page as the lines describe it. `index` is 0-based (shown 1-based); `fileSize` in bytes,
// already rounded down to 128.
struct PageFacts {
    std::int32_t index = 0;
    QString entry;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int64_t fileSize = 0;
};

// The first `state` lines (0..4; more is clamped) for a single picture among `imageCount`.
QStringList SingleInfoLines(const PageFacts& page, std::int32_t imageCount, std::int32_t state);

// The same for a spread, `left` and `right` as they are displayed.
QStringList SpreadInfoLines(const PageFacts& left, const PageFacts& right, std::int32_t imageCount,
                            std::int32_t state);

// Whether the size line is among the first `state` lines, i.e. whether the file must be read.
bool ShowsSizeLine(std::int32_t state);

// The file's length in bytes rounded down to a multiple of 128 (1,100 bytes give 1024).
// A file that cannot be opened for reading gives 0: the lines are informative and a missing
// file must not stop the show.
std::int64_t RoundedFileSize(const QString& path);

}  // namespace pictavo
