#include "core/mdlMain.h"

Connection gConn;
std::unique_ptr<Recordset> gRsForeGift;

QString gShopName;
QString gShopTel;

bool gQuit = false;
bool gExiting = false;
bool gForeGiftLoaded = false;

bool gBorrowOpen = false;
QString gBorrowNo;
int gBorrowUserType = 0;
QString gBorrowUserName;
double gBorrowCountSum = 0;
double gForeGiftSum = 0;

bool gSellOpen = false;
QString gSellNo;
int gSellUserType = 0;
QString gSellUserName;
double gSellCountSum = 0;
double gSellMoneySum = 0;

QString gReturnNo;

void ResetGlobalState() {
    gRsForeGift.reset();
    gConn.Close();
    gShopName.clear();
    gShopTel.clear();
    gQuit = false;
    gExiting = false;
    gForeGiftLoaded = false;
    gBorrowOpen = false;
    gBorrowNo.clear();
    gBorrowUserType = 0;
    gBorrowUserName.clear();
    gBorrowCountSum = 0;
    gForeGiftSum = 0;
    gSellOpen = false;
    gSellNo.clear();
    gSellUserType = 0;
    gSellUserName.clear();
    gSellCountSum = 0;
    gSellMoneySum = 0;
    gReturnNo.clear();
}
