#include <exception>

#include "core/frmMain.h"
#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/app/ShopSettings.h"
#include "platform/ui/MsgBox.h"

namespace {
const char* const kDeleteUnnamedTypes = "delete from type where type is null or type = ''";
const char* const kDeleteUnnamedMovieTypes =
    "delete from movietype where type is null or type = ''";

// Start-up goes on past a failing step: only the opening of the database is examined.
template <typename Step>
void ResumeNext(Step step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

void ReadShopSettings() {
    const ShopSettings shop = ShopSettings::Read();
    gShopName = shop.Name;
    gShopTel = shop.Tel;
}

bool OpenDatabase() {
    try {
        gConn.Open(ConnectionStringFor(AppPath()));
        return true;
    } catch (const DbError& e) {
        MsgBox(e.Description(), vbOKOnly + vbCritical, QStringLiteral("错误"));
        return false;
    }
}

void DeleteUnnamedClassifications() {
    ResumeNext([] { gConn.Execute(kDeleteUnnamedTypes); });
    ResumeNext([] { gConn.Execute(kDeleteUnnamedMovieTypes); });
}

void ResetBaskets() {
    gBorrowOpen = false;
    gForeGiftSum = 0;
    gBorrowCountSum = 0;
    gSellOpen = false;
    gSellMoneySum = 0;
    gSellCountSum = 0;
}
}  // namespace

QString ConnectionStringFor(const QString& folder) {
    const QString file = folder.endsWith('/') ? folder + "cdmanage.mdb" : folder + "/cdmanage.mdb";
    return QStringLiteral("Provider=SQLite3;Data Source=%1;Persist Security Info=False").arg(file);
}

void Main() {
    ResumeNext(ReadShopSettings);
    gExiting = false;
    gQuit = false;
    if (!OpenDatabase()) {
        gQuit = true;
        return;
    }
    DeleteUnnamedClassifications();
    ResumeNext(ProcessMonthTax);
    ResumeNext(SumOldRecords);
    ResumeNext([] { frmMain::instance().EnableCatalogueEntry(); });
    ResetBaskets();
    ResumeNext([] { frmMain::instance().ResetBasketPanels(); });
    ResumeNext([] { frmMain::instance().Show(); });
}
