#include "platform/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace pictavo {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// The self-pipe: the handler may only write(), the event loop reads.
int signalPipe[2] = {-1, -1};

void OnSignal(int signalNumber) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

void TerminationSignals::Install() {
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigset_t mask;
    sigemptyset(&mask);
    for (int signalNumber : kSignals) {
        ::sigaction(signalNumber, &action, nullptr);
        sigaddset(&mask, signalNumber);
    }
    ::sigprocmask(SIG_UNBLOCK, &mask, nullptr);
}

void TerminationSignals::Watch(QObject* context, std::function<void()> onSignal) {
    if (signalPipe[0] < 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [onSignal = std::move(onSignal)] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        onSignal();
    });
}

}  // namespace pictavo
