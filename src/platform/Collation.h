#pragma once
// Ordering of file paths as the user expects them: the user's locale, letters compared
// without regard to case.
#include <QString>
#include <QStringList>

namespace pictavo {

// Sorts `paths` ascending in place. Paths that the collation calls equal (e.g. differing only
// in case) keep a fixed order by their code points. Every collected list is sorted with it.
void SortCaseInsensitive(QStringList& paths);

}  // namespace pictavo
