#include "platform/ui/PopupMenu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace {
std::function<QAction*(QMenu*)>& Responder() {
    static std::function<QAction*(QMenu*)> responder;
    return responder;
}
}  // namespace

QAction* PopupMenu(QMenu* menu) {
    return PopupMenu(menu, QCursor::pos());
}

QAction* PopupMenu(QMenu* menu, const QPoint& at) {
    if (!menu) return nullptr;
    if (Responder()) {
        QAction* chosen = Responder()(menu);
        if (chosen) chosen->trigger();
        return chosen;
    }
    return menu->exec(at);  // triggers the chosen action itself
}

void SetPopupMenuResponder(std::function<QAction*(QMenu*)> responder) {
    Responder() = std::move(responder);
}

void ClearPopupMenuResponder() {
    Responder() = nullptr;
}
