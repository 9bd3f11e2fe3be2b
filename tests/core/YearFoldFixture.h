#pragma once
#include <QString>
#include <tuple>

#include "tests/core/CoreTest.h"

// A member and two titles, with helpers that add rentals, returns and sales on given dates:
// the rows the yearly fold works on.
class YearFoldFixture : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        Data().Add(ShopData::Member("000001", "张三"));
        for (const auto& [cdid, name, count] :
             {std::tuple{"010100000001", "英雄", 2}, std::tuple{"010100000002", "卧虎", 1}})
            Data().Add(ShopData::Row("cdinfo")
                           .Set("cdid", QString(cdid))
                           .Set("name", QString::fromUtf8(name))
                           .Set("count", count));
    }
    // A rental line returned whole (its return rows are ReturnOf's).
    void Rental(const QString& id, const QString& name, const QString& date, double money,
                double foregift = 0) {
        Data().Add(ShopData::Rental(id.left(12), id.mid(12))
                       .By(name)
                       .On(date)
                       .Money(money, foregift)
                       .MarkedReturned());
    }
    void ReturnOf(const QString& borrowid, const QString& no) {
        Data().Add(ShopData::Return(borrowid, no).On("2024-06-01 10:00:00"));
    }
    void Sale(const QString& id, const QString& name, const QString& date, double money) {
        Data().Add(
            ShopData::Sale(id.left(12), id.mid(12)).By(name).On(date).Copies("&2#").Money(money));
    }
};
