#include "core/mdlMain.h"

Connection gConn;
std::unique_ptr<Recordset> gRsForeGift;

QString gShopName;
QString gShopTel;

bool gQuit = false;
bool gExiting = false;
bool gForeGiftLoaded = false;

Basket gBorrowBasket;
Basket gSellBasket;

QString gReturnNo;

void ResetGlobalState() {
    gRsForeGift.reset();
    gConn.Close();
    gShopName.clear();
    gShopTel.clear();
    gQuit = false;
    gExiting = false;
    gForeGiftLoaded = false;
    gBorrowBasket.Clear();
    gSellBasket.Clear();
    gReturnNo.clear();
}
