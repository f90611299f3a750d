#include "app/DisplayGuard.h"

#include <QByteArray>
#include <QList>
#include <QMessageLogContext>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace pictavo {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<HeldMessage> heldMessages;

// The display the platform plug-in was asked for, as the user would name it.
QByteArray DisplayName() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty()) return value;
    }
    return QByteArrayLiteral("(neither DISPLAY nor WAYLAND_DISPLAY is set)");
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // Qt aborts when this returns; leave first, with one line and no core dump.
        std::fprintf(stderr, "pictavo: cannot open display %s\n", DisplayName().constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages.append({type, QByteArray(context.category), text});
}

}  // namespace

DisplayGuard::DisplayGuard() : previous_(qInstallMessageHandler(HoldMessage)) {}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(previous_);
    for (const HeldMessage& message : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
}

}  // namespace pictavo
