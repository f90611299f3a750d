#include "display/DisplayInputFilter.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "display/DisplayCommand.h"
#include "platform/VirtualKeys.h"

namespace pictavo {

namespace {

// 0 for the buttons that run nothing (back, forward, ...).
std::uint16_t ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kMouseLeftCode;
        case Qt::RightButton:
            return kMouseRightCode;
        case Qt::MiddleButton:
            return kMouseMiddleCode;
        default:
            return 0;
    }
}

// Qt passes a press that a control ignores on to its parents as a fresh copy; a press belongs
// to the widget only when no visible child of it lies under the pointer.
bool PressedOnItself(QObject* watched, const QMouseEvent* mouse) {
    return static_cast<QWidget*>(watched)->childAt(mouse->position().toPoint()) == nullptr;
}

}  // namespace

DisplayInputFilter::DisplayInputFilter(QWidget* window) : QObject(window) {
    Watch(window);
}

void DisplayInputFilter::SetClickTargets(const QList<QWidget*>& targets) {
    clickTargets_.clear();
    for (QWidget* target : targets) clickTargets_.append(target);
}

void DisplayInputFilter::Watch(QObject* object) {
    if (!object->isWidgetType()) return;
    object->installEventFilter(this);
    for (QObject* child : object->children()) Watch(child);
}

bool DisplayInputFilter::IsClickTarget(QObject* watched) const {
    for (const QPointer<QWidget>& target : clickTargets_)
        if (target == watched) return true;
    return false;
}

bool DisplayInputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        Watch(static_cast<QChildEvent*>(event)->child());
        return false;
    }
    if (!event->isInputEvent()) return false;
    const auto* input = static_cast<QInputEvent*>(event);
    const bool travelling = IsJourneyOfLast(watched, input);
    const InputMark mark{event, event->type(), input->timestamp(), event->spontaneous(), watched};
    lastInput_ = mark;
    if (!travelling) Report(watched, event);
    // The commands run above may have handled other input meanwhile; this one is still the
    // event whose journey to the parents follows.
    lastInput_ = mark;
    return false;
}

bool DisplayInputFilter::IsJourneyOfLast(QObject* watched, const QInputEvent* event) const {
    const InputMark& last = lastInput_;
    if (event != last.event || event->type() != last.type || event->timestamp() != last.timestamp)
        return false;
    // A wheel turn reaches the widget under the pointer as spontaneous and its parents as not;
    // two turns sent by code one after the other are both new.
    if (event->type() == QEvent::Wheel && !(last.spontaneous && !event->spontaneous())) return false;
    if (last.receiver.isNull()) return false;
    for (const QObject* up = last.receiver->parent(); up != nullptr; up = up->parent())
        if (up == watched) return true;
    return false;
}

void DisplayInputFilter::Report(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            emit KeyDown(VirtualKeyFromQtKey(key->key(), key->modifiers()), key->isAutoRepeat());
            return;
        }
        // A quick second click arrives as a press followed by a double-click event; only the
        // press counts, so every click moves the show once.
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const std::uint16_t code = ButtonCode(mouse->button());
            if (code != 0 && IsClickTarget(watched) && PressedOnItself(watched, mouse))
                emit MouseButtonDown(code);
            return;
        }
        case QEvent::Wheel: {
            // Only the vertical wheel drives the show; a sideways scroll or the end of a
            // touchpad gesture carries no vertical turn.
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0) emit WheelTurned(delta);
            return;
        }
        default:
            return;
    }
}

}  // namespace pictavo
