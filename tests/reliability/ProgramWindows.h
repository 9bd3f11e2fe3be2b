#pragma once
#include <QApplication>
#include <QList>
#include <QPointer>

#include "core/mdlMain.h"
#include "platform/ui/Form.h"
#include "tests/support/TestSupport.h"

// Every window of the program goes, without the closing questions, and the file closes.
inline void CloseProgram() {
    QList<QPointer<QWidget>> forms;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<Form*>(w)) forms << w;
    for (const QPointer<QWidget>& w : forms) delete w.data();
    Settle();
    ResetGlobalState();
}
