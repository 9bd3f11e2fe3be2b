#include "platform/ui/SendKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

void SendKeysTab() {
    QWidget* target = QApplication::focusWidget();
    if (!target) return;
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier));
}
