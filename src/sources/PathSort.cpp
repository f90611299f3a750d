#include "sources/PathSort.h"

#include <QCollator>
#include <algorithm>

namespace pictavo {

void SortPathsIgnoringCase(QStringList& paths) {
    QCollator collator;  // the user's locale
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Comparing directly beats precomputed sort keys here: the paths of one scan share long
    // prefixes, which the collation skips cheaply.
    std::sort(paths.begin(), paths.end(), [&](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

}  // namespace pictavo
