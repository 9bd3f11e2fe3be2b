#include <QStringList>
#include <exception>
#include <iterator>

#include "shell/Startup.h"

#include "core/ShopFileAdditions.h"
#include "core/frmWait.h"
#include "core/mdlMain.h"
#include "counter/LeftOpenBaskets.h"
#include "platform/app/AppPath.h"
#include "platform/app/ShopSettings.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/MsgBox.h"
#include "shell/frmMain.h"

namespace {
const char* const kDeleteUnnamedTypes = "delete from type where type is null or type = ''";
const char* const kDeleteUnnamedMovieTypes =
    "delete from movietype where type is null or type = ''";

// The shop's tables (support/schema.sql). An empty file opens as an empty database and
// another program's database opens too: without these tables the pages would fail one by
// one, so such a file is refused at the door, by reading only.
const char* const kShopTables[] = {"cdinfo", "userinfo",  "borrowinfo",   "returninfo", "sellinfo",
                                   "type",   "movietype", "pricepercent", "ForeGift"};
const char* const kTableExists =
    "select count(*) from sqlite_master where type = 'table' and name = ?1 collate nocase";

// Start-up goes on past a failing step (TryStep): only the opening of the database is
// examined; the other steps tidy, total or show, and a failure of one leaves the program
// usable with what the others did.

void ReadShopSettings() {
    const ShopSettings shop = ShopSettings::Read();
    gShopName = shop.Name;
    gShopTel = shop.Tel;
}

QStringList MissingShopTables() {
    QStringList missing;
    for (const char* table : kShopTables)
        if (gConn.Scalar(QString::fromUtf8(kTableExists), {QString::fromUtf8(table)}).ToInt() == 0)
            missing << QString::fromUtf8(table);
    return missing;
}

void CheckShopTables() {
    const QStringList missing = MissingShopTables();
    if (missing.isEmpty()) return;
    const QString refusal = QStringLiteral("文件“%1”不是本程序的数据库").arg(gConn.DataSource());
    if (missing.size() == static_cast<int>(std::size(kShopTables)))
        throw DbError(refusal + QStringLiteral("。"));
    throw DbError(refusal +
                  QStringLiteral("：缺少数据表 %1。").arg(missing.join(QStringLiteral("、"))));
}

bool OpenDatabase() {
    try {
        gConn.Open(ConnectionStringFor(AppPath()));
        CheckShopTables();
        return true;
    } catch (const DbError& e) {
        gConn.Close();  // nothing is read or written in a file that was refused
        MsgBox(e.Description(), vbOKOnly + vbCritical, QStringLiteral("错误"));
        return false;
    }
}

// A file made before the program's own additions gets them before anything reads it, behind
// the wait window when indexes are built over every line (seconds on a large shop, once in
// the file's life). One that cannot be written works read-only as before, only slower.
void BringShopFileUp() {
    TryStep([] {
        if (!ShopFileAdditions::TakesLong(gConn)) {
            ShopFileAdditions::BringUp(gConn);
            return;
        }
        frmWait::instance().Say(QStringLiteral("正在更新数据库文件，请稍候……"));
        frmWait::instance().Show();
        DoEvents();
        struct Unload {
            ~Unload() { frmWait::unload(); }
        } unload;
        ShopFileAdditions::BringUp(gConn);
    });
}

// A basket the program left open when it last stopped (a crash, a kill, a power cut) is no
// rental or sale: it goes back to the shelf before anything counts it (the monthly fee and
// the yearly fold among them), and the operator is told once which it was. A file that
// refuses keeps it stored as open, so that nothing counts it still, and says why.
void RollBackBasketsLeftOpen() {
    try {
        const QString told = LeftOpenBaskets::Message(LeftOpenBaskets::RollBack(gConn));
        if (!told.isEmpty()) MsgBox(told, vbOKOnly + vbInformation, LeftOpenBaskets::Title());
    } catch (const DbError& e) {
        MsgBox(QStringLiteral("上次没有结帐的光盘没能退回：\n") + e.Description(),
               vbOKOnly + vbExclamation, QStringLiteral("错误"));
    }
}

void DeleteUnnamedClassifications() {
    TryStep([] { gConn.Execute(kDeleteUnnamedTypes); });
    TryStep([] { gConn.Execute(kDeleteUnnamedMovieTypes); });
}

void ResetBaskets() {
    gBorrowBasket.Open = false;
    gSellBasket.Open = false;
}
}  // namespace

QString ConnectionStringFor(const QString& folder) {
    const QString file = folder.endsWith('/') ? folder + "cdmanage.mdb" : folder + "/cdmanage.mdb";
    return QStringLiteral("Provider=SQLite3;Data Source=%1;Persist Security Info=False").arg(file);
}

bool PrepareShop() {
    if (!OpenDatabase()) return false;
    BringShopFileUp();
    RollBackBasketsLeftOpen();
    DeleteUnnamedClassifications();
    TryStep(ProcessMonthTax);
    TryStep(SumOldRecords);
    return true;
}

void Main() {
    TryStep(ReadShopSettings);
    gExiting = false;
    gQuit = false;
    if (!PrepareShop()) {
        gQuit = true;
        return;
    }
    TryStep([] { frmMain::instance().EnableCatalogueEntry(); });
    ResetBaskets();
    TryStep([] { frmMain::instance().ResetBasketPanels(); });
    TryStep([] { frmMain::instance().Show(); });
}
