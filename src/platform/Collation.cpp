#include "platform/Collation.h"

#include <QCollator>
#include <algorithm>
#include <utility>
#include <vector>

namespace pictavo {
namespace {

QCollator MakeCollator() {
    QCollator collator;  // the user's locale
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// The C locale compares case-folded code points: folding each path once and comparing the
// folded texts as plain code points gives the same order at a fraction of the cost. The part
// that every path shares (the scanned folder) cannot change the order and is skipped.
void SortByFoldedText(QStringList& paths) {
    std::vector<QString> folded;
    folded.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths) folded.push_back(path.toCaseFolded());
    const QStringView first = folded.empty() ? QStringView() : QStringView(folded.front());
    qsizetype shared = first.size();
    for (const QString& key : folded) {
        qsizetype same = 0;
        const qsizetype limit = std::min(shared, key.size());
        while (same < limit && key[same] == first[same]) ++same;
        shared = same;
    }

    std::vector<qsizetype> order(folded.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<qsizetype>(i);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byKey = QStringView(folded[static_cast<size_t>(a)])
                              .mid(shared)
                              .compare(QStringView(folded[static_cast<size_t>(b)]).mid(shared));
        return byKey != 0 ? byKey < 0 : paths[a] < paths[b];
    });
    QStringList sorted;
    sorted.reserve(paths.size());
    for (qsizetype index : order) sorted.append(std::move(paths[index]));
    paths = std::move(sorted);
}

// Comparing directly beats precomputed sort keys here: the paths of one scan share long
// prefixes, which the collation skips cheaply.
void SortByCollation(QStringList& paths, const QCollator& collator) {
    std::sort(paths.begin(), paths.end(), [&](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

}  // namespace

void SortCaseInsensitive(QStringList& paths) {
    const QCollator collator = MakeCollator();
    if (collator.locale().language() == QLocale::C)
        SortByFoldedText(paths);
    else
        SortByCollation(paths, collator);
}

}  // namespace pictavo
