#include "platform/Collation.h"

#include <QCollator>
#include <algorithm>

namespace pictavo {
namespace {

QCollator MakeCollator() {
    QCollator collator;  // the user's locale
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

}  // namespace

void SortCaseInsensitive(QStringList& paths) {
    const QCollator collator = MakeCollator();
    std::sort(paths.begin(), paths.end(),
              [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

int CompareCaseInsensitive(const QString& a, const QString& b) {
    return MakeCollator().compare(a, b);
}

}  // namespace pictavo
