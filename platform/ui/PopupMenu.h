#pragma once
#include <QPoint>
#include <functional>

class QAction;
class QMenu;

// Pops a menu up at the mouse pointer (or at `at`, in global coordinates) and waits for
// the operator's choice; the chosen item's action is triggered, so its handler runs before
// this returns. Returns the chosen action, nullptr when the menu was closed without one.
QAction* PopupMenu(QMenu* menu);
QAction* PopupMenu(QMenu* menu, const QPoint& at);

// Tests and scripted runs: the responder gets the menu instead of the operator and
// returns the action to choose (or nullptr).
void SetPopupMenuResponder(std::function<QAction*(QMenu*)> responder);
void ClearPopupMenuResponder();
