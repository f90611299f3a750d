#pragma once
// The archive open dialog's filter as the desktop's file dialog wants it.
#include <QString>

namespace pictavo {

// Turns a "text|patterns|text|patterns" filter into Qt's "text (p1 p2);;..." form.
QString QtNameFilters(const QString& filter);

}  // namespace pictavo
