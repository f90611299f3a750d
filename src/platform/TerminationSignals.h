#pragma once
// SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in a terminal, `kill`) end the program
// the way closing its window does, so the settings are still written. A second signal of the
// same kind takes its default action, so a program that does not respond can still be stopped.
#include <QObject>
#include <functional>

namespace pictavo {

class TerminationSignals {
public:
    // Installs the handlers and unblocks the three signals (a launcher may start us with them
    // blocked); call first thing in main, before any thread exists. A signal that arrives
    // before the event loop runs waits in a pipe. Calling it again does nothing.
    static void Install();
    // Runs `onSignal` on the event loop of `context`'s thread for each signal caught. Requires
    // Install() and a QCoreApplication; the watch ends with `context`.
    static void Watch(QObject* context, std::function<void()> onSignal);
};

}  // namespace pictavo
