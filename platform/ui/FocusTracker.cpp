#include "platform/ui/FocusTracker.h"

#include <QApplication>

#include "platform/ui/ControlEvents.h"
#include "platform/ui/ErrorReport.h"

namespace {
bool Contains(const QWidget* ancestor, const QWidget* w) {
    return w && ancestor && (ancestor == w || ancestor->isAncestorOf(w));
}

// The controls with handlers around w, innermost first, up to its window.
QList<ControlEvents*> HandlersAround(QWidget* w) {
    QList<ControlEvents*> found;
    for (QWidget* a = w; a; a = a->isWindow() ? nullptr : a->parentWidget()) {
        if (ControlEvents* events = ControlEvents::Find(a)) found.append(events);
    }
    return found;
}
}  // namespace

FocusTracker& FocusTracker::Instance() {
    static FocusTracker* tracker = new FocusTracker();
    return *tracker;
}

FocusTracker::FocusTracker() : QObject(qApp) {
    connect(qApp, &QApplication::focusChanged, this, &FocusTracker::OnFocusChanged);
}

QWidget* FocusTracker::FocusOf(QWidget* window) const {
    return focusOf_.value(window);
}

void FocusTracker::OnFocusChanged(QWidget*, QWidget* now) {
    if (!now) return;  // the program lost the focus: every control keeps its own
    for (auto it = focusOf_.begin(); it != focusOf_.end();) {
        it = it.value().isNull() ? focusOf_.erase(it) : std::next(it);
    }
    QWidget* window = now->window();
    QPointer<QWidget> previous = focusOf_.value(window);
    if (previous == now) return;
    focusOf_[window] = now;
    // A LostFocus handler may move the focus on (back to its own control, as a check of
    // the typed value does): the control that was about to get the focus then never had
    // it, so it neither gets GotFocus here nor LostFocus in the nested change.
    const bool previousAnnounced = previous && previous != unannounced_;
    unannounced_ = now;
    if (previousAnnounced) RaiseLost(previous, now);
    if (focusOf_.value(window) != now) return;
    unannounced_ = nullptr;
    RaiseGot(previous, now);
}

void FocusTracker::RaiseLost(QWidget* from, QWidget* to) {
    for (ControlEvents* events : HandlersAround(from)) {
        if (!Contains(events->Control(), to)) RunReported([&] { emit events->LostFocus(); });
    }
}

void FocusTracker::RaiseGot(QWidget* from, QWidget* to) {
    const auto handlers = HandlersAround(to);
    for (auto it = handlers.rbegin(); it != handlers.rend(); ++it) {
        if (!Contains((*it)->Control(), from)) RunReported([&] { emit(*it)->GotFocus(); });
    }
}
