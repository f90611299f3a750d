#pragma once
// The extension rule of FileNames.h for paths held as QString.
#include <QString>

namespace pictavo {

// FileExtension of `path` as written (case kept, dot included; empty when the name has none).
QString NameExtension(const QString& path);

}  // namespace pictavo
