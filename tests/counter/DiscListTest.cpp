#include <QFile>
#include <QHeaderView>

#include "platform/db/Recordset.h"
#include "tests/counter/CounterFixture.h"
#include "tools/demodata/ShopGenerator.h"

namespace {
class DiscListTest : public CounterFixture {
  protected:
    // Four titles of both formats and movie types, one of each lending state, and two
    // that are never listed: a bad disc and one with every copy sold.
    void AddShop() {
        Add(Title("030100000001", "A1", "英雄").Type("DVD").MovieType("动作"));
        Add(Title("030200000002", "A2", "无间道")
                .Type("DVD")
                .MovieType("科幻")
                .Set("station", "借出部分"));
        Add(Title("050100000003", "A3", "花样年华")
                .Type("VCD")
                .MovieType("动作")
                .Set("station", "全部借出"));
        Add(Title("050200000004", "A4", "大话西游").Type("VCD").MovieType("科幻"));
        Add(Title("030100000005", "A5", "坏盘").Bad());
        Add(Title("030100000006", "A6", "卖完").Sold(2));
    }

    // A demo shop of 200 titles, many alike in each sortable column, as the database.
    void UseDemoShop() {
        gConn.Close();
        ASSERT_TRUE(QFile::remove(DbPath()));
        ShopGenerator generator({*DemoSizeNamed("small"), 7, QDate(2026, 12, 8)});
        QString error;
        ASSERT_TRUE(generator.Generate(DbPath(), &error)) << error.toStdString();
        gConn.OpenFile(DbPath());
    }
    // A copy of the database as a file made before the indexes of the list and its sort.
    QString CopyWithoutSortIndexes() {
        const QString path = Dir() + "/before.mdb";
        QFile::copy(DbPath(), path);
        Connection before;
        before.OpenFile(path);
        Recordset indexes;
        indexes.Open(
            "select name from sqlite_master where type = 'index' and tbl_name = 'cdinfo' "
            "and sql is not null "
            "and name not in ('cdinfo_type', 'cdinfo_movietype', 'cdinfo_odd_dates', "
            "'cdinfo_out')",
            before, adLockReadOnly);
        int dropped = 0;
        for (; !indexes.AtEOF(); indexes.MoveNext(), ++dropped)
            before.Execute("drop index " + indexes.GetValue(0).ToString());
        EXPECT_EQ(dropped, 13);
        return path;
    }
    static QString FirstOf(const QString& table) {
        return gConn.Scalar("select min(type) from " + table).ToString();
    }
};

// The list's statement as it was before the heading sort had its indexes.
const char* const kListBefore = "select cdid from cdinfo  where IsAbandon=0 and issell < 2 ";

struct SortCase {
    DiscListQuery::Filters filters;
    int column;
    QString field;
    QString direction;
};

// The titles of the list in the order the statement before gave them (no field: the
// refill's list, without an order).
QStringList OrderBefore(Connection& conn, const SortCase& c, const QDate& today) {
    QString sql = kListBefore;
    Params params;
    const auto narrow = [&](const char* condition, const QString& value) {
        sql += condition;
        params.push_back(value);
    };
    const QString d30 = today.addDays(-30).toString("yyyy-MM-dd");
    const QString d365 = today.addDays(-365).toString("yyyy-MM-dd");
    if (c.filters.movieType != "全部") narrow(" and movietype = ?", c.filters.movieType);
    if (c.filters.type != "全部") narrow(" and type = ?", c.filters.type);
    if (c.filters.degree == "新盘") narrow(" and buydate > ?", d30);
    if (c.filters.degree == "普通") {
        narrow(" and buydate <= ?", d30);
        narrow(" and buydate >= ?", d365);
    }
    if (c.filters.degree == "旧盘") narrow(" and buydate < ?", d365);
    if (c.filters.station != "全部") narrow(" and station = ?", c.filters.station);
    Recordset rs;
    if (!c.field.isEmpty()) sql += " order by " + c.field + " " + c.direction;
    rs.Open(sql, conn, adLockReadOnly, params);
    QStringList cdids;
    for (; !rs.AtEOF(); rs.MoveNext()) cdids << rs.GetValue(0).ToString();
    return cdids;
}
}  // namespace

TEST_F(DiscListTest, EachFilterNarrowsAndTheyCombine) {
    AddShop();
    CounterPage& page = Open();
    EXPECT_EQ(Column("id"), (QStringList{"A1", "A2", "A3", "A4"}));
    EXPECT_EQ(page.LblCDCount->Caption(), "4");

    Pick(page.CboTypeFind, "VCD");
    EXPECT_EQ(Column("id"), (QStringList{"A3", "A4"}));
    Pick(page.CboMovietypeFind, "科幻");
    EXPECT_EQ(Column("id"), (QStringList{"A4"}));
    EXPECT_EQ(page.LblCDCount->Caption(), "1");
    Pick(page.CboTypeFind, "全部");
    EXPECT_EQ(Column("id"), (QStringList{"A2", "A4"}));
    Pick(page.CboStation, "借出部分");
    EXPECT_EQ(Column("id"), (QStringList{"A2"}));
    Pick(page.CboMovietypeFind, "全部");
    Pick(page.CboStation, "全部借出");
    EXPECT_EQ(Column("id"), (QStringList{"A3"}));
    Pick(page.CboStation, "未借出");
    EXPECT_EQ(Column("id"), (QStringList{"A1", "A4"}));

    // The lending state filter is read in sale mode too, where it is not shown.
    Press(kSaleButton);
    EXPECT_FALSE(page.CboStation->isVisible());
    page.CboTypeFind->setCurrentIndex(0);
    page.SetDispSourse("");
    EXPECT_EQ(Column("id"), (QStringList{"A1", "A4"}));
}

// D - 30 days is "普通", not "新盘"; D - 365 days is still "普通".
TEST_F(DiscListTest, AgeFilterCountsFromTodayWithBothBoundsInNormal) {
    Add(Title("030100000001", "N29", "甲").BoughtOn("2026-11-09"));
    Add(Title("030100000002", "N30", "乙").BoughtOn("2026-11-08"));
    Add(Title("030100000003", "N365", "丙").BoughtOn("2025-12-08"));
    Add(Title("030100000004", "N366", "丁").BoughtOn("2025-12-07"));
    Add(Title("030100000005", "NULL", "戊").Set("buydate", QVariant()));
    CounterPage& page = Open();
    Pick(page.CboDegree, "新盘");
    EXPECT_EQ(Column("id"), (QStringList{"N29"}));
    Pick(page.CboDegree, "普通");
    EXPECT_EQ(Column("id"), (QStringList{"N30", "N365"}));
    Pick(page.CboDegree, "旧盘");
    EXPECT_EQ(Column("id"), (QStringList{"N366"}));
    Pick(page.CboDegree, "全部");
    EXPECT_EQ(Column("id").size(), 5);
}

// A name with quotes, a percent sign or an underscore is a value, never a piece of the
// statement, and matches only itself.
TEST_F(DiscListTest, FilterTextsWithQuotesAreBound) {
    Add(Title("030100000001", "Q1", "甲").MovieType("O'Neil \"%_"));
    Add(Title("030100000002", "Q2", "乙").MovieType("O'Neil \"ab"));
    CounterPage& page = Open();
    ShopEvents::AnnounceClassificationRead("movietype", {"O'Neil \"%_", "O'Neil \"ab"});
    Pick(page.CboMovietypeFind, "O'Neil \"%_");
    EXPECT_EQ(Column("id"), (QStringList{"Q1"}));
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(DiscListTest, AnEmptyListDisablesBothButtonsAndClearsThePanel) {
    AddShop();
    CounterPage& page = Open();
    EXPECT_TRUE(page.CmdBorrow->isEnabled());
    EXPECT_EQ(page.LblName->Caption(), "英雄");
    EXPECT_EQ(page.ListView1->ListItems().Count(), 2);
    Pick(page.CboTypeFind, "VCD");
    Pick(page.CboStation, "借出部分");
    EXPECT_EQ(page.LblCDCount->Caption(), "0");
    EXPECT_FALSE(page.CmdBorrow->isEnabled());
    EXPECT_FALSE(page.Command15->isEnabled());
    EXPECT_EQ(page.LblName->Caption(), "");
    EXPECT_EQ(page.LblStation->Caption(), "");
    EXPECT_EQ(page.LblBorrowPrice->Caption(), "");
    EXPECT_EQ(page.TxtDispContent->toPlainText(), "");
    EXPECT_EQ(page.ListView1->ListItems().Count(), 0);
    Pick(page.CboStation, "全部");
    EXPECT_TRUE(page.CmdBorrow->isEnabled());
    EXPECT_TRUE(page.Command15->isEnabled());
}

// Two clicks on the same heading order ascending then descending; a heading without an
// order only flips the direction of the next one; the direction is the main window's.
TEST_F(DiscListTest, HeadingClicksSortBothWaysAndShareTheDirection) {
    Add(Title("030100000001", "B", "甲").Copies(3).BoughtOn("2026-03-01"));
    Add(Title("030100000002", "C", "乙").Copies(1).BoughtOn("2026-01-01"));
    Add(Title("030100000003", "A", "丙").Copies(2).BoughtOn("2026-02-01"));
    CounterPage& page = Open();
    page.dgDispCDInfo_HeadClick(0);
    EXPECT_EQ(Host().SortDirection, "ASC");
    EXPECT_EQ(Column("id"), (QStringList{"A", "B", "C"}));
    page.dgDispCDInfo_HeadClick(0);
    EXPECT_EQ(Column("id"), (QStringList{"C", "B", "A"}));
    EXPECT_EQ(page.LblName->Caption(), "乙") << "the panel shows the first row of the new order";

    page.dgDispCDInfo_HeadClick(1);  // 影片名称: no order, the direction flips
    EXPECT_EQ(Host().SortDirection, "ASC");
    EXPECT_EQ(Column("id"), (QStringList{"C", "B", "A"}));
    page.dgDispCDInfo_HeadClick(8);
    EXPECT_EQ(Column("id"), (QStringList{"B", "A", "C"})) << "count descending: 3, 2, 1";
    page.dgDispCDInfo_HeadClick(9);
    EXPECT_EQ(Column("id"), (QStringList{"C", "A", "B"})) << "bought ascending";

    // The return page's heading flips the same value.
    Host().SortDirection = "DESC";
    page.dgDispCDInfo_HeadClick(9);
    EXPECT_EQ(Column("id"), (QStringList{"C", "A", "B"}));
    // A filter's refill forgets the order; a requery keeps it.
    page.dgDispCDInfo_HeadClick(0);
    page.RequeryDispCDInfo();
    EXPECT_EQ(Column("id"), (QStringList{"C", "B", "A"}));
    Pick(page.CboDegree, "全部");
    EXPECT_EQ(Column("id"), (QStringList{"B", "C", "A"}));
}

// The operator's click on a heading of the real grid runs the same order.
TEST_F(DiscListTest, ClickOnAGridHeadingSorts) {
    Add(Title("030100000001", "B", "甲"));
    Add(Title("030100000002", "A", "乙"));
    CounterPage& page = Open();
    QHeaderView* header = page.dgDispCDInfo->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(0) + 5, 5));
    Settle();
    EXPECT_EQ(Column("id"), (QStringList{"A", "B"}));
}

TEST_F(DiscListTest, ModesShowTheirPriceColumnsAndButton) {
    AddShop();
    CounterPage& page = Open(kSaleButton);
    EXPECT_TRUE(page.dgDispCDInfo->isColumnHidden(4));
    EXPECT_FALSE(page.dgDispCDInfo->isColumnHidden(6));
    EXPECT_TRUE(page.Command15->isVisible());
    EXPECT_FALSE(page.CmdBorrow->isVisible());
    Press(kRentalButton);
    EXPECT_FALSE(page.dgDispCDInfo->isColumnHidden(5));
    EXPECT_TRUE(page.dgDispCDInfo->isColumnHidden(7));
    EXPECT_TRUE(page.CmdBorrow->isVisible());
}

// The refill and every sortable heading, both ways, under every combination of the four
// filters, list the titles of a demo shop in the order the list gave before the heading
// sort had its indexes, titles of the same value included; a file made before them lists
// the same.
TEST_F(DiscListTest, HeadingSortsListWhatTheyListedBeforeTheirIndexes) {
    UseDemoShop();
    const QString before = CopyWithoutSortIndexes();
    Connection reference;
    reference.OpenFile(before);
    CounterPage& page = Open();
    const QString movieType = FirstOf("movietype");
    const QString type = FirstOf("type");
    ShopEvents::AnnounceClassificationRead("movietype", {movieType});
    ShopEvents::AnnounceClassificationRead("type", {type});
    const std::pair<int, const char*> headings[] = {
        {0, "id"},    {2, "movietype"}, {3, "type"},      {4, "borrowprice"},
        {8, "count"}, {9, "buydate"},   {10, "outcount"}, {11, "born"}};
    int compared = 0;
    for (const QString& file : {DbPath(), before}) {
        if (file != DbPath()) {
            gConn.Close();
            gConn.OpenFile(file);
        }
        for (const QString& m : {QString("全部"), movieType})
            for (const QString& t : {QString("全部"), type})
                for (const char* d : {"全部", "新盘", "普通", "旧盘"})
                    for (const char* s : {"全部", "未借出"}) {
                        Pick(page.CboMovietypeFind, m);
                        Pick(page.CboTypeFind, t);
                        Pick(page.CboDegree, d);
                        Pick(page.CboStation, s);
                        ASSERT_EQ(Column("cdid"),
                                  OrderBefore(reference, {{m, t, d, s}, -1, "", ""}, Today()))
                            << "the refill under " << m.toStdString() << "/" << t.toStdString()
                            << "/" << d << "/" << s;
                        for (const auto& [column, field] : headings)
                            for (const char* direction : {"ASC", "DESC"}) {
                                Host().SortDirection = direction == QString("ASC") ? "DESC" : "ASC";
                                page.dgDispCDInfo_HeadClick(column);
                                const SortCase c{{m, t, d, s}, column, field, direction};
                                ASSERT_EQ(Column("cdid"), OrderBefore(reference, c, Today()))
                                    << field << " " << direction << " under " << m.toStdString()
                                    << "/" << t.toStdString() << "/" << d << "/" << s << " in "
                                    << (file == before ? "the file made before" : "a new file");
                                ++compared;
                            }
                    }
    }
    EXPECT_EQ(compared, 2 * 32 * 16);
}
