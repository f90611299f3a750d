#pragma once
// Window placement on the screen: centred windows and the folder picker's size.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace pictavo {

// Top-left of a window of `window` size centred on a screen of `screen` size; the halves are
// truncated toward zero, so a window larger than the screen gets a negative position.
constexpr QPoint CentredPosition(QSize screen, QSize window) {
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

// The folder picker: a third of the screen in each direction, centred.
constexpr QRect FolderPickerGeometry(QSize screen) {
    const QSize size(screen.width() / 3, screen.height() / 3);
    return {CentredPosition(screen, size), size};
}

}  // namespace pictavo
