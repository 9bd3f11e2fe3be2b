#pragma once
#include <QDateTime>
#include <vector>

#include "core/Basket.h"
#include "core/mdlMain.h"
#include "counter/RentalCheckOut.h"
#include "counter/SaleCheckOut.h"
#include "tests/core/CoreTest.h"

// A shop for the basket operations: the program's connection open on it, the clock at
// 2026-12-08 10:00, members 000001 (张三, 50.00 stored) and 000002 (李四, nothing stored).
class BasketFixture : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        SetToday(2026, 12, 8);
        Data().Add(ShopData::Member("000001", "张三").Money(50));
        Data().Add(ShopData::Member("000002", "李四"));
    }

    // A title with its copies, purchase amount per copy (deposit rule 0) and sale prices.
    void AddTitle(const QString& cdid, const QString& name, int copies, double sellprice = 10,
                  QVariant buymoney = QVariant(), QVariant membersellprice = QVariant()) {
        ShopData::Title title(cdid, name);
        title.Id(cdid.right(3)).Copies(copies).Prices(8, 3, sellprice);
        title.Set("buymoney", buymoney);
        title.Set("membersellprice", membersellprice.isValid() ? membersellprice : sellprice);
        Data().Add(title);
    }

    void SetDeposit(int rule, double walkIn, double member) {
        Sql(QString("update ForeGift set foregifttype=%1, money=%2, membermoney=%3")
                .arg(rule)
                .arg(walkIn)
                .arg(member));
    }

    // A rental check-out as the dialog confirms it, the basket following the result.
    RentalCheckOut::Result Rent(const QString& cdid, std::vector<int> copies,
                                const QString& customer = "000001", bool rewrites = false,
                                const QString& remark = QString()) {
        RentalCheckOut::Request r;
        r.basket = rental;
        r.userType = customer.size() == 6 ? kMemberUser : kWalkInUser;
        r.userName = customer;
        r.cdid = cdid;
        r.copies = std::move(copies);
        r.remark = remark;
        r.now = QDateTime(QDate(2026, 12, 8), QTime(10, 0));
        r.rewritesLine = rewrites;
        RentalCheckOut::Result result = RentalCheckOut::Run(gConn, r);
        if (result.outcome == RentalCheckOut::Outcome::Written) {
            rental = result.basket;
            deposit = Stored("foregift", "borrowinfo", "borrowid", rental.No);
        }
        return result;
    }

    SaleCheckOut::Result Sell(const QString& cdid, std::vector<int> copies,
                              const QString& customer = "000001", bool rewrites = false) {
        SaleCheckOut::Request r;
        r.basket = sale;
        r.userType = customer.size() == 6 ? kMemberUser : kWalkInUser;
        r.userName = customer;
        r.cdid = cdid;
        r.copies = std::move(copies);
        r.now = QDateTime(QDate(2026, 12, 8), QTime(10, 0));
        r.rewritesLine = rewrites;
        SaleCheckOut::Result result = SaleCheckOut::Run(gConn, r);
        if (result.outcome == SaleCheckOut::Outcome::Written) {
            sale = result.basket;
        }
        return result;
    }

    // The sum of a column over the lines of a basket, to the cent.
    double Stored(const char* column, const char* table, const char* key, const QString& no) {
        return gConn
            .Scalar(QString("select round(coalesce(sum(%1),0), 2) from %2 where substr(%3,-4) = ?1")
                        .arg(column, table, key),
                    {no})
            .ToDouble();
    }

    // One rental line: borrowid|name|borrowcount|borrowlst|isnotpaylst|remark|type|foregift
    QString RentalRow(const QString& borrowid) {
        return Query1(
            "select borrowid||'|'||name||'|'||borrowcount||'|'||borrowlst||'|'||"
            "isnotpaylst||'|'||remark||'|'||CredenceType||'|'||printf('%g',foregift)||"
            "'|'||borrowdate from borrowinfo where borrowid='" +
            borrowid + "'");
    }
    QString SaleRow(const QString& sellid) {
        return Query1(
            "select sellid||'|'||name||'|'||sellcount||'|'||selllst||'|'||remark||'|'||"
            "printf('%g',money) from sellinfo where sellid='" +
            sellid + "'");
    }
    // station|outcount|issell of a title.
    QString TitleState(const QString& cdid) {
        return Query1(
            "select station||'|'||coalesce(outcount,0)||'|'||coalesce(issell,0) "
            "from cdinfo where cdid='" +
            cdid + "'");
    }

    Basket rental;
    Basket sale;
    double deposit = 0;
};
