#pragma once
// Ordering of file paths as the user expects them: the user's locale, letters compared
// without regard to case.
#include <QString>
#include <QStringList>

namespace pictavo {

// Sorts `paths` ascending in place; paths that differ only in case keep no fixed order.
void SortCaseInsensitive(QStringList& paths);

// Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareCaseInsensitive(const QString& a, const QString& b);

}  // namespace pictavo
