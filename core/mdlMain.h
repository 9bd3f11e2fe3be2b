#pragma once
// The program's shared module: global state, shared procedures and start-up jobs.
#include <QString>
#include <memory>

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

class QLineEdit;

// ---- Connection and the deposit rule ---------------------------------------------
extern Connection gConn;                     // the one connection to cdmanage.mdb
extern std::unique_ptr<Recordset> gRsForeGift;  // "select * from foregift", kept open

// ---- Shop settings (Lumtrak.ini) -------------------------------------------------
extern QString gShopName;
extern QString gShopTel;

// ---- Life-cycle flags ------------------------------------------------------------
extern bool gQuit;             // opening the database failed; no window was shown
extern bool gExiting;          // the main window is unloading: printing loops stop
extern bool gForeGiftLoaded;   // the settings page may write the deposit rule

// ---- The rental basket -----------------------------------------------------------
extern bool gBorrowOpen;
extern QString gBorrowNo;       // 4 digits, right(borrowid,4) of the basket's lines
extern int gBorrowUserType;     // 3 a member, 4 a walk-in customer
extern QString gBorrowUserName;
extern double gBorrowCountSum;
extern double gForeGiftSum;

// ---- The sale basket -------------------------------------------------------------
extern bool gSellOpen;
extern QString gSellNo;
extern int gSellUserType;
extern QString gSellUserName;
extern double gSellCountSum;
extern double gSellMoneySum;

// ---- The return in progress ------------------------------------------------------
extern QString gReturnNo;

// Customer kinds of a basket.
constexpr int kMemberUser = 3;
constexpr int kWalkInUser = 4;

// Puts every item back to its empty value (as at program start).
void ResetGlobalState();

// ---- Start-up ---------------------------------------------------------------------
// Does what start-up does and returns; the caller runs the event loop unless gQuit.
void Main();
// The connection string start-up builds for a program folder.
QString ConnectionStringFor(const QString& folder);

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
Value GetBuyMoney(const QString& CDID);
// The walk-in name offered today for Kind "borrow" or "sell"; empty when the day's
// 999 names are used up (the operator then types a name).
QString GetNewID(const QString& Kind);
