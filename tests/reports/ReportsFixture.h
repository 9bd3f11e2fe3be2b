#pragma once
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QRegularExpression>
#include <QStringList>
#include <initializer_list>
#include <vector>

#include "core/mdlMain.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/SaveFileDialog.h"
#include "platform/ui/Twips.h"
#include "printout/ReportExport.h"
#include "printout/frmProgress.h"
#include "reports/StatisticsPage.h"
#include "reports/frmBuyReport.h"
#include "reports/frmReport.h"
#include "reports/frmUserReport.h"
#include "tests/core/PageHost.h"
#include "tests/printout/ReportFixture.h"

// The expected rows of a grid, written as UTF-8 literals.
using Rows = std::vector<QStringList>;
inline QStringList R(std::initializer_list<const char*> cells) {
    QStringList out;
    for (const char* c : cells) out << QString::fromUtf8(c);
    return out;
}

// A small shop whose figures are worked out by hand in the tests, on Wednesday
// 16 December 2026 (the purchase week runs from Monday the 14th to Sunday the 20th):
//
// titles  甲 2 copies at 20, bought 2026-12-15 (this week); 乙 1 at 10, 2026-12-02 (this
//         month); 丙 3 at 15, 2026-03-10 (this year); 丁 1 at 30, 2025-05-05
// members 000001 张三 100, joined 2024-01-05; 000002 李四 Null, 2026-12-03;
//         000003 王五 20, 2026-12-16; 000004 赵六 5, 2025-02-01
// rentals 甲 by 000001 2026-12-15 rent 6, deposit 10, back 2026-12-16 09:00;
//         甲 by walk-in W1 2025-06-01 rent 4, back 2025-06-03;
//         丙 by 000002 2026-12-10, no rent, still out;
//         丙 by 000001 2026-11-20 rent 3 paid, deposit 10, still out
// sales   丁 to 000002 2025-05-20 for 50; 乙 to 000003 2026-12-16 for 12
class ReportsTest : public ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        gShopName = "星光";
        SetToday(2026, 12, 16);
        host_ = new PageHost;
        host_->AddPage(page_ = new StatisticsPage);
        host_->Load();
    }
    void TearDown() override {
        frmReport::unload();
        frmUserReport::unload();
        frmBuyReport::unload();
        frmProgress::unload();
        delete host_;
        Settle();
        ClearSaveFileResponder();
        gConn.Close();
        gShopName.clear();
        ReportFixture::TearDown();
    }

    void FillShop() {
        ShopData data = Data();
        data.Add(ShopData::Title("030100000001", "甲")
                     .Copies(2)
                     .Prices(20, 3, 30)
                     .Type("DVD")
                     .BoughtOn("2026-12-15"));
        data.Add(ShopData::Title("030100000002", "乙")
                     .Copies(1)
                     .Prices(10, 2, 15)
                     .Type("VCD")
                     .BoughtOn("2026-12-02"));
        data.Add(ShopData::Title("030100000003", "丙")
                     .Copies(3)
                     .Prices(15, 2, 20)
                     .Type("DVD")
                     .BoughtOn("2026-03-10"));
        data.Add(ShopData::Title("030100000004", "丁")
                     .Copies(1)
                     .Prices(30, 3, 50)
                     .Type("DVD")
                     .BoughtOn("2025-05-05"));
        data.Add(Member("000001", "张三", 100, "2024-01-05"));
        data.Add(Member("000002", "李四", QVariant(), "2026-12-03"));
        data.Add(Member("000003", "王五", 20, "2026-12-16"));
        data.Add(Member("000004", "赵六", 5, "2025-02-01"));
        data.Add(ShopData::Rental("030100000001", "0001")
                     .By("000001")
                     .On("2026-12-15 10:00:00")
                     .Money(6, 10)
                     .MarkedReturned());
        data.Add(ShopData::Return("0301000000010001", "0001").On("2026-12-16 09:00:00"));
        data.Add(ShopData::Rental("030100000001", "0002")
                     .By("W1")
                     .On("2025-06-01 10:00:00")
                     .Money(4)
                     .MarkedReturned());
        data.Add(ShopData::Return("0301000000010002", "0002").On("2025-06-03 10:00:00"));
        data.Add(ShopData::Rental("030100000003", "0003").By("000002").On("2026-12-10 10:00:00"));
        data.Add(ShopData::Rental("030100000003", "0004")
                     .By("000001")
                     .On("2026-11-20 10:00:00")
                     .Money(3, 10));
        data.Add(ShopData::Sale("030100000004", "0001")
                     .By("000002")
                     .On("2025-05-20 10:00:00")
                     .Money(50));
        data.Add(ShopData::Sale("030100000002", "0002")
                     .By("000003")
                     .On("2026-12-16 09:30:00")
                     .Money(12));
    }

    static ShopData::Member Member(const QString& id, const QString& name, const QVariant& money,
                                   const QString& joined) {
        ShopData::Member m(id, name);
        m.Set("money", money);
        m.Set("JoinDate", joined);
        return m;
    }

    void OpenShop() { gConn.OpenFile(DbPath()); }

    // The body grid's rows, columns 1 to last, as shown.
    static std::vector<QStringList> Body(const ReportWindow& w, int last) {
        std::vector<QStringList> rows;
        for (int r = 0; r < w.BodyGrid()->Rows(); ++r) {
            QStringList cells;
            for (int c = 1; c <= last; ++c) cells << w.BodyGrid()->TextMatrix(r, c);
            rows.push_back(cells);
        }
        return rows;
    }

    void ChoosePeriod(ReportWindow& w, int period) {
        w.Combo1->setCurrentIndex(period);
        w.Combo1_Click();
    }

    QString Target(const QString& name = "out.xlsx") const { return QDir(Dir()).filePath(name); }
    void SaveTo(const QString& path) {
        SetSaveFileResponder([path](const SaveFileCall&) { return path; });
    }

    PageHost* host_ = nullptr;
    StatisticsPage* page_ = nullptr;
};

inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(" | ").toStdString() << ']';
}
