#pragma once
#include <QDate>
#include <QString>

#include "platform/db/Connection.h"

// A small but complete shop for the crash harness: members paid and unpaid (some with Null
// amounts), titles with copies out, partly returned, sold and on the shelf, bad discs (one
// still out), history two years old with the summary rows of an earlier fold, and the
// settings rows. Every title's station and issell agree with its lines, as the counter
// leaves them.
class CrashShop {
  public:
    static QDate Today() { return QDate(2025, 6, 10); }

    // Titles the actions work on.
    static constexpr const char* kIdleTitle = "031200000001";  // 科幻, history, nothing out
    static constexpr const char* kScienceFiction = "科幻";
    static constexpr int kScienceFictionCode = 12;
    // The basket numbers of FillWithBaskets.
    static constexpr const char* kRentalBasket = "0201";
    static constexpr const char* kSaleBasket = "0202";

    static void Fill(Connection& conn);
    // The shop of Fill with an open rental basket and an open sale basket at the counter,
    // stored as open (OpenBasketRow) as the check-outs leave them; or with one of them.
    static void FillWithBaskets(Connection& conn);
    static void FillWithRentalBasket(Connection& conn);
    static void FillWithSaleBasket(Connection& conn);

  private:
    struct Title {
        QString cdid;
        QString id;
        QString name;
        QString type;
        QString movieType;
        int count;
        QString station;
        int issell;
        int bad;
        int outCount;
    };
    static void Lists(Connection& conn);
    static void Settings(Connection& conn);
    static void Members(Connection& conn);
    static void Titles(Connection& conn);
    static void History(Connection& conn);
    static void SummaryOfEarlierFold(Connection& conn);
    static void RentalBasket(Connection& conn);
    static void SaleBasket(Connection& conn);

    static void AddTitle(Connection& conn, const Title& t);
    static void Rental(Connection& conn, const QString& cdid, const QString& no, const QString& who,
                       const QString& date, int copies, const QString& list, bool returnedAll);
    static void Return(Connection& conn, const QString& borrowid, const QString& no,
                       const QString& date, int copies, const QString& list);
    static void Sale(Connection& conn, const QString& cdid, const QString& no, const QString& who,
                     const QString& date, int copies, const QString& list, double money);
    static void SetTitle(Connection& conn, const QString& cdid, const QString& station, int issell,
                         int outCount);
};
