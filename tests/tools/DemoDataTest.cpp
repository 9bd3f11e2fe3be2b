// The demo shop must look like a shop the program itself has run for three years:
// every key, copy list, count and state agreeing with the rows around it.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "tools/demodata/DemoSize.h"
#include "tools/demodata/NumberPool.h"
#include "tools/demodata/ShopGenerator.h"
#include "tools/demodata/WordLists.h"

namespace {
using Row = std::vector<QString>;

const QDate kToday(2025, 6, 14);
const char kFirstMoment[] = "2023-01-01 00:00:00";
const char kLastMoment[] = "2025-06-14 12:00:00";

// Rows of a query on a database file, every value as text ("" for Null).
std::vector<Row> Rows(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    std::vector<Row> rows;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql.toStdString();
    }
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            row.push_back(text ? QString::fromUtf8(text) : QString());
        }
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

long long Count(const QString& path, const QString& sql) {
    const std::vector<Row> rows = Rows(path, sql);
    return rows.empty() ? -1 : rows[0][0].toLongLong();
}

// "&1#&3#" as {1, 3}; nothing for a text that is no copy list.
std::optional<std::vector<int>> Copies(const QString& list) {
    static const QRegularExpression shape("^(&[1-9][0-9]*#)*$");
    if (!shape.match(list).hasMatch()) return std::nullopt;
    std::vector<int> copies;
    for (const QString& item : list.split('#', Qt::SkipEmptyParts))
        copies.push_back(item.mid(1).toInt());
    return copies;
}

// The copies of a list that the test has already found well-formed.
std::vector<int> CopiesOf(const QString& list) {
    const auto copies = Copies(list);
    if (!copies) ADD_FAILURE() << "no copy list: " << list.toStdString();
    return copies.value_or(std::vector<int>{});
}

std::set<int> Set(const std::vector<int>& v) {
    return {v.begin(), v.end()};
}

// The pinyin initial of a character as the program computes it: its GB2312 code looked
// up in the code table of the first level; a one-byte character stands for itself.
QString Initial(const QString& ch) {
    static const struct {
        char letter;
        int low, high;
    } kTable[] = {
        {'a', 0xB0A1, 0xB0C4}, {'b', 0xB0C5, 0xB2C0}, {'c', 0xB2C1, 0xB4ED}, {'d', 0xB4EE, 0xB6E9},
        {'e', 0xB6EA, 0xB7A1}, {'f', 0xB7A2, 0xB8C0}, {'g', 0xB8C1, 0xB9FD}, {'h', 0xB9FE, 0xBBF6},
        {'j', 0xBBF7, 0xBFA5}, {'k', 0xBFA6, 0xC0AB}, {'l', 0xC0AC, 0xC2E7}, {'m', 0xC2E8, 0xC4C2},
        {'n', 0xC4C3, 0xC5B5}, {'o', 0xC5B6, 0xC5BD}, {'p', 0xC5BE, 0xC6D9}, {'q', 0xC6DA, 0xC8BA},
        {'r', 0xC8BB, 0xC8F5}, {'s', 0xC8F6, 0xCBF9}, {'t', 0xCBFA, 0xCDD9}, {'w', 0xCDDA, 0xCEF3},
        {'x', 0xCEF4, 0xD1B8}, {'y', 0xD1B9, 0xD4D0}, {'z', 0xD4D1, 0xD7F9}};
    QByteArray in = ch.toUtf8();
    char out[8] = {};
    char* inPtr = in.data();
    char* outPtr = out;
    size_t inLeft = static_cast<size_t>(in.size());
    size_t outLeft = sizeof out;
    iconv_t cd = iconv_open("GB2312", "UTF-8");
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1)) return "?";
    if (outPtr - out == 1) return ch;
    const int code = static_cast<unsigned char>(out[0]) * 256 + static_cast<unsigned char>(out[1]);
    for (const auto& row : kTable) {
        if (code >= row.low && code <= row.high) return QString(QChar(row.letter));
    }
    return "?";
}

QString Initials(const QString& text) {
    QString initials;
    for (const QChar ch : text) initials += Initial(QString(ch));
    return initials;
}

// Every rental line against its copy lists and return rows; returns how many lines are
// still open and how many of those are partly returned.
std::pair<int, int> CheckRentalLines(const QString& path) {
    std::map<QString, std::vector<Row>> returnsOf;
    for (const Row& r :
         Rows(path,
              "select substr(returnid,1,16), returncount, returnlst, returndate from returninfo")) {
        returnsOf[r[0]].push_back(r);
    }
    int open = 0, partly = 0;
    const auto lines =
        Rows(path,
             "select b.borrowid, b.borrowcount, b.borrowlst, b.isnotpaylst, b.isreturnall, "
             "b.IsReturnGuaranty, b.foregift, b.CredenceType, b.Guaranty, c.count, b.borrowdate "
             "from borrowinfo b join cdinfo c on c.cdid=substr(b.borrowid,1,12)");
    EXPECT_EQ(static_cast<long long>(lines.size()), Count(path, "select count(*) from borrowinfo"));
    for (const Row& r : lines) {
        SCOPED_TRACE(r[0].toStdString());
        const auto lent = Copies(r[2]);
        EXPECT_TRUE(lent && !lent->empty());
        if (!lent || lent->empty()) continue;
        EXPECT_EQ(static_cast<int>(lent->size()), r[1].toInt());
        EXPECT_EQ(Set(*lent).size(), lent->size());
        EXPECT_LE(*std::max_element(lent->begin(), lent->end()), r[9].toInt());
        std::set<int> back;
        int returned = 0;
        for (const Row& ret : returnsOf[r[0]]) {
            const auto copies = Copies(ret[2]);
            EXPECT_TRUE(copies) << ret[2].toStdString();
            EXPECT_EQ(static_cast<int>(copies.value_or(std::vector<int>{}).size()), ret[1].toInt());
            for (int c : CopiesOf(ret[2]))
                EXPECT_TRUE(back.insert(c).second) << "copy " << c << " returned twice";
            returned += ret[1].toInt();
            EXPECT_GT(ret[3], r[10]);
        }
        EXPECT_LE(returned, r[1].toInt());
        for (int c : back)
            EXPECT_TRUE(Set(*lent).count(c)) << "copy " << c << " returned but not lent";
        const bool allBack = returned == r[1].toInt();
        EXPECT_EQ(r[4], allBack ? "1" : "0");
        EXPECT_EQ(r[5], allBack ? "1" : "0");
        if (allBack) {
            EXPECT_EQ(r[3], " ");
            EXPECT_EQ(r[6].toDouble(), 0.0);
        } else {
            ++open;
            if (returned > 0) ++partly;
            // Copies are paid for when they come back: the unpaid ones are those still out.
            std::set<int> out = Set(*lent);
            for (int c : back) out.erase(c);
            EXPECT_TRUE(Copies(r[3])) << r[3].toStdString();
            EXPECT_EQ(Set(CopiesOf(r[3])), out);
        }
        EXPECT_TRUE(r[7] == "现金" ||
                    (r[7] == "证件" && !r[8].isEmpty() && r[6].toDouble() == 0.0));
    }
    return {open, partly};
}

// Every title's station, issell, outcount and restcount against its lines; returns how
// many titles have each station.
std::map<QString, int> CheckTitleStates(const QString& path) {
    std::map<QString, std::set<int>> out, sold;
    std::map<QString, int> lines;
    std::map<QString, std::vector<int>> backOf;  // borrowid -> copies returned
    for (const Row& r : Rows(path, "select substr(returnid,1,16), returnlst from returninfo")) {
        for (int c : CopiesOf(r[1])) backOf[r[0]].push_back(c);
    }
    for (const Row& r : Rows(path, "select borrowid, borrowlst from borrowinfo")) {
        const QString cdid = r[0].left(12);
        ++lines[cdid];
        std::set<int> copies = Set(CopiesOf(r[1]));
        for (int c : backOf[r[0]]) copies.erase(c);
        for (int c : copies)
            EXPECT_TRUE(out[cdid].insert(c).second) << "copy out twice: " << cdid.toStdString();
    }
    for (const Row& r :
         Rows(path, "select substr(sellid,1,12), selllst, sellcount from sellinfo")) {
        const std::vector<int> copies = CopiesOf(r[1]);
        EXPECT_EQ(static_cast<int>(copies.size()), r[2].toInt());
        for (int c : copies)
            EXPECT_TRUE(sold[r[0]].insert(c).second) << "copy sold twice: " << r[0].toStdString();
    }
    std::map<QString, int> stations;
    for (const Row& t :
         Rows(path, "select cdid, count, restcount, station, issell, outcount from cdinfo")) {
        SCOPED_TRACE(t[0].toStdString());
        const int count = t[1].toInt();
        const int o = static_cast<int>(out[t[0]].size());
        const int s = static_cast<int>(sold[t[0]].size());
        EXPECT_EQ(t[2].toInt(), count);
        EXPECT_LE(o + s, count);
        for (int c : out[t[0]])
            EXPECT_FALSE(sold[t[0]].count(c)) << "copy " << c << " both out and sold";
        for (int c : out[t[0]]) EXPECT_LE(c, count);
        const QString station = o == 0 ? "未借出" : o + s == count ? "全部借出" : "借出部分";
        EXPECT_EQ(t[3], station);
        ++stations[t[3]];
        EXPECT_EQ(t[4].toInt(), s == 0 ? 0 : s == count ? 2 : 1);
        EXPECT_EQ(t[5].toInt(), lines[t[0]]);
    }
    return stations;
}

// A sold copy never comes back to the shelf: no rental of it after its sale.
void CheckNoCopyLentAfterItWasSold(const QString& path) {
    std::map<QString, std::map<int, QString>> soldAt;  // cdid -> copy -> selldate
    for (const Row& r : Rows(path, "select substr(sellid,1,12), selllst, selldate from sellinfo")) {
        for (int c : CopiesOf(r[1])) soldAt[r[0]][c] = r[2];
    }
    for (const Row& r :
         Rows(path, "select substr(borrowid,1,12), borrowlst, borrowdate from borrowinfo")) {
        for (int c : CopiesOf(r[1])) {
            const auto it = soldAt[r[0]].find(c);
            if (it != soldAt[r[0]].end()) {
                EXPECT_LT(r[2], it->second) << r[0].toStdString() << " copy " << c;
            }
        }
    }
}

// A rental number is used again only once every copy of the basket that held it is
// back, so the return page never sees two open baskets under one number.
void CheckNumbersComeRoundOnlyWhenBasketsAreBack(const QString& path) {
    std::map<QString, QString> lastBack;  // borrowid -> its last return
    for (const Row& r :
         Rows(path, "select substr(returnid,1,16), max(returndate) from returninfo group by 1")) {
        lastBack[r[0]] = r[1];
    }
    struct Basket {
        QString name, date, back;
        bool allBack = true;
    };
    std::map<QString, std::map<QString, Basket>> basketsOf;  // number -> borrowdate -> basket
    for (const Row& r :
         Rows(path, "select borrowid, name, borrowdate, isreturnall from borrowinfo")) {
        Basket& b = basketsOf[r[0].right(4)][r[2] + r[1]];
        b.name = r[1];
        b.date = r[2];
        b.allBack = b.allBack && r[3] == "1";
        b.back = std::max(b.back, lastBack[r[0]]);
    }
    for (const auto& [number, baskets] : basketsOf) {
        for (auto b = baskets.begin(); std::next(b) != baskets.end(); ++b) {
            const Basket& next = std::next(b)->second;
            EXPECT_TRUE(b->second.allBack) << number.toStdString() << " used again while open";
            EXPECT_LE(b->second.back, next.date) << number.toStdString() << " used again while out";
        }
    }
}

class DemoShop {
  public:
    DemoShop(const DemoSize& size, std::uint64_t seed = 7) {
        path_ = QDir(dir_.path()).filePath("cdmanage.mdb");
        ShopGenerator generator({size, seed, kToday});
        QString error;
        ok_ = generator.Generate(path_, &error);
        error_ = error;
        counts_ = generator.Counts();
    }
    const QString& Path() const { return path_; }
    bool Ok() const { return ok_; }
    const QString& Error() const { return error_; }
    const DemoCounts& Counts() const { return counts_; }

  private:
    QTemporaryDir dir_;
    QString path_;
    QString error_;
    bool ok_ = false;
    DemoCounts counts_;
};

// One "small" shop, made once, is read by every consistency test.
class SmallShopTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { shop_ = std::make_unique<DemoShop>(*DemoSizeNamed("small")); }
    static void TearDownTestSuite() { shop_.reset(); }
    void SetUp() override { ASSERT_TRUE(shop_->Ok()) << shop_->Error().toStdString(); }

    static std::vector<Row> Q(const QString& sql) { return Rows(shop_->Path(), sql); }
    static long long N(const QString& sql) { return Count(shop_->Path(), sql); }

    static std::unique_ptr<DemoShop> shop_;
};
std::unique_ptr<DemoShop> SmallShopTest::shop_;

TEST_F(SmallShopTest, HoldsTheSmallShopAndItsSettings) {
    EXPECT_EQ(N("select count(*) from cdinfo"), 200);
    EXPECT_EQ(N("select count(*) from userinfo"), 60);
    EXPECT_EQ(N("select count(*) from borrowinfo"), 1500);
    EXPECT_EQ(N("select count(*) from sellinfo"), 300);
    EXPECT_EQ(N("select count(*) from returninfo"), shop_->Counts().returnRows);
    EXPECT_EQ(N("select count(*) from borrowinfo where name='汇总'"), 0);
    EXPECT_EQ(N("select count(*) from sellinfo where name='汇总'"), 0);
    EXPECT_EQ(Q("select percentb, percents from pricepercent"), (std::vector<Row>{{"0.8", "0.9"}}));
    EXPECT_EQ(Q("select foregifttype, money, membermoney from ForeGift"),
              (std::vector<Row>{{"1", "20.0", "10.0"}}));
    EXPECT_EQ(N("select count(*) from type where typeid between 1 and 99 and type <> ''"),
              N("select count(*) from type"));
    EXPECT_GE(N("select count(*) from movietype where type in ('动作片','喜剧片','武侠片')"), 3);
}

TEST_F(SmallShopTest, KeysHaveTheirLayoutAndJoin) {
    EXPECT_EQ(N("select count(*) from cdinfo where length(cdid)<>12 or cdid glob '*[^0-9]*'"), 0);
    EXPECT_EQ(
        N("select count(*) from borrowinfo where length(borrowid)<>16 or borrowid glob '*[^0-9]*'"),
        0);
    EXPECT_EQ(
        N("select count(*) from returninfo where length(returnid)<>20 or returnid glob '*[^0-9]*'"),
        0);
    EXPECT_EQ(N("select count(*) from sellinfo where length(sellid)<>16 or sellid glob '*[^0-9]*'"),
              0);
    EXPECT_EQ(N("select count(*) from userinfo where length(userid)<>6 or userid glob '*[^0-9]*'"),
              0);
    EXPECT_EQ(N("select count(distinct userid) from userinfo"), 60);
    EXPECT_EQ(N("select max(userid) from userinfo"), 60);
    // The first four digits are the codes of the title's format and movie type.
    EXPECT_EQ(N("select count(*) from cdinfo c join type t on t.type=c.type "
                "join movietype m on m.type=c.movietype "
                "where cast(substr(c.cdid,1,2) as integer)=t.typeid "
                "and cast(substr(c.cdid,3,2) as integer)=m.typeid"),
              200);
    // Sequences count up from 1 within each four-digit prefix.
    EXPECT_EQ(N("select count(*) from (select substr(cdid,1,4) p, count(*) n, "
                "max(cast(substr(cdid,5) as integer)) m from cdinfo group by p) where n<>m"),
              0);
    EXPECT_EQ(N("select count(*) from borrowinfo where substr(borrowid,1,12) not in (select cdid "
                "from cdinfo)"),
              0);
    EXPECT_EQ(N("select count(*) from sellinfo where substr(sellid,1,12) not in (select cdid from "
                "cdinfo)"),
              0);
    EXPECT_EQ(N("select count(*) from returninfo where substr(returnid,1,16) not in (select "
                "borrowid from borrowinfo)"),
              0);
    EXPECT_EQ(N("select count(distinct id) from cdinfo"), 200);
    EXPECT_EQ(N("select count(*) from cdinfo where id not glob '[A-Z][0-9][0-9][0-9][0-9]'"), 0);
}

TEST_F(SmallShopTest, BasketsAndSettlementsShareTheirNumber) {
    // Below 9000 baskets the numbers are the program's own: 1, 2, 3 ... never reused.
    EXPECT_EQ(N("select count(*) from (select substr(borrowid,-4) from borrowinfo "
                "group by 1 having count(distinct name)>1 or count(distinct borrowdate)>1)"),
              0);
    EXPECT_EQ(N("select count(*) from (select substr(sellid,-4) from sellinfo "
                "group by 1 having count(distinct name)>1 or count(distinct selldate)>1)"),
              0);
    EXPECT_EQ(N("select count(*) from (select substr(returnid,-4) from returninfo "
                "group by 1 having count(distinct returndate)>1 "
                "or count(distinct substr(returnid,13,4))>1)"),
              0);
    EXPECT_EQ(N("select max(cast(substr(borrowid,-4) as integer)) from borrowinfo"),
              N("select count(distinct substr(borrowid,-4)) from borrowinfo"));
}

TEST_F(SmallShopTest, SearchKeysAreThePinyinInitialsOfNameAndActorsAndTheLowerId) {
    for (const Row& r : Q("select name, actor, id, [key] from cdinfo")) {
        EXPECT_EQ(r[3], Initials(r[0]) + " " + Initials(r[1]) + " " + r[2].toLower())
            << r[0].toStdString();
        EXPECT_FALSE(r[3].contains('?')) << r[0].toStdString();
    }
}

TEST_F(SmallShopTest, RentalLinesAgreeWithTheirCopyListsAndReturns) {
    EXPECT_GT(CheckRentalLines(shop_->Path()).first, 0);
}

TEST_F(SmallShopTest, TitleStateAgreesWithItsLines) {
    std::map<QString, int> stations = CheckTitleStates(shop_->Path());
    EXPECT_GT(stations["未借出"], 0);
    EXPECT_GT(stations["借出部分"] + stations["全部借出"], 0);
    CheckNoCopyLentAfterItWasSold(shop_->Path());
}

TEST_F(SmallShopTest, DatesLieInTheThreeYearsAndInOrder) {
    const QString first = kFirstMoment, last = kLastMoment;
    for (const char* check : {
             "select count(*) from borrowinfo where borrowdate<'%1' or borrowdate>'%2'",
             "select count(*) from returninfo where returndate<'%1' or returndate>'%2'",
             "select count(*) from sellinfo where selldate<'%1' or selldate>'%2'",
             "select count(*) from cdinfo where buydate<substr('%1',1,10) or "
             "buydate>substr('%2',1,10)",
             "select count(*) from userinfo where JoinDate<substr('%1',1,10) or "
             "JoinDate>substr('%2',1,10)",
         }) {
        EXPECT_EQ(N(QString(check).arg(first, last)), 0) << check;
    }
    const QString moment =
        "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'";
    EXPECT_EQ(N("select count(*) from borrowinfo where borrowdate not glob " + moment), 0);
    EXPECT_EQ(N("select count(*) from returninfo where returndate not glob " + moment), 0);
    EXPECT_EQ(N("select count(*) from sellinfo where selldate not glob " + moment), 0);
    for (int year : {2023, 2024, 2025}) {
        EXPECT_GT(N(QString("select count(*) from borrowinfo where substr(borrowdate,1,4)='%1'")
                        .arg(year)),
                  0);
    }
    // Nothing is rented or sold before the title was bought or the member joined.
    EXPECT_EQ(N("select count(*) from borrowinfo b join cdinfo c on c.cdid=substr(b.borrowid,1,12) "
                "where substr(b.borrowdate,1,10)<c.buydate"),
              0);
    EXPECT_EQ(N("select count(*) from sellinfo s join cdinfo c on c.cdid=substr(s.sellid,1,12) "
                "where substr(s.selldate,1,10)<c.buydate"),
              0);
    EXPECT_EQ(N("select count(*) from borrowinfo b join userinfo u on u.userid=b.name "
                "where substr(b.borrowdate,1,10)<u.JoinDate"),
              0);
}

TEST_F(SmallShopTest, CustomersAreMembersOrWalkInsNamedByTheirDay) {
    for (const char* table : {"borrowinfo", "sellinfo"}) {
        const QString date = QString(table) == "borrowinfo" ? "borrowdate" : "selldate";
        EXPECT_EQ(
            N(QString("select count(*) from %1 where name not in (select userid from userinfo) "
                      "and (length(name)<>11 or substr(name,1,8)<>replace(substr(%2,1,10),'-','') "
                      "or substr(name,9) glob '*[^0-9]*')")
                  .arg(table, date)),
            0)
            << table;
        EXPECT_GT(N(QString("select count(*) from %1 where name in (select userid from userinfo)")
                        .arg(table)),
                  0);
        EXPECT_GT(
            N(QString("select count(*) from %1 where name not in (select userid from userinfo)")
                  .arg(table)),
            0);
    }
}

TEST_F(SmallShopTest, PricesAndMoneyFollowTheShopRules) {
    EXPECT_EQ(N("select count(*) from cdinfo where price<10 or price>40 or borrowprice<2 or "
                "borrowprice>5 "
                "or sellprice<15 or sellprice>50 or borrowpricetype not in ('每天','每次')"),
              0);
    EXPECT_EQ(
        N("select count(*) from cdinfo where abs(memberborrowprice-round(borrowprice*0.8,2))>0.001 "
          "or abs(membersellprice-round(sellprice*0.9,2))>0.001"),
        0);
    EXPECT_EQ(
        N("select count(*) from sellinfo s join cdinfo c on c.cdid=substr(s.sellid,1,12) "
          "where abs(s.money - s.sellcount * case when s.name in (select userid from userinfo) "
          "then c.membersellprice else c.sellprice end) > 0.001"),
        0);
    // Rent of a returned line: the price per copy per rental, or at least one day's price.
    EXPECT_EQ(
        N("select count(*) from borrowinfo b join cdinfo c on c.cdid=substr(b.borrowid,1,12) "
          "where b.isreturnall=1 and c.borrowpricetype='每次' and abs(b.money - b.borrowcount * "
          "case when b.name in (select userid from userinfo) then c.memberborrowprice "
          "else c.borrowprice end) > 0.001"),
        0);
    EXPECT_EQ(N("select count(*) from borrowinfo b join cdinfo c on c.cdid=substr(b.borrowid,1,12) "
                "where b.isreturnall=1 and b.money + 0.001 < b.borrowcount * c.memberborrowprice"),
              0);
    // A cash deposit still held is the rule's amount per copy, or none for a trusted member.
    EXPECT_EQ(N("select count(*) from borrowinfo where isreturnall=0 and foregift not in "
                "(0, 20*borrowcount, 10*borrowcount)"),
              0);
    EXPECT_GT(N("select count(*) from userinfo where money<0"), 0);
    EXPECT_GT(N("select count(*) from cdinfo where isabandon=1"), 0);
}

TEST_F(SmallShopTest, SameSeedAndDayGiveTheSameShop) {
    DemoShop again(*DemoSizeNamed("small"));
    ASSERT_TRUE(again.Ok());
    const QString dump = "select * from %1 order by 1";
    for (const char* table : {"cdinfo", "userinfo", "borrowinfo", "returninfo", "sellinfo"}) {
        EXPECT_EQ(Q(dump.arg(table)), Rows(again.Path(), dump.arg(table))) << table;
    }
    DemoShop other(*DemoSizeNamed("small"), 8);
    ASSERT_TRUE(other.Ok());
    EXPECT_NE(Q(dump.arg("cdinfo")), Rows(other.Path(), dump.arg("cdinfo")));
}

TEST(DemoDataTest, RefusesAnExistingFileAndLeavesItAlone) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("cdmanage.mdb");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    ShopGenerator generator({DemoSize{5, 2, 10, 2, 0}, 1, kToday});
    QString error;
    EXPECT_FALSE(generator.Generate(path, &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a database"));
}

TEST(DemoDataTest, CommandLineMakesTheFileOnceAndRejectsBadArguments) {
    const QString tool = LUMTRAK_BINARY_DIR "/tools/lumtrak-demodata";
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("cdmanage.mdb");
    const auto run = [&](const QStringList& args) {
        QProcess p;
        p.start(tool, args);
        p.waitForFinished(60000);
        return p.exitCode();
    };
    EXPECT_EQ(run({"small", path, "--seed", "3", "--today", "2025-06-14"}), 0);
    EXPECT_EQ(Count(path, "select count(*) from borrowinfo"), 1500);
    EXPECT_EQ(run({"small", path}), 1);
    EXPECT_EQ(Count(path, "select count(*) from borrowinfo"), 1500);
    const QString other = QDir(dir.path()).filePath("other.mdb");
    EXPECT_EQ(run({"medium", other}), 2);
    EXPECT_EQ(run({"small", other, "--today", "2025-13-01"}), 2);
    EXPECT_EQ(run({"small", other, "--seed"}), 2);
    EXPECT_EQ(run({"small", other, "--seed", "x"}), 2);
    EXPECT_FALSE(QFile::exists(other));
}

TEST(DemoDataTest, NamedSizes) {
    EXPECT_FALSE(DemoSizeNamed("medium"));
    const DemoSize large = *DemoSizeNamed("large");
    const DemoSize fold = *DemoSizeNamed("fold");
    EXPECT_EQ(large.rentalLines, 300000);
    EXPECT_EQ(large.foldRentalLines, 0);
    EXPECT_EQ(fold.foldRentalLines, 100000);
    EXPECT_EQ(fold.titles, large.titles);
    EXPECT_EQ(fold.members, large.members);
    EXPECT_EQ(fold.rentalLines, large.rentalLines);
    EXPECT_EQ(fold.saleLines, large.saleLines);
}

// The fold shop, scaled down: exactly the fold lines in Y-2, the others later, nothing
// older and no summary of an earlier fold.
TEST(DemoDataTest, FoldShopHasExactlyItsFoldLinesInTheYearBeforeLast) {
    DemoShop shop(DemoSize{60, 20, 600, 40, 700});
    ASSERT_TRUE(shop.Ok()) << shop.Error().toStdString();
    const QString& p = shop.Path();
    EXPECT_EQ(Count(p, "select count(*) from borrowinfo where substr(borrowdate,1,4)='2023'"), 700);
    EXPECT_EQ(
        Count(p, "select count(*) from borrowinfo where substr(borrowdate,1,4) in ('2024','2025')"),
        600);
    EXPECT_EQ(Count(p, "select count(*) from borrowinfo where borrowdate<'2023-01-01'"), 0);
    EXPECT_EQ(Count(p, "select count(*) from sellinfo where selldate<'2023-01-01'"), 0);
    EXPECT_EQ(Count(p, "select count(*) from borrowinfo where name='汇总'"), 0);
    EXPECT_GT(Count(p,
                    "select count(*) from returninfo where substr(returnid,1,16) in "
                    "(select borrowid from borrowinfo where substr(borrowdate,1,4)='2023')"),
              600);
    EXPECT_EQ(shop.Counts().foldRentalLines, 700);
}

// Every period of the report windows finds business: this week's delivery of new
// titles, rentals, returns and sales on today, yesterday and the day before; few titles
// wholly sold (the shop keeps one copy of a title for rent).
TEST_F(SmallShopTest, EveryReportPeriodFindsBusiness) {
    const QString today = kToday.toString("yyyy-MM-dd");
    const QString monday = kToday.addDays(1 - kToday.dayOfWeek()).toString("yyyy-MM-dd");
    EXPECT_GT(N(QString("select count(*) from cdinfo where buydate>='%1'").arg(monday)), 0);
    for (int back = 0; back <= 2; ++back) {
        const QString day = kToday.addDays(-back).toString("yyyy-MM-dd");
        for (const char* check :
             {"select count(*) from borrowinfo where substr(borrowdate,1,10)='%1'",
              "select count(*) from returninfo where substr(returndate,1,10)='%1'",
              "select count(*) from sellinfo where substr(selldate,1,10)='%1'"})
            EXPECT_GT(N(QString(check).arg(day)), 0) << check << " " << day.toStdString();
    }
    EXPECT_LE(N("select count(*) from cdinfo where issell=2") * 10,
              N("select count(*) from cdinfo"));
    EXPECT_LT(N(QString("select count(*) from cdinfo where buydate>'%1'").arg(today)), 1);
}

// Weekends are busier than the start of the week, the summer busier than the spring.
TEST(DemoDataTest, BusinessHasItsWeeklyAndSeasonalRhythm) {
    DemoShop shop(DemoSize{400, 80, 20000, 100, 0});
    ASSERT_TRUE(shop.Ok()) << shop.Error().toStdString();
    const QString& p = shop.Path();
    // strftime('%w'): 0 Sunday, 1 Monday ... 6 Saturday.
    const auto onWeekday = [&](int w) {
        return Count(p, QString("select count(*) from borrowinfo where "
                                "cast(strftime('%w', borrowdate) as integer)=%1")
                            .arg(w));
    };
    EXPECT_GT(onWeekday(6), onWeekday(1) * 3 / 2);
    const auto inMonth = [&](const char* m) {
        return Count(
            p, QString("select count(*) from borrowinfo where substr(borrowdate,1,7)='%1'").arg(m));
    };
    EXPECT_GT(inMonth("2024-08"), inMonth("2024-04") * 6 / 5);
}

// A busy shop runs out of four-digit numbers and uses them again, but never for a
// second line of a title, and never while the basket holding it still has copies out.
TEST(DemoDataTest, BusyShopReusesRentalNumbersAndStaysConsistent) {
    DemoShop shop(DemoSize{400, 80, 20000, 100, 0});
    ASSERT_TRUE(shop.Ok()) << shop.Error().toStdString();
    const QString& p = shop.Path();
    EXPECT_EQ(Count(p, "select count(*) from borrowinfo"), 20000);
    EXPECT_EQ(Count(p, "select count(*) from sellinfo"), 100);
    EXPECT_GT(Count(p,
                    "select count(*) from (select 1 from borrowinfo group by substr(borrowid,-4) "
                    "having count(distinct borrowdate)>1)"),
              0);
    EXPECT_EQ(Count(p, "select max(cast(substr(borrowid,-4) as integer)) from borrowinfo"), 9000);
    CheckNumbersComeRoundOnlyWhenBasketsAreBack(p);
    const auto [open, partly] = CheckRentalLines(p);
    EXPECT_GT(open, 0);
    EXPECT_GT(partly, 0);
    CheckTitleStates(p);
    CheckNoCopyLentAfterItWasSold(p);
}

TEST(WordListsTest, InitialsAreThoseTheProgramComputes) {
    for (const auto& list :
         {WordLists::TitleWords(), WordLists::TitleJoins(), WordLists::TitleSuffixes(),
          WordLists::Surnames(), WordLists::GivenNames()}) {
        for (const Word& w : list) {
            EXPECT_EQ(Initials(QString::fromUtf8(w.text)), QString::fromLatin1(w.initials))
                << w.text;
        }
    }
}

TEST(NumberPoolTest, HandsOutNumbersInTurnSkippingRefusedOnesAndWraps) {
    NumberPool pool(4);
    const auto none = [](int) { return false; };
    EXPECT_EQ(pool.Take(none), 1);
    EXPECT_EQ(pool.Take([](int n) { return n == 2; }), 3);
    EXPECT_EQ(pool.Take(none), 4);
    EXPECT_EQ(pool.Take(none), 1);
    EXPECT_EQ(pool.Take([](int) { return true; }), 0);
    EXPECT_EQ(pool.Take(none), 2);
}
}  // namespace
