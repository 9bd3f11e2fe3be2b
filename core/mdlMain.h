#pragma once
// The program's shared module: global state, shared procedures and start-up jobs.
#include <QString>
#include <memory>

#include "core/Basket.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

class QLineEdit;

// ---- Connection and the deposit rule ---------------------------------------------
extern Connection gConn;                        // the one connection to cdmanage.mdb
extern std::unique_ptr<Recordset> gRsForeGift;  // "select * from foregift", kept open

// ---- Shop settings (Lumtrak.ini) -------------------------------------------------
extern QString gShopName;
extern QString gShopTel;

// ---- Life-cycle flags ------------------------------------------------------------
extern bool gQuit;            // opening the database failed; no window was shown
extern bool gExiting;         // the main window is unloading: printing loops stop
extern bool gForeGiftLoaded;  // the settings page may write the deposit rule

// ---- The baskets at the counter --------------------------------------------------
// As the counter shows them. Which basket is open, and on what terms, is stored in the file
// with its lines (OpenBasketRow): these mirror it, and no statement reads them instead.
extern Basket gBorrowBasket;
extern Basket gSellBasket;

// ---- The return in progress ------------------------------------------------------
extern QString gReturnNo;

// Customer kinds of a basket.
constexpr int kMemberUser = 3;
constexpr int kWalkInUser = 4;

// Puts every item back to its empty value (as at program start).
void ResetGlobalState();

// ---- Start-up maintenance jobs ----------------------------------------------------
void ProcessMonthTax();
void SumOldRecords();

// ---- Shared procedures ------------------------------------------------------------
bool IsUserExist(const QString& UserID);
QString NullToStr(const Value& v);
QString GetPYChar(const QString& s);
QString DecToBase(int& n, int Base);
void IntDivMod(int a, int b, int& q, int& r);
void SelectAllText(QLineEdit* Txt);
// What one copy of the title cost the shop, the deposit of one copy under the purchase
// amount rule: its buymoney, else its price (Null counts 0); 0 when there is no such title.
Value GetBuyMoney(const QString& CDID);
Money BuyMoneyOf(Connection& conn, const QString& CDID);
// The walk-in name offered today for Kind "borrow" or "sell"; empty when the day's
// 999 names are used up (the operator then types a name).
QString GetNewID(const QString& Kind);
