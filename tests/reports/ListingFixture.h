#pragma once
#include <QStringList>
#include <initializer_list>
#include <ostream>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "reports/RecentPeriod.h"
#include "reports/ReportLines.h"
#include "tests/support/TestSupport.h"

// A small shop on Wednesday 9 December 2026, 10:00, whose report rows the tests work out by
// hand: this week runs from Monday the 7th up to Monday the 14th, yesterday is the 8th and
// the day before yesterday the 7th. Members 000001 张三 and 000002 李四; walk-in customers
// 20261207001 (a generated key) and 王五 (a typed name).
class ListingTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        ResetGlobalState();
        SetToday(2026, 12, 9);
        ShopData data = Data();
        data.Add(ShopData::Title("030100000001", "英雄")
                     .Copies(3)
                     .Prices(20, 3, 30)
                     .BoughtOn("2026-01-05"));
        data.Add(ShopData::Title("030100000002", "无间道")
                     .Copies(3)
                     .Prices(15, 2, 25)
                     .BoughtOn("2025-06-01"));
        // A title whose purchase price was never entered: its cost counts 0.
        data.Add(ShopData::Title("030100000003", "花样年华").Copies(1).BoughtOn("2024-03-05"));
        data.Add(ShopData::Title("050100000004", "大话西游")
                     .Copies(2)
                     .Prices(10, 2, 12)
                     .BoughtOn("2026-12-07"));
        data.Add(ShopData::Member("000001", "张三"));
        data.Add(ShopData::Member("000002", "李四"));
    }
    void TearDown() override {
        ResetGlobalState();
        ShopTest::TearDown();
    }

    void OpenShop() { gConn.OpenFile(DbPath()); }
    static RecentPeriod Period(int index) { return RecentPeriod::Of(index, Now()); }
};

inline QStringList R(std::initializer_list<const char*> cells) {
    QStringList out;
    for (const char* c : cells) out << QString::fromUtf8(c);
    return out;
}

inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(" | ").toStdString() << ']';
}
