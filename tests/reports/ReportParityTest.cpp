// The income, customer and purchase reports against the statements they were computed with
// before they were made to read each table once, kept here as the reference: on a demo
// shop (tools/demodata) with a few odd lines added, every row and total of every period
// each window offers, cell by cell; and again on the same file without the indexes the
// reports now use (a shop file made before them gives the same figures, only slower).
#include <QComboBox>
#include <memory>

#include "core/OpenBaskets.h"
#include "platform/db/Recordset.h"
#include "platform/db/Value.h"
#include "printout/ReportText.h"
#include "tests/reports/ReportsFixture.h"
#include "tools/demodata/ShopGenerator.h"

namespace {
const QDate kShopToday(2026, 12, 20);

// ---- Today's statements of the income report, and its merge of their seven sets ----

const char* const kIncomeSets[] = {
    // rentals: copies rented, rent recorded, deposits
    "select %1 as year, sum(b.borrowcount) as outcount, sum(a.borrowprice*b.borrowcount) as "
    "preprice, sum(b.money) as givemoney, sum(b.foregift) as foregift "
    "from cdinfo as a, borrowinfo as b where a.cdid=substr(b.borrowid,1,12)%2 "
    "group by 1 order by 1 desc",
    // returns
    "select %1 as year, sum(returncount) as returncount from returninfo where 1%2 "
    "group by 1 order by 1 desc",
    // purchases
    "select %1 as year, sum(count) as buycount, sum(price*count) as buyprice from cdinfo "
    "where 1%2 group by 1 order by 1 desc",
    // rent on return
    "select %1 as year, sum(a.money) as money from borrowinfo as a, returninfo as b "
    "where a.borrowid=substr(b.returnid,1,16)%2 group by 1 order by 1 desc",
    // members
    "select %1 as year, sum(money) as storemoney from userinfo where 1%2 "
    "group by 1 order by 1 desc",
    // open rentals with rent paid
    "select %1 as year, sum(money) as money, sum(foregift) as foregift from borrowinfo as b "
    "where money>0 and not exists (select 1 from returninfo as r "
    "where substr(r.returnid,1,16)=substr(b.borrowid,1,16))%2 group by 1 order by 1 desc",
    // sales
    "select %1 as year, sum(money) as money, count(*) as count from sellinfo where 1%2 "
    "group by 1 order by 1 desc",
};
const char* const kIncomeDates[] = {"b.borrowdate", "returndate",   "buydate", "b.returndate",
                                    "joindate",     "b.borrowdate", "selldate"};
const char* const kIncomeKeys[] = {"year(%1)", "month(%1)", "day(%1)"};
const char* const kIncomeSuffix[] = {"年", "月", "日"};

Rows IncomeReference(int view, const QDate& today) {
    QDate from;
    QDate to;
    if (view == 1) {
        from = QDate(today.year(), 1, 1);
        to = from.addYears(1);
    } else if (view == 2) {
        from = QDate(today.year(), today.month(), 1);
        to = from.addMonths(1);
    }
    std::vector<std::unique_ptr<Recordset>> sets;
    for (int s = 0; s < 7; ++s) {
        const QString key = QString(kIncomeKeys[view]).arg(kIncomeDates[s]);
        QString condition = QString(" and %1 is not null").arg(key);
        Params params;
        if (view != 0) {
            condition += QString(" and %1>=? and %1<?").arg(kIncomeDates[s]);
            params = {from.toString("yyyy-MM-dd"), to.toString("yyyy-MM-dd")};
        }
        sets.push_back(std::make_unique<Recordset>());
        sets.back()->Open(QString(kIncomeSets[s]).arg(key, condition), gConn, adLockReadOnly,
                          params);
    }
    Rows rows;
    std::array<double, 14> t{};
    const auto field = [](const Recordset* set, const char* name) {
        return set ? (*set)[name].ToDouble() : 0;
    };
    const auto count = [](const Recordset* set, const char* name, const char* unit) {
        return ReportText::Count(set ? (*set)[name] : Value(), QString::fromUtf8(unit));
    };
    while (true) {
        bool any = false;
        qint64 key = 0;
        for (const auto& set : sets) {
            if (set->AtEOF()) continue;
            const qint64 k = (*set)["year"].ToInt();
            if (!any || k > key) key = k;
            any = true;
        }
        if (!any) break;
        std::array<const Recordset*, 7> c{};
        for (size_t s = 0; s < 7; ++s)
            c[s] = !sets[s]->AtEOF() && (*sets[s])["year"].ToInt() == key ? sets[s].get() : nullptr;
        const double net = field(c[3], "money") + field(c[5], "money") + field(c[6], "money") -
                           field(c[2], "buyprice");
        const double cash = net + field(c[5], "foregift") + field(c[4], "storemoney");
        rows.push_back(
            QStringList{QString::number(key) + QString::fromUtf8(kIncomeSuffix[view]),
                        c[2] || c[3] ? ReportText::Money(net) : ReportText::Plain(net),
                        count(c[0], "outcount", "张"), ReportText::Money(field(c[0], "givemoney")),
                        ReportText::Money(field(c[0], "foregift")),
                        count(c[1], "returncount", "张"), ReportText::Money(field(c[3], "money")),
                        count(c[2], "buycount", "张"), ReportText::Money(field(c[2], "buyprice")),
                        count(c[6], "count", ""), ReportText::Money(field(c[6], "money")),
                        ReportText::Money(field(c[4], "storemoney")), ReportText::Money(cash)});
        t[2] += net;
        t[3] += field(c[0], "outcount");
        t[4] += field(c[0], "givemoney");
        t[5] += field(c[0], "foregift") + field(c[5], "foregift");
        t[6] += field(c[1], "returncount");
        t[7] += field(c[3], "money");
        t[8] += field(c[2], "buycount");
        t[9] += field(c[2], "buyprice");
        t[10] += field(c[6], "count");
        t[11] += field(c[6], "money");
        t[12] += field(c[4], "storemoney");
        t[13] += cash;
        for (size_t s = 0; s < 7; ++s)
            if (c[s]) sets[s]->MoveNext();
    }
    QStringList totals{QStringLiteral("合计")};
    for (int col = 2; col <= 13; ++col) {
        if (col == 3 || col == 6 || col == 8)
            totals << ReportText::Plain(t[col]) + QStringLiteral("张");
        else if (col == 10)
            totals << ReportText::Plain(t[col]);
        else
            totals << ReportText::Money(t[col]);
    }
    rows.push_back(totals);
    return rows;
}

// ---- Today's statement of the customer report, and the lines it made of it ----

const char* const kCustomers = R"SQL(
with rentals as (
    select name, count(*) as count, sum(money) as money, max(borrowdate) as maxborrowdate
    from borrowinfo group by name)
select 1 as grp, d.userid as userid, d.username as name, a.count as count, a.money as money,
       (select sum(s.money) from sellinfo as s where s.name=d.userid) as buymoney,
       d.money as storemoney, a.maxborrowdate as maxborrowdate, a.money as rank
from userinfo as d cross join rentals as a
where a.name=d.userid and exists (select 1 from sellinfo as s where s.name=d.userid)
union all
select 2, d.userid, d.username, a.count, a.money, null, d.money, a.maxborrowdate, a.money
from userinfo as d cross join rentals as a
where a.name=d.userid and not exists (select 1 from sellinfo as s where s.name=d.userid)
union all
select 3, d.userid, d.username, 0, 0, s.money, d.money, null, 0
from userinfo as d cross join sellinfo as s
where s.name=d.userid and not exists (select 1 from borrowinfo as b where b.name=d.userid)
union all
select 4, d.userid, d.username, 0, 0, null, d.money, null, 0
from userinfo as d
where not exists (select 1 from sellinfo as s where s.name=d.userid)
  and not exists (select 1 from borrowinfo as b where b.name=d.userid)
union all
select 5, null, a.name, a.count, a.money, null, null, a.maxborrowdate, a.money
from rentals as a
where not exists (select 1 from userinfo as d where d.userid=a.name)
order by grp, rank desc, userid, name
)SQL";

Rows CustomerReference() {
    Recordset c;
    c.Open(QString::fromUtf8(kCustomers), gConn, adLockReadOnly);
    Rows rows;
    qint64 rentals = 0;
    double rent = 0, bought = 0, stored = 0;
    for (; !c.AtEOF(); c.MoveNext()) {
        const int group = static_cast<int>(c["grp"].ToInt());
        const bool member = group != 5;
        const bool rented = group == 1 || group == 2 || group == 5;
        const bool buys = group == 1 || group == 3;
        const QString last = group == 1 ? ReportText::WithCentury(c["maxborrowdate"])
                                        : NullToStr(c["maxborrowdate"]);
        rows.push_back(QStringList{
            QString::number(rows.size() + 1),
            member ? QStringLiteral("会员") : QStringLiteral("零租用户"), NullToStr(c["userid"]),
            NullToStr(c["name"]), ReportText::Count(c["count"], QStringLiteral("次")),
            ReportText::Money(c["money"]), buys ? ReportText::Money(c["buymoney"]) : QString(),
            member ? ReportText::Money(c["storemoney"]) : QString(),
            rented ? last : QStringLiteral("未借过")});
        if (rented) {
            rentals += c["count"].ToInt();
            rent += c["money"].ToDouble();
        }
        if (buys) bought += c["buymoney"].ToDouble();
        if (member) stored += c["storemoney"].ToDouble();
    }
    rows.push_back(QStringList{"", "合计", "", "", QString::number(rentals) + "次",
                               ReportText::Money(rent), ReportText::Money(bought),
                               ReportText::Money(stored), ""});
    return rows;
}

// ---- Today's statements of the purchase report, and its fill ----

const char* const kRentedTitles =
    "select a.name as moviename, a.buydate as buydate, a.price*a.count as price, "
    "(select sum(b.money) from borrowinfo as b where substr(b.borrowid,1,12)=substr(a.cdid,1,12) "
    "and %1) as money, "
    "a.type as type from cdinfo as a "
    "where a.buydate>=?1 and a.buydate<?2 "
    "and exists (select 1 from borrowinfo as b where substr(b.borrowid,1,12)=substr(a.cdid,1,12) "
    "and %1) "
    "order by money desc";
const char* const kNeverRentedTitles =
    "select name as moviename, buydate, price*count as price, type from cdinfo as a "
    "where a.buydate>=?1 and a.buydate<?2 "
    "and not exists (select 1 from borrowinfo as b where "
    "substr(b.borrowid,1,12)=substr(a.cdid,1,12) and %1)";

Rows PurchaseReference(int period, const QDate& today) {
    const auto [from, to] = frmBuyReport::PeriodDays(period, today);
    const Params bounds{from.toString("yyyy-MM-dd"), to.toString("yyyy-MM-dd")};
    Rows rows;
    double cost = 0, rent = 0;
    for (const bool rented : {true, false}) {
        Recordset titles;
        titles.Open(QString::fromUtf8(rented ? kRentedTitles : kNeverRentedTitles)
                        .arg(OpenBaskets::NotInRentalBasket("b")),
                    gConn, adLockReadOnly, bounds);
        for (; !titles.AtEOF(); titles.MoveNext()) {
            const double price = titles["price"].ToDouble();
            const double money = rented ? titles["money"].ToDouble() : 0;
            rows.push_back(QStringList{
                NullToStr(titles["moviename"]), ReportText::ChineseDate(titles["buydate"]),
                ReportText::Money(price), ReportText::Money(money), NullToStr(titles["type"])});
            cost += price;
            rent += money;
        }
    }
    rows.push_back(QStringList{"合计", "", ReportText::Money(cost), ReportText::Money(rent), ""});
    return rows;
}

// Lines a shop gathers besides the counter's own: a rental of a title since deleted, one
// returned in two settlements, dates in other forms or none, walk-in names that differ
// only in case, money missing or kept as text.
const char* const kOddLines = R"SQL(
insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money, foregift)
values ('9999000000019901', 'W甲', '2026-11-03 10:00:00', 2, 9.5, 20),
       ('0101000000019801', 'ab', '2026-12-02 10:00:00', 1, 3, 0),
       ('0101000000019802', 'AB', '2026-12-03 10:00:00', 1, 4.25, 0),
       ('0101000000019803', '汇总', '05-03-12 14:20:00', 3, 80, 0),
       ('0101000000019804', 'W乙', null, 1, 2, 0),
       ('0101000000019805', 'W丙', '2026-02-30 10:00:00', 1, 2, 0),
       ('0101000000019806', 'W丁', ' 2026-03-01 10:00:00', 1, 1.1, 0),
       ('0101000000019807', 'W戊', '2026-3-5 9:00', 1, null, 10),
       ('0101000000019808', 'W己', '2025-12-30 18:00:00', 2, 7.7, 30),
       ('0101000000019809', 'W庚', '2026-12-19 18:00:00', 1, 'abc', 5),
       ('01010000000198100', 'W辛', '2026-12-18 12:00:00', 1, 6, 0);
insert into returninfo (returnid, returndate, returncount)
values ('99990000000199010001', '2026-11-04 10:00:00', 1),
       ('99990000000199010002', '2026-12-01 10:00:00', 1),
       ('01010000000198080001', '2026-01-02 10:00:00', 2),
       ('01010000000198040001', '2026-12-05 10:00:00', 1),
       ('01010000000198100001', '2026-12-19 11:00:00', 1),
       ('01010000000198070001', null, 1),
       ('88880000000100019901', '2026-12-06 10:00:00', 1);
insert into cdinfo (cdid, name, count, buydate, price)
values ('010100009001', '无日期', 1, null, 12), ('010100009002', '坏日期', 2, '2026-13-01', 5);
insert into userinfo (userid, username, JoinDate, money) values ('009001', '无日期', null, 4);
insert into sellinfo (sellid, name, selldate, money) values ('0101000090010001', 'W甲', '不是日期', 7);
)SQL";

class ReportParityTest : public ReportsTest {
  protected:
    static void SetUpTestSuite() {
        shop_ = std::make_unique<QTemporaryDir>();
        const QString path = QDir(shop_->path()).filePath("demo.mdb");
        ShopGenerator generator({*DemoSizeNamed("small"), 1, kShopToday});
        QString error;
        ASSERT_TRUE(generator.Generate(path, &error)) << error.toStdString();
    }
    static void TearDownTestSuite() { shop_.reset(); }

    void SetUp() override {
        ReportsTest::SetUp();
        QFile::remove(DbPath());
        ASSERT_TRUE(QFile::copy(QDir(shop_->path()).filePath("demo.mdb"), DbPath()));
        Sql(QString::fromUtf8(kOddLines));
        SetNow(QDateTime(kShopToday, QTime(13, 0)));
    }

    // The file as a shop made before the reports' indexes has it.
    void DropNewIndexes() {
        Sql("drop index borrowinfo_lines; drop index returninfo_lines;"
            "drop index borrowinfo_customers;");
    }

    // Every year, every month of each year and every day of each month of the shop.
    void ExpectIncomeAsToday() {
        page_->LblReport_Click(1);
        frmReport& w = frmReport::instance();
        EXPECT_EQ(Body(w, 13), IncomeReference(0, Now().date())) << "every year";
        for (int year = 2024; year <= 2026; ++year) {
            SetNow(QDateTime(QDate(year, 12, 31), QTime(13, 0)));
            ChoosePeriod(w, 1);
            ASSERT_EQ(Body(w, 13), IncomeReference(1, Now().date())) << year;
            for (int month = 1; month <= 12; ++month) {
                SetNow(QDateTime(QDate(year, month, 1), QTime(13, 0)));
                ChoosePeriod(w, 2);
                ASSERT_EQ(Body(w, 13), IncomeReference(2, Now().date())) << year << "-" << month;
            }
        }
    }

    // Every week, month and year of the shop's purchases.
    void ExpectPurchasesAsToday() {
        page_->LblReport_Click(2);
        frmBuyReport& w = frmBuyReport::instance();
        for (QDate monday(2023, 12, 25); monday <= kShopToday; monday = monday.addDays(7)) {
            SetNow(QDateTime(monday.addDays(2), QTime(13, 0)));
            w.Form_Activate();
            ASSERT_EQ(Body(w, 5), PurchaseReference(0, Now().date()))
                << qPrintable(monday.toString());
            if (monday.addDays(2).day() <= 7) {
                ChoosePeriod(w, 1);
                ASSERT_EQ(Body(w, 5), PurchaseReference(1, Now().date()));
            }
            if (monday.addDays(2).dayOfYear() <= 7) {
                ChoosePeriod(w, 2);
                ASSERT_EQ(Body(w, 5), PurchaseReference(2, Now().date()));
            }
        }
    }

    void ExpectCustomersAsToday() {
        page_->LblReport_Click(0);
        EXPECT_EQ(Body(frmUserReport::instance(), 9), CustomerReference());
    }

    static std::unique_ptr<QTemporaryDir> shop_;
};

std::unique_ptr<QTemporaryDir> ReportParityTest::shop_;

TEST_F(ReportParityTest, IncomeEveryPeriodAsTodaysStatementsGiveIt) {
    OpenShop();
    ExpectIncomeAsToday();
    frmReport::unload();
    gConn.Close();
    DropNewIndexes();
    OpenShop();
    ExpectIncomeAsToday();
}

TEST_F(ReportParityTest, CustomersAsTodaysStatementGivesThem) {
    OpenShop();
    ExpectCustomersAsToday();
    frmUserReport::unload();
    gConn.Close();
    DropNewIndexes();
    OpenShop();
    ExpectCustomersAsToday();
}

TEST_F(ReportParityTest, PurchasesEveryPeriodAsTodaysStatementsGiveThem) {
    OpenShop();
    ExpectPurchasesAsToday();
    // A basket open at the counter (its lines written, not settled) is no rental yet.
    Data().Add(
        ShopData::OpenBasket(Query1("select substr(max(borrowid), -4) from borrowinfo "
                                    "where borrowdate >= '2026-12-14'")));
    ExpectPurchasesAsToday();
    Sql("delete from openbasket");
    frmBuyReport::unload();
    gConn.Close();
    DropNewIndexes();
    OpenShop();
    ExpectPurchasesAsToday();
}
}  // namespace
