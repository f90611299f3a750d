#pragma once
// The program icon, drawn in code so that no picture file has to travel with the program: a
// framed landscape (sky, sun, hills) with a play mark for "slideshow".
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace pictavo {

// The icon at `size` x `size` pixels (size >= 16) as a premultiplied ARGB image. Needs no
// application object, so the build can render the installed icon files with it.
QImage ProgramIconImage(int size);
// The same as a pixmap (needs a QGuiApplication).
QPixmap ProgramIconPixmap(int size);
// The icon in the usual window-icon sizes.
QIcon ProgramIcon();

}  // namespace pictavo
