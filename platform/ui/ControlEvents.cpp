#include "platform/ui/ControlEvents.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>

#include "platform/ui/ErrorReport.h"
#include "platform/ui/FocusTracker.h"
#include "platform/ui/Twips.h"
#include "platform/ui/VbKeys.h"

ControlEvents* ControlEvents::Of(QWidget* control) {
    if (ControlEvents* existing = Find(control)) return existing;
    return new ControlEvents(control);
}

ControlEvents* ControlEvents::Find(const QWidget* control) {
    return control ? control->findChild<ControlEvents*>(QString(), Qt::FindDirectChildrenOnly)
                   : nullptr;
}

ControlEvents::ControlEvents(QWidget* control) : QObject(control), control_(control) {
    FocusTracker::Instance();
    control->installEventFilter(this);
    if (QWidget* surface = MouseSurface(); surface != control) surface->installEventFilter(this);
}

QWidget* ControlEvents::MouseSurface() const {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control_.data())) return area->viewport();
    return control_;
}

void ControlEvents::connectNotify(const QMetaMethod& signal) {
    // Moves without a button pressed reach a control only while it tracks the mouse.
    if (signal == QMetaMethod::fromSignal(&ControlEvents::MouseMove) && control_) {
        control_->setMouseTracking(true);
        MouseSurface()->setMouseTracking(true);
    }
}

bool ControlEvents::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return watched == control_ && KeyEvent(watched, event);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return watched == MouseSurface() && MouseEvent(watched, event);
        default:
            return false;
    }
}

bool ControlEvents::KeyEvent(QObject* watched, QEvent* event) {
    static QEvent* resending = nullptr;
    if (event == resending) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    int keyCode = VbKeyCode(*key);
    const int shift = VbShift(key->modifiers());
    if (event->type() == QEvent::KeyRelease) {
        if (key->isAutoRepeat() || !keyCode) return false;
        RunReported([&] { emit KeyUp(keyCode, shift); });
        return keyCode == 0;
    }
    if (keyCode) {
        RunReported([&] { emit KeyDown(keyCode, shift); });
        if (keyCode == 0) return true;
    }
    int keyAscii = VbKeyAscii(*key);
    if (!keyAscii) return false;
    const int typed = keyAscii;
    RunReported([&] { emit KeyPress(keyAscii); });
    if (keyAscii == 0) return true;
    if (keyAscii == typed) return false;
    QKeyEvent changed = KeyEventTyping(*key, keyAscii);
    QEvent* outer = resending;
    resending = &changed;
    QCoreApplication::sendEvent(watched, &changed);
    resending = outer;
    return true;
}

bool ControlEvents::MouseEvent(QObject* watched, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = static_cast<QWidget*>(watched)->mapTo(control_, mouse->position().toPoint());
    const double x = PixelsToTwips(at.x());
    const double y = PixelsToTwips(at.y());
    const int shift = VbShift(mouse->modifiers());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() == Qt::LeftButton) leftPressed_ = true;
            RunReported([&] { emit MouseDown(VbButton(mouse->button()), shift, x, y); });
            break;
        case QEvent::MouseButtonRelease: {
            RunReported([&] { emit MouseUp(VbButton(mouse->button()), shift, x, y); });
            const bool click = mouse->button() == Qt::LeftButton && leftPressed_ && control_ &&
                               control_->rect().contains(at);
            if (mouse->button() == Qt::LeftButton) leftPressed_ = false;
            if (click) RunReported([&] { emit Click(); });
            break;
        }
        case QEvent::MouseButtonDblClick:
            // The second press of a double click raises DblClick alone; its release
            // raises MouseUp but no second Click.
            if (mouse->button() == Qt::LeftButton) {
                leftPressed_ = false;
                RunReported([&] { emit DblClick(); });
            }
            break;
        default:
            RunReported([&] { emit MouseMove(VbButtons(mouse->buttons()), shift, x, y); });
            break;
    }
    return false;
}
