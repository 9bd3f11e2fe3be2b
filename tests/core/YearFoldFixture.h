#pragma once
#include <QString>

#include "tests/core/CoreTest.h"

// A member and two titles, with helpers that add rentals, returns and sales on given dates:
// the rows the yearly fold works on.
class YearFoldFixture : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        Sql("insert into userinfo (userid, username, money) values ('000001', '张三', 0);"
            "insert into cdinfo (cdid, name, count) values ('010100000001', '英雄', 2);"
            "insert into cdinfo (cdid, name, count) values ('010100000002', '卧虎', 1)");
    }
    void Rental(const QString& id, const QString& name, const QString& date, double money,
                double foregift = 0) {
        Sql(QString("insert into borrowinfo (borrowid,name,borrowdate,borrowcount,borrowlst,money,"
                    "foregift,isreturnall) values ('%1','%2','%3',1,'&1#',%4,%5,1)")
                .arg(id, name, date)
                .arg(money)
                .arg(foregift));
    }
    void ReturnOf(const QString& borrowid, const QString& no) {
        Sql(QString("insert into returninfo (returnid,returndate,returncount,returnlst) "
                    "values ('%1%2','2024-06-01 10:00:00',1,'&1#')")
                .arg(borrowid, no));
    }
    void Sale(const QString& id, const QString& name, const QString& date, double money) {
        Sql(QString("insert into sellinfo (sellid,name,selldate,sellcount,selllst,money) "
                    "values ('%1','%2','%3',1,'&2#',%4)")
                .arg(id, name, date)
                .arg(money));
    }
};
