#pragma once
// Without a display, creating the QApplication makes Qt print several lines and abort with a
// core dump. While a DisplayGuard lives, Qt's messages are held back; a fatal one ends the
// program with one line, "pictavo: cannot open display ...", on standard error and status 1.
// When the guard goes, the held messages are passed on as Qt would have printed them.
#include <QtGlobal>

namespace pictavo {

class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

private:
    QtMessageHandler previous_;
};

}  // namespace pictavo
