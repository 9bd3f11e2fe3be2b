#pragma once
#include <QApplication>
#include <QTest>
#include <QWidget>

// Shows a window and makes it the active one, as the operator's click would, so that focus
// and activation events reach it under the offscreen platform.
inline bool ShowActive(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// Runs the events that are waiting (activation, queued keys, deferred deletes).
inline void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

#include <QMouseEvent>
#include <ostream>

// A move of the pointer over a widget with no button pressed, delivered as such (the
// window system's own moves are dropped when the pointer already stands there).
inline void MoveMouse(QWidget* w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}
// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
