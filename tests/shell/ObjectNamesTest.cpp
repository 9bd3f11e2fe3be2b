#include <QApplication>
#include <QMap>
#include <QStringList>

#include "catalogue/frmFind.h"
#include "catalogue/frmSelPrint.h"
#include "core/frmWait.h"
#include "members/frmDispUser.h"
#include "members/frmUserBorrowLst.h"
#include "members/frmUserSellLst.h"
#include "platform/ui/frmMenu.h"
#include "reports/frmBorrowReport.h"
#include "reports/frmEarnReport.h"
#include "reports/frmHotCDInfo.h"
#include "reports/frmSellEarnInfo.h"
#include "reports/frmSellHotCDInfo.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "tests/shell/MainWindowTest.h"

namespace {
using ObjectNamesTest = MainWindowTest;

// Names given by Qt to the inner parts of its widgets (viewports, scroll bars...).
bool IsQtInternal(const QString& name) {
    return name.isEmpty() || name.startsWith("qt_");
}

// Every name used by more than one object within a window.
QStringList RepeatedNames(const QWidget* window) {
    QMap<QString, int> uses;
    for (const QObject* o : window->findChildren<QObject*>())
        if (!IsQtInternal(o->objectName())) ++uses[o->objectName()];
    QStringList repeated;
    for (auto it = uses.cbegin(); it != uses.cend(); ++it)
        if (it.value() > 1) repeated << QString("%1 ×%2").arg(it.key()).arg(it.value());
    return repeated;
}
}  // namespace

// Every control is found by its name: within a window no two objects share one.
TEST_F(ObjectNamesTest, EveryWindowNamesEachOfItsObjectsOnce) {
    LoadMainWindow();
    // Pages are built when first shown: show each so that all of them are walked.
    for (int button = 0; button < frmMain::kPageButtons; ++button)
        frmMain::instance().Image3_Click(button);
    frmFind::instance();
    frmSelPrint::instance();
    frmWait::instance();
    frmMenu::instance();
    frmEarnReport::instance();
    frmBorrowReport::instance();
    frmHotCDInfo::instance();
    frmSellEarnInfo::instance();
    frmSellHotCDInfo::instance();
    frmControlBack::instance();
    frmPayMoney::instance();
    frmDispUser::instance();
    frmUserBorrowLst::instance();
    frmUserSellLst::instance();
    int windows = 0;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (IsQtInternal(window->objectName())) continue;
        ++windows;
        EXPECT_EQ(RepeatedNames(window).join(", "), "") << window->objectName().toStdString();
    }
    EXPECT_GE(windows, 4);
    frmFind::unload();
    frmSelPrint::unload();
    frmWait::unload();
    frmMenu::unload();
    frmEarnReport::unload();
    frmBorrowReport::unload();
    frmHotCDInfo::unload();
    frmSellEarnInfo::unload();
    frmSellHotCDInfo::unload();
    frmControlBack::unload();
    frmPayMoney::unload();
    frmDispUser::unload();
    frmUserBorrowLst::unload();
    frmUserSellLst::unload();
}
