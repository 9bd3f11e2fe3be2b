#pragma once
#include <QStringList>
#include <initializer_list>

#include "reports/RecentPeriod.h"
#include "reports/ReportLines.h"
#include "reports/frmBorrowReport.h"
#include "reports/frmEarnReport.h"
#include "reports/frmHotCDInfo.h"
#include "reports/frmSellEarnInfo.h"
#include "reports/frmSellHotCDInfo.h"
#include "tests/reports/ReportsFixture.h"

// The statistics page's links to the returns income, rentals, most-rented, sales income and
// best-selling windows.
enum ListingLink {
    kEarnLink = 3,
    kBorrowLink = 4,
    kHotLink = 5,
    kSellEarnLink = 6,
    kSellHotLink = 7
};

// A small shop on Wednesday 9 December 2026, 10:00, whose report rows the tests work out by
// hand: this week runs from Monday the 7th up to Monday the 14th, yesterday is the 8th and
// the day before yesterday the 7th. Titles 英雄 (3 copies at 20, bought 2026-01-05), 无间道
// (3 at 15, 2025-06-01), 花样年华 (1 copy, no purchase price, 2024-03-05) and 大话西游 (2 at
// 10, 2026-12-07); members 000001 张三 and 000002 李四; walk-in customers such as
// 20261207001 (a generated key) and 王五 (a typed name). The windows open from their links.
class ListingTest : public ReportsTest {
  protected:
    void SetUp() override {
        ReportsTest::SetUp();
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
        data.Add(ShopData::Title("030100000003", "花样年华").Copies(1).BoughtOn("2024-03-05"));
        data.Add(ShopData::Title("050100000004", "大话西游")
                     .Copies(2)
                     .Prices(10, 2, 12)
                     .BoughtOn("2026-12-07"));
        data.Add(ShopData::Member("000001", "张三"));
        data.Add(ShopData::Member("000002", "李四"));
    }
    void TearDown() override {
        frmEarnReport::unload();
        frmBorrowReport::unload();
        frmHotCDInfo::unload();
        frmSellEarnInfo::unload();
        frmSellHotCDInfo::unload();
        ReportsTest::TearDown();
    }

  public:
    // The window of the link, opened as the operator's click opens it.
    template <class W>
    W& Open(int link) {
        if (!gConn.IsOpen()) OpenShop();
        page_->LblReport_Click(link);
        return W::instance();
    }
    // The body rows of the period the operator picks in the window of the link.
    template <class W>
    ReportLines Picked(int link, int period) {
        W& w = Open<W>(link);
        ChoosePeriod(w, period);
        return Body(w, static_cast<int>(w.Pages().columns));
    }
    // The body rows of a window without periods, loaded afresh.
    template <class W>
    ReportLines Loaded(int link) {
        W::unload();
        W& w = Open<W>(link);
        return Body(w, static_cast<int>(w.Pages().columns));
    }
};
