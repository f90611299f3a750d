#pragma once
// Sees every key, mouse button and wheel turn in the display window before the control under
// it does, and reports them as key codes. Nothing is consumed: the focused control (the file
// list, the settings panel's fields) still gets its keys.
#include <QInputEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>

namespace pictavo {

class DisplayInputFilter : public QObject {
    Q_OBJECT
public:
    // Watches `window` and every widget below it, including widgets added later. The filter
    // is a child of `window` and lives as long as it does.
    explicit DisplayInputFilter(QWidget* window);

    // Mouse buttons are reported only when pressed on one of these widgets (the window, the
    // picture area and the animation view); presses elsewhere belong to that control.
    void SetClickTargets(const QList<QWidget*>& targets);

signals:
    // A key went down; `code` is its virtual-key code, 0 when it has none. `autoRepeat` is set
    // for the repeats of a held key.
    void KeyDown(std::uint16_t code, bool autoRepeat);
    // Left, right or middle button went down: code 1, 2 or 4.
    void MouseButtonDown(std::uint16_t code);
    // The wheel turned; `delta` in eighths of a degree, negative towards the user.
    void WheelTurned(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QObject* object);
    void Report(QObject* watched, QEvent* event);
    bool IsClickTarget(QObject* watched) const;

    // Keys and wheel turns that a control ignores travel on to its parents, which are
    // watched too, as the same event object. An event is that journey only when it is the
    // object last seen, of the same type and time, arriving at a parent of the widget that
    // saw it last: a new event, even one built at the same address in the same millisecond,
    // starts again at the widget it is sent to. The pointer is only compared.
    struct InputMark {
        const QEvent* event = nullptr;
        QEvent::Type type = QEvent::None;
        quint64 timestamp = 0;
        bool spontaneous = false;
        QPointer<QObject> receiver;
    };
    bool IsJourneyOfLast(QObject* watched, const QInputEvent* event) const;

    InputMark lastInput_;
    QList<QPointer<QWidget>> clickTargets_;
};

}  // namespace pictavo
