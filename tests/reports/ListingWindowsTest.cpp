#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QStyle>

#include "platform/ui/Label.h"
#include "tests/platform/excel/ExcelTestKit.h"
#include "tests/reports/ListingFixture.h"

// What the five windows share with every report window, with each one's own values: their
// layout, titles, export and print, and a query that fails.
class ListingWindowsTest : public ListingTest {
  protected:
    // Two returns, two rentals and two sales today; one title rented and sold.
    void FillToday() {
        ShopData data = Data();
        data.Add(ShopData::Rental("030100000001", "0001")
                     .By("000001")
                     .On("2026-12-08 09:00:00")
                     .Money(6, 10)
                     .PaidInCash()
                     .MarkedReturned());
        data.Add(ShopData::Return("0301000000010001", "0001").On("2026-12-09 09:30:00"));
        data.Add(ShopData::Rental("030100000002", "0001")
                     .By("王五")
                     .On("2026-12-09 09:15:00")
                     .Money(0, 15)
                     .PaidInCash());
        data.Add(ShopData::Sale("050100000004", "0001")
                     .By("000002")
                     .On("2026-12-09 09:20:00")
                     .Money(12));
        data.Add(
            ShopData::Sale("030100000001", "0001").By("王五").On("2026-12-09 09:40:00").Money(30));
    }

    QJsonObject Exported(ReportWindow& w) {
        const QString target = Target(w.objectName() + ".xlsx");
        SaveTo(target);
        w.CmdOutput_Click();
        EXPECT_EQ(Prompts(), std::vector<QString>{"请查看" + target + "文件"});
        ForgetPrompts();
        return SheetOf(ReadWithOpenpyxl(target), 0);
    }
    QString Printed(ReportWindow& w) {
        for (const QString& old : PdfFiles(PdfDir())) QFile::remove(old);
        w.CmdPrint_Click();
        const QStringList jobs = PdfFiles(PdfDir());
        EXPECT_EQ(jobs.size(), 1);
        return jobs.isEmpty() ? QString() : PdfPagesText(jobs[0]).join("");
    }
    static QStringList Headings(ReportWindow& w) {
        QStringList out;
        for (int c = 1; c < w.HeaderGrid()->Cols(); ++c) out << w.HeaderGrid()->TextMatrix(0, c);
        return out;
    }
    static std::vector<int> Widths(FlexGrid* grid) {
        std::vector<int> out;
        for (int c = 0; c < grid->Cols(); ++c) out.push_back(grid->ColWidth(c));
        return out;
    }
};

TEST_F(ListingWindowsTest, EachLinkOpensItsWindowLaidOutAsDesigned) {
    struct Expected {
        int link;
        ReportWindow* (*open)(ListingWindowsTest&);
        const char* caption;
        QStringList periods;
        QStringList headings;
        std::vector<int> widths;
        int windowWidth, windowHeight;
    };
    const Expected windows[] = {
        {kEarnLink,
         [](ListingWindowsTest& t) -> ReportWindow* { return &t.Open<frmEarnReport>(kEarnLink); },
         "本店光盘归还情况",
         R({"显示今天的光盘归还情况", "显示昨天的光盘归还情况", "显示前天的光盘归还情况",
            "显示本周的光盘归还情况"}),
         R({"影片名称", "用户类型", "出租人姓名", "收入", "归还时间", "出租时间"}),
         {200, 3000, 1000, 1200, 800, 2000, 2000},
         11150,
         8075},
        {kBorrowLink,
         [](ListingWindowsTest& t) -> ReportWindow* {
             return &t.Open<frmBorrowReport>(kBorrowLink);
         },
         "出租情况",
         R({"显示今天的出租情况", "显示昨天的出租情况", "显示前天的出租情况",
            "显示本周的出租情况"}),
         R({"影片名称", "用户类型", "出租人姓名", "已付租金", "押金", "出租时间"}),
         {200, 3000, 1000, 1200, 800, 800, 2000},
         10000,
         8015},
        {kHotLink,
         [](ListingWindowsTest& t) -> ReportWindow* { return &t.Open<frmHotCDInfo>(kHotLink); },
         "显示出租最热门的光盘",
         {},
         R({"序号", "影片名称", "购买日期", "出租次数", "实收租金", "所花费用"}),
         {200, 500, 3000, 1000, 800, 800, 800},
         8100,
         6935},
        {kSellEarnLink,
         [](ListingWindowsTest& t) -> ReportWindow* {
             return &t.Open<frmSellEarnInfo>(kSellEarnLink);
         },
         "本店光盘出售情况",
         R({"显示今天的光盘出售情况", "显示昨天的光盘出售情况", "显示前天的光盘出售情况",
            "显示本周的光盘出售情况"}),
         R({"影片名称", "用户类型", "出售人姓名", "收入", "售出时间"}),
         {200, 3000, 1000, 1200, 800, 2000},
         9350,
         8075},
        {kSellHotLink,
         [](ListingWindowsTest& t) -> ReportWindow* {
             return &t.Open<frmSellHotCDInfo>(kSellHotLink);
         },
         "显示出售最热门的光盘",
         {},
         R({"序号", "影片名称", "购买日期", "出售价格", "所花费用"}),
         {200, 500, 3000, 1000, 800, 800},
         7300,
         6995},
    };
    for (const Expected& e : windows) {
        SCOPED_TRACE(e.caption);
        ReportWindow* w = e.open(*this);
        EXPECT_EQ(w->Owner(), host_);
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(e.caption));
        if (e.periods.isEmpty()) {
            EXPECT_EQ(w->Combo1, nullptr);
        } else {
            QStringList items;
            for (int i = 0; i < w->Combo1->count(); ++i) items << w->Combo1->itemText(i);
            EXPECT_EQ(items, e.periods);
            EXPECT_EQ(w->Combo1->currentIndex(), 0);
        }
        EXPECT_EQ(w->CmdOutput->text(), "导 出(&O)");
        EXPECT_EQ(w->CmdPrint->text(), "打 印(&P)");
        EXPECT_EQ(Headings(*w), e.headings);
        // Both grids' columns line up, each at least as wide as designed (a column may widen
        // to texts wider than the design's); where the body scrolls sideways the header's
        // last one reaches on over the body's scroll bar.
        const std::vector<int> widths = Widths(w->BodyGrid());
        std::vector<int> header = Widths(w->HeaderGrid());
        ASSERT_FALSE(header.empty());
        const int bar = PixelsToTwips(w->BodyGrid()->style()->pixelMetric(
            QStyle::PM_ScrollBarExtent, nullptr, w->BodyGrid()));
        if (header.back() == widths.back() + bar) header.back() -= bar;
        EXPECT_EQ(header, widths);
        ASSERT_EQ(widths.size(), e.widths.size());
        for (size_t c = 0; c < widths.size(); ++c) EXPECT_GE(widths[c], e.widths[c]) << c;
        EXPECT_EQ(w->HeaderGrid()->Rows(), 1);
        EXPECT_EQ(w->BodyGrid()->y(), w->HeaderGrid()->y() + w->HeaderGrid()->height())
            << "the body sits right under the heading row";
        EXPECT_GE(w->width(), TwipsToPixels(e.windowWidth));
        EXPECT_EQ(w->height(), TwipsToPixels(e.windowHeight));
        // Opening it again brings the same window forward with its rows.
        EXPECT_EQ(e.open(*this), w);
    }
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(ListingWindowsTest, TitlesFollowThePeriodAfterTheShopsName) {
    const char* earn[] = {"今天的光盘归还情况", "昨天的光盘归还情况", "前天的光盘归还情况",
                          "本周的光盘归还情况"};
    const char* borrow[] = {"今天的出租情况", "昨天的出租情况", "前天的出租情况", "本周的出租情况"};
    const char* sell[] = {"今天的光盘出售情况", "昨天的光盘出售情况", "前天的光盘出售情况",
                          "本周的光盘出售情况"};
    for (int p = 0; p < 4; ++p) {
        Picked<frmEarnReport>(kEarnLink, p);
        EXPECT_EQ(frmEarnReport::instance().LblTitle->Caption(), "星光" + QString(earn[p]));
        Picked<frmBorrowReport>(kBorrowLink, p);
        EXPECT_EQ(frmBorrowReport::instance().LblTitle->Caption(), "星光" + QString(borrow[p]));
        Picked<frmSellEarnInfo>(kSellEarnLink, p);
        EXPECT_EQ(frmSellEarnInfo::instance().LblTitle->Caption(), "星光" + QString(sell[p]));
    }
    // With nothing rented or sold the top lists are empty and still titled.
    EXPECT_TRUE(Loaded<frmHotCDInfo>(kHotLink).empty());
    EXPECT_EQ(frmHotCDInfo::instance().LblTitle->Caption(), "星光出租最热门的光盘");
    EXPECT_TRUE(Loaded<frmSellHotCDInfo>(kSellHotLink).empty());
    EXPECT_EQ(frmSellHotCDInfo::instance().LblTitle->Caption(), "星光出售最热门的光盘");
    EXPECT_TRUE(Prompts().empty());
}

// A query that fails is told once, in Chinese with the engine's number; the body is left empty
// and the period box and both buttons work again.
TEST_F(ListingWindowsTest, AFailingQueryIsToldOnceAndLeavesTheWindowUsable) {
    FillToday();
    frmEarnReport& earn = Open<frmEarnReport>(kEarnLink);
    frmBorrowReport& borrow = Open<frmBorrowReport>(kBorrowLink);
    frmSellEarnInfo& sell = Open<frmSellEarnInfo>(kSellEarnLink);
    ASSERT_EQ(earn.BodyGrid()->Rows(), 2);
    gConn.Execute("ALTER TABLE cdinfo RENAME TO cdinfo_gone");
    for (ReportWindow* w : std::initializer_list<ReportWindow*>{&earn, &borrow, &sell}) {
        SCOPED_TRACE(w->objectName().toStdString());
        ForgetPrompts();
        ChoosePeriod(*w, 1);
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt, "数据库命令执行出错（错误代码 1）。");
        EXPECT_EQ(w->BodyGrid()->Rows(), 0);
        EXPECT_TRUE(w->LblTitle->Caption().startsWith("星光昨天")) << "it names what was asked";
        EXPECT_TRUE(w->Combo1->isEnabled() && w->CmdOutput->isEnabled() &&
                    w->CmdPrint->isEnabled());
    }
    ForgetPrompts();
    EXPECT_TRUE(Loaded<frmHotCDInfo>(kHotLink).empty());
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_TRUE(frmHotCDInfo::instance().CmdPrint->isEnabled());
    ForgetPrompts();
    EXPECT_TRUE(Loaded<frmSellHotCDInfo>(kSellHotLink).empty());
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    gConn.Execute("ALTER TABLE cdinfo_gone RENAME TO cdinfo");
    ForgetPrompts();
    ChoosePeriod(earn, 0);
    EXPECT_EQ(earn.BodyGrid()->Rows(), 2);
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(ListingWindowsTest, ReturnsIncomeExportAndPrint) {
    FillToday();
    frmEarnReport& w = Open<frmEarnReport>(kEarnLink);
    const QJsonObject sheet = Exported(w);
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "星光今天的光盘归还情况");
    for (const char* ref : {"A4", "B4", "C4", "D4", "E4", "F4", "A5", "D5", "A36"})
        EXPECT_TRUE(cells.contains(ref)) << ref;
    EXPECT_EQ(cells["A4"].toString(), "英雄");
    EXPECT_EQ(cells["C4"].toString(), "张三");
    EXPECT_EQ(cells["D4"].toString(), "￥6.00");
    EXPECT_EQ(cells["E4"].toString(), "9:30");
    EXPECT_EQ(cells["F4"].toString(), "2026-12-08 09:00:00");
    EXPECT_EQ(cells["A5"].toString(), "合计");
    EXPECT_EQ(cells["D5"].toString(), "￥6.00");
    EXPECT_EQ(cells["A36"].toString(), "第1页");
    EXPECT_EQ(cells["A2"].toString(), "打印日期：") << "the export writes no print date";
    EXPECT_NEAR(sheet["widths"].toObject()["A"].toDouble(), StoredWidth(26.63), 0.01);
    EXPECT_NEAR(sheet["widths"].toObject()["F"].toDouble(), StoredWidth(19), 0.01);
    EXPECT_EQ(sheet["col_breaks"].toArray(), QJsonArray{6});

    const QString page = Printed(w);
    for (const char* text : {"星光今天的光盘归还情况", "打印日期：2026年12月9日", "英雄", "张三",
                             "￥6.00", "9:30", "合计", "第1页"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
}

TEST_F(ListingWindowsTest, RentalsExportWithoutPageBreaksAndPrint) {
    FillToday();
    frmBorrowReport& w = Open<frmBorrowReport>(kBorrowLink);
    ChoosePeriod(w, RecentPeriod::ThisWeek);
    const QJsonObject sheet = Exported(w);
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "星光本周的出租情况");
    EXPECT_EQ(cells["A4"].toString(), "无间道");
    EXPECT_EQ(cells["B4"].toString(), "零租用户");
    EXPECT_EQ(cells["E4"].toString(), "￥15.00");
    EXPECT_EQ(cells["F4"].toString(), "2026-12-09 09:15:00");
    EXPECT_EQ(cells["A5"].toString(), "英雄");
    EXPECT_EQ(cells["A6"].toString(), "合计");
    EXPECT_EQ(cells["D6"].toString(), "￥6.00");
    EXPECT_EQ(cells["E6"].toString(), "￥25.00");
    EXPECT_EQ(cells["A36"].toString(), "第1页");
    // The export adds no break: those of the output sheet are the template's, one below
    // every page block.
    const QJsonArray breaks = sheet["row_breaks"].toArray();
    ASSERT_EQ(breaks.size(), 1000);
    EXPECT_EQ(breaks[0].toInt(), 36);
    EXPECT_EQ(breaks[999].toInt(), 36000);
    EXPECT_TRUE(sheet["col_breaks"].toArray().isEmpty());
    EXPECT_EQ(sheet["print_area"].toString(), "$A$1:$F$36");
    EXPECT_NEAR(sheet["widths"].toObject()["A"].toDouble(), StoredWidth(27.38), 0.01);

    const QString page = Printed(w);
    for (const char* text :
         {"星光本周的出租情况", "打印日期：2026年12月9日", "无间道", "王五", "￥25.00", "第1页"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
}

TEST_F(ListingWindowsTest, SalesIncomeExportAndPrint) {
    FillToday();
    frmSellEarnInfo& w = Open<frmSellEarnInfo>(kSellEarnLink);
    const QJsonObject sheet = Exported(w);
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "星光今天的光盘出售情况");
    EXPECT_EQ(cells["A4"].toString(), "大话西游");
    EXPECT_EQ(cells["B4"].toString(), "会员");
    EXPECT_EQ(cells["C4"].toString(), "李四");
    EXPECT_EQ(cells["B5"].toString(), "非会员");
    EXPECT_EQ(cells["E5"].toString(), "2026-12-09 09:40:00");
    EXPECT_EQ(cells["A6"].toString(), "合计");
    EXPECT_EQ(cells["D6"].toString(), "￥42.00");
    EXPECT_EQ(sheet["col_breaks"].toArray(), QJsonArray{5});
    EXPECT_NEAR(sheet["widths"].toObject()["A"].toDouble(), StoredWidth(34.63), 0.01);

    const QString page = Printed(w);
    for (const char* text : {"星光今天的光盘出售情况", "大话西游", "李四", "￥42.00", "第1页"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(page.contains("打印日期")) << "no print date on this printout";
}

TEST_F(ListingWindowsTest, TheTopListsExportAndPrint) {
    FillToday();
    frmHotCDInfo& hot = Open<frmHotCDInfo>(kHotLink);
    QJsonObject cells = Exported(hot)["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "星光出租最热门的光盘");
    EXPECT_EQ(cells["A4"].toString(), "1");
    EXPECT_EQ(cells["B4"].toString(), "英雄") << "one rental each, the more rent first";
    EXPECT_EQ(cells["D4"].toString(), "1次");
    EXPECT_EQ(cells["E4"].toString(), "￥6.00");
    EXPECT_EQ(cells["F4"].toString(), "￥60.00");
    EXPECT_EQ(cells["B5"].toString(), "无间道");
    QString page = Printed(hot);
    for (const char* text : {"星光出租最热门的光盘", "英雄", "无间道", "1次", "第1页"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(page.contains("打印日期"));

    frmSellHotCDInfo& sell = Open<frmSellHotCDInfo>(kSellHotLink);
    cells = Exported(sell)["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "星光出售最热门的光盘");
    EXPECT_EQ(cells["B4"].toString(), "英雄");
    EXPECT_EQ(cells["C4"].toString(), "2026-01-05");
    EXPECT_EQ(cells["D4"].toString(), "￥30.00");
    EXPECT_EQ(cells["B5"].toString(), "大话西游");
    page = Printed(sell);
    for (const char* text : {"星光出售最热门的光盘", "英雄", "￥30.00", "￥12.00", "第1页"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
}

// The most-rented list pages by 31 rows: a 32nd row starts page 2 on sheet row 40, its footer
// in A72, the breaks before rows 37 and 73 and before column G.
TEST_F(ListingWindowsTest, TheMostRentedListPagesByThirtyOneRows) {
    Sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32) "
        "INSERT INTO cdinfo (cdid, id, name, count, price, buydate) "
        "SELECT printf('0302%08d', i), i, printf('片%03d', i), 1, 10, '2026-01-01' FROM n;"
        "INSERT INTO borrowinfo (borrowid, name, borrowdate, money) "
        "SELECT cdid || '0001', '000001', '2026-12-01 10:00:00', 1 FROM cdinfo "
        "WHERE cdid LIKE '0302%';");
    frmHotCDInfo& w = Open<frmHotCDInfo>(kHotLink);
    ASSERT_EQ(w.BodyGrid()->Rows(), 32);
    const QJsonObject sheet = Exported(w);
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["B34"].toString(), "片031");
    EXPECT_FALSE(cells.contains("B35")) << "page row 35 keeps what the frame holds";
    EXPECT_EQ(cells["A36"].toString(), "第1页");
    EXPECT_EQ(cells["B40"].toString(), "片032");
    EXPECT_EQ(cells["A72"].toString(), "第2页");
    EXPECT_EQ(sheet["row_breaks"].toArray(), (QJsonArray{36, 72}));
    EXPECT_EQ(sheet["col_breaks"].toArray(), QJsonArray{6});

    for (const QString& old : PdfFiles(PdfDir())) QFile::remove(old);
    w.CmdPrint_Click();
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1) << "one print job, its pages in it";
    const QStringList pages = PdfPagesText(jobs[0]);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[1].contains("片032"));
    EXPECT_TRUE(pages[1].contains("第2页"));
}

// No rows: nothing printed, the workbook still offered with its title.
TEST_F(ListingWindowsTest, AnEmptyTopListPrintsNothingAndStillExports) {
    frmSellHotCDInfo& w = Open<frmSellHotCDInfo>(kSellHotLink);
    w.CmdPrint_Click();
    EXPECT_TRUE(PdfFiles(PdfDir()).isEmpty());
    const QJsonObject book = [&] {
        SaveTo(Target());
        w.CmdOutput_Click();
        return ReadWithOpenpyxl(Target());
    }();
    EXPECT_EQ(Prompts(), std::vector<QString>{"请查看" + Target() + "文件"});
    EXPECT_EQ(SheetOf(book, 1)["cells"].toObject()["A1"].toString(), "星光出售最热门的光盘");
}

// Each window's template by its own name: when it is missing, the export and the print say
// so and do nothing else.
TEST_F(ListingWindowsTest, AMissingTemplateIsNamed) {
    FillToday();
    const std::pair<ReportWindow*, const char*> windows[] = {
        {&Open<frmEarnReport>(kEarnLink), "EarnReport"},
        {&Open<frmBorrowReport>(kBorrowLink), "BorrowReport"},
        {&Open<frmHotCDInfo>(kHotLink), "HotCDInfo"},
        {&Open<frmSellEarnInfo>(kSellEarnLink), "SellEarnInfo"},
        {&Open<frmSellHotCDInfo>(kSellHotLink), "SellHotCDInfo"}};
    for (const auto& [w, name] : windows) {
        SCOPED_TRACE(name);
        const QString path = QDir(SupportDir()).filePath(QString(name) + ".xltx");
        ASSERT_TRUE(QFile::remove(path));
        const QString message = "丢失" + QDir::toNativeSeparators(path) + "模板";
        ForgetPrompts();
        SaveTo(Target());
        w->CmdOutput_Click();
        w->CmdPrint_Click();
        EXPECT_EQ(Prompts(), (std::vector<QString>{message, message}));
        EXPECT_FALSE(QFile::exists(Target()));
        EXPECT_TRUE(PdfFiles(PdfDir()).isEmpty());
        EXPECT_TRUE(w->CmdOutput->isEnabled() && w->CmdPrint->isEnabled());
    }
}
