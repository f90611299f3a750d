#pragma once
// The program icon, drawn in code so that no picture file has to travel with the program: a
// framed landscape (sky, sun, hills) with a play mark for "slideshow".
#include <QIcon>
#include <QPixmap>

namespace pictavo {

// The icon at `size` x `size` pixels (size >= 16).
QPixmap ProgramIconPixmap(int size);
// The icon in the usual window-icon sizes.
QIcon ProgramIcon();

}  // namespace pictavo
