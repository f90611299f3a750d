#pragma once
// The order of every collected list: full path texts compared ignoring case, in the user's
// locale.
#include <QStringList>

namespace pictavo {

// Sorts `paths` ascending with the user's locale collation, ignoring case. Paths that the
// collation calls equal (e.g. differing only in case) keep a fixed order by their code points.
void SortPathsIgnoringCase(QStringList& paths);

}  // namespace pictavo
