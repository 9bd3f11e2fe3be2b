#include "platform/ui/TabOrder.h"

#include <QWidget>

namespace {
// The control that really gets the focus when w is given it.
QWidget* FocusTarget(QWidget* w) {
    while (w->focusProxy()) w = w->focusProxy();
    return w;
}

bool ShownAndEnabled(const QWidget* w, const QWidget* window) {
    return w->window() == window && w->isVisibleTo(window) && w->isEnabled();
}

bool TakesTabFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// A part of a compound control (the edit field of a combo box) hands its focus to the
// control around it; stopping at it in the direction that leads back into that control
// would keep Tab going round inside it.
bool LeadsBackInto(const QWidget* w, const QWidget* target, bool next) {
    if (target == w) return false;
    return next ? target->isAncestorOf(w) : w->isAncestorOf(target);
}

bool IsTabStop(QWidget* w, const QWidget* window, const QWidget* from, bool next) {
    QWidget* target = FocusTarget(w);
    return target != from && ShownAndEnabled(w, window) && ShownAndEnabled(target, window) &&
           TakesTabFocus(target) && !LeadsBackInto(w, target, next);
}

QWidget* Step(QWidget* w, bool next) {
    return next ? w->nextInFocusChain() : w->previousInFocusChain();
}
}  // namespace

QWidget* TabStopFrom(QWidget* window, bool next) {
    QWidget* from = window->focusWidget() ? window->focusWidget() : window;
    for (QWidget* w = Step(from, next); w && w != from; w = Step(w, next)) {
        if (IsTabStop(w, window, from, next)) return w;
    }
    return nullptr;
}

bool MoveFocusByTab(QWidget* window, bool next) {
    QWidget* to = TabStopFrom(window, next);
    if (!to) return false;
    to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
