// Every report window against the statements that define its rows, kept here as the
// reference: on a demo shop (tools/demodata) with lines added of every form another program
// may have written (dates with one-digit parts, a "T", a leading blank, a date alone, none;
// keys of 11, 13, 15 and 17 characters; customer keys that differ in case only, Null and
// empty keys; Null and negative money), every row of every period each window offers, cell
// by cell; and again on the same file without the indexes the reports use (a shop file made
// before them gives the same figures, only slower).
//
// How the reference reads what it stores:
//  - A date is what the program's one reading of a date text takes it for (year(), month()
//    and day() on the connection, and datevalue() below, both through DateText): the
//    statements compare and order dates as dates, not as texts, and "2024-3-1 9:05:00" or
//    " 2024-03-01 09:00:00" is a date. So a bound "x >= Monday" compares as
//    datevalue(x) >= '2026-12-14', "x+1" is a day added to datevalue(x), "order by x"
//    orders by datevalue(x), and max(x) takes the largest datevalue(x) (the stored text
//    itself when none of them is a date).
//  - A key is compared whole: "the first 12 characters of borrowid are cdid" is
//    substr(borrowid,1,12) = cdid, so a key of another length meets only its equal. A
//    customer key compares as the database compares texts, without regard to case (collate
//    nocase), and Null reads as the empty key.
//  - Money missing (Null) counts 0, in sums and in every order by money.
//  - Where the statements leave the order of equal rows to the database, the reference
//    orders them as the windows do: by key; purchased titles by purchase day and then in
//    the order they were entered. A walk-in customer whose key is written in several cases
//    is one customer, named by one of them: the names are compared case-blind there.
#include <sqlite3.h>

#include <QComboBox>
#include <memory>

#include "core/ShopFileAdditions.h"
#include "core/mdlMain.h"
#include "platform/db/DateText.h"
#include "platform/db/Recordset.h"
#include "platform/db/Value.h"
#include "printout/ReportText.h"
#include "tests/reports/ListingFixture.h"
#include "tools/demodata/ShopGenerator.h"

namespace {
const QDate kShopToday(2026, 12, 20);

// datevalue(x): the stored date text x as a date value, "yyyy-mm-dd hh:mm:ss"; Null when x is
// no date text.
void DateValue(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const auto d = DateText::Parse(std::string_view(text, sqlite3_value_bytes(argv[0])));
    if (!d) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray value = QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d->year, d->month,
                                               d->day, d->hour, d->minute, d->second)
                                 .toUtf8();
    sqlite3_result_text(ctx, value.constData(), int(value.size()), SQLITE_TRANSIENT);
}

Rows Lines(Recordset& set, const std::function<QStringList(Recordset&)>& line) {
    Rows rows;
    for (; !set.AtEOF(); set.MoveNext()) rows.push_back(line(set));
    return rows;
}

QString Text(Recordset& set, const char* field) {
    return NullToStr(set[field]);
}

// "9:5": the hour and minute of a date value.
QString HourMinute(const Value& value) {
    const QString t = value.ToString();
    return QString::number(t.mid(11, 2).toInt()) + ':' + QString::number(t.mid(14, 2).toInt());
}

QString Day(const QDate& d) {
    return d.toString("yyyy-MM-dd");
}

// ---- The income report: its seven statements for each view, and their merge ----

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
    "where borrowid not in (select substr(returnid,1,16) from returninfo) and money>0%2 "
    "group by 1 order by 1 desc",
    // sales
    "select %1 as year, sum(money) as money, count(*) as count from sellinfo where 1%2 "
    "group by 1 order by 1 desc",
};
const char* const kIncomeDates[] = {"b.borrowdate", "returndate",   "buydate", "b.returndate",
                                    "joindate",     "b.borrowdate", "selldate"};
const char* const kIncomeKeys[] = {"year(%1)", "month(%1)", "day(%1)"};
const char* const kIncomeSuffix[] = {"年", "月", "日"};

Rows IncomeReference(int view, const QDate& today) {
    std::vector<std::unique_ptr<Recordset>> sets;
    for (int s = 0; s < 7; ++s) {
        const QString date = kIncomeDates[s];
        const QString key = QString(kIncomeKeys[view]).arg(date);
        // A figure without a date is in no period.
        QString condition = QString(" and %1 is not null").arg(key);
        if (view >= 1) condition += QString(" and year(%1)=%2").arg(date).arg(today.year());
        if (view == 2) condition += QString(" and month(%1)=%2").arg(date).arg(today.month());
        sets.push_back(std::make_unique<Recordset>());
        sets.back()->Open(QString(kIncomeSets[s]).arg(key, condition), gConn, adLockReadOnly);
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

// ---- The customer report: its five statements, and the lines made of them ----

const char* const kCustomers = R"SQL(
with borrows as (select ifnull(name, '') as name, borrowdate, money from borrowinfo),
     sells as (select ifnull(name, '') as name, sellid, money from sellinfo),
     rentals as (
        select name, count(*) as count, sum(money) as money,
               coalesce(max(datevalue(borrowdate)), max(borrowdate)) as maxborrowdate
        from borrows group by name collate nocase)
select 1 as grp, d.userid as userid, d.username as name, a.count as count, a.money as money,
       e.money as buymoney, d.money as storemoney, a.maxborrowdate as maxborrowdate,
       coalesce(a.money, 0) as rank, null as line
from (select name, sum(money) as money from sells group by name collate nocase) as e,
     rentals as a, userinfo as d
where a.name = d.userid collate nocase and d.userid = e.name collate nocase
union all
select 2, d.userid, d.username, a.count, a.money, null, d.money, a.maxborrowdate,
       coalesce(a.money, 0), null
from rentals as a, userinfo as d
where a.name = d.userid collate nocase
  and d.userid collate nocase not in (select name from sells)
union all
select 3, a.userid, a.username, 0, 0, b.money, a.money, null, 0, b.sellid
from userinfo as a, sells as b
where a.userid = b.name collate nocase
  and a.userid collate nocase not in (select name from borrows)
union all
select 4, userid, username, 0, 0, null, money, null, 0, null from userinfo
where userid collate nocase not in (select name from sells)
  and userid collate nocase not in (select name from borrows)
union all
select 5, null, a.name, a.count, a.money, null, null, a.maxborrowdate, coalesce(a.money, 0), null
from rentals as a
where a.name collate nocase not in (select userid from userinfo)
order by grp, rank desc, userid, name collate nocase, line
)SQL";

// A walk-in customer whose key is written in several cases shows as one of them.
Rows CaseBlindWalkIns(Rows rows) {
    for (QStringList& row : rows)
        if (row[1] == "零租用户") row[3] = row[3].toLower();
    return rows;
}

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
        const QString last =
            group == 1 ? ReportText::WithCentury(c["maxborrowdate"]) : Text(c, "maxborrowdate");
        rows.push_back(QStringList{
            QString::number(rows.size() + 1),
            member ? QStringLiteral("会员") : QStringLiteral("零租用户"), Text(c, "userid"),
            Text(c, "name"), ReportText::Count(c["count"], QStringLiteral("次")),
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

// ---- The purchase report: its two statements for each period, and its fill ----

// %1 the period, %2 leaves out the rental basket open at the counter (its number ?1).
const char* const kRentedTitles =
    "select a.cdid, a.name as moviename, a.buydate as buydate, a.price*a.count as price, "
    "coalesce(b.money, 0) as money, a.type as type from cdinfo as a, "
    "(select substr(borrowid,1,12) as cdid, sum(money) as money from borrowinfo where %2 "
    "group by substr(borrowid,1,12)) as b "
    "where %1 and a.cdid=b.cdid "
    "order by coalesce(b.money, 0) desc, date(datevalue(a.buydate)), a.rowid";
const char* const kNeverRentedTitles =
    "select cdid, name as moviename, buydate, price*count as price, type from cdinfo "
    "where %1 and cdid not in (select substr(borrowid,1,12) from borrowinfo where %2) "
    "order by date(datevalue(buydate)), rowid";
// The rental lines of the open basket, whose number is ?1 (Null when none is open).
const char* const kNotInOpenBasket = "(?1 is null or substr(borrowid,-4) <> ?1)";

Rows PurchaseReference(int period, const QDate& today, const Value& openBasket) {
    QString when;
    if (period == 0) {
        // Monday to Sunday, both days whole: a purchase date is a day.
        const QDate monday = today.addDays(1 - today.dayOfWeek());
        when = QString("date(datevalue(buydate))>='%1' and date(datevalue(buydate))<='%2'")
                   .arg(Day(monday), Day(monday.addDays(6)));
    } else {
        when = QString("year(buydate)=%1").arg(today.year());
        if (period == 1) when += QString(" and month(buydate)=%1").arg(today.month());
    }
    Rows rows;
    double cost = 0, rent = 0;
    for (const bool rented : {true, false}) {
        Recordset titles;
        titles.Open(QString::fromUtf8(rented ? kRentedTitles : kNeverRentedTitles)
                        .arg(QString(when).replace("buydate", rented ? "a.buydate" : "buydate"),
                             kNotInOpenBasket),
                    gConn, adLockReadOnly, {openBasket});
        for (; !titles.AtEOF(); titles.MoveNext()) {
            const double price = titles["price"].ToDouble();
            const double money = rented ? titles["money"].ToDouble() : 0;
            rows.push_back(QStringList{
                Text(titles, "moviename"), ReportText::ChineseDate(titles["buydate"]),
                ReportText::Money(price), ReportText::Money(money), Text(titles, "type")});
            cost += price;
            rent += money;
        }
    }
    rows.push_back(QStringList{"合计", "", ReportText::Money(cost), ReportText::Money(rent), ""});
    return rows;
}

// ---- The listings of recent days: the members' and the walk-in customers' statements ----

// The condition of a recent period on the date column: today, yesterday, the day before
// (the stored date shifted forward by that many days falls on today), or this week.
QString RecentCondition(int period, const QString& column, const QDate& today) {
    if (period == 3) {
        const QDate monday = today.addDays(1 - today.dayOfWeek());
        return QString("datevalue(%1)>='%2' and datevalue(%1)<'%3'")
            .arg(column, Day(monday), Day(monday.addDays(7)));
    }
    const QString shifted = QString("datetime(datevalue(%1), '+%2 days')").arg(column).arg(period);
    return QString("year(%1)=%2 and month(%1)=%3 and day(%1)=%4")
        .arg(shifted)
        .arg(today.year())
        .arg(today.month())
        .arg(today.day());
}

// A member's key, and every other key (Null read as the empty key).
const char* const kIsMember = "a.name = d.userid collate nocase";
const char* const kIsWalkIn =
    "ifnull(a.name, '') collate nocase not in (select userid from userinfo)";

// Both lists newest first on field, the member's row first on equal times.
Rows NewestFirst(Recordset& members, Recordset& walkIns, const char* field,
                 const std::function<QStringList(Recordset&, bool)>& line) {
    Rows rows;
    while (!members.AtEOF() || !walkIns.AtEOF()) {
        const bool member = !members.AtEOF() && (walkIns.AtEOF() || members[field].ToString() >=
                                                                        walkIns[field].ToString());
        Recordset& set = member ? members : walkIns;
        rows.push_back(line(set, member));
        set.MoveNext();
    }
    return rows;
}

// %1 who, %2 the period.
const char* const kMemberReturns =
    "select d.username as name, b.name as moviename, a.borrowdate as borrowdate, "
    "datevalue(c.returndate) as returndate, a.money as money "
    "from borrowinfo as a, cdinfo as b, returninfo as c, userinfo as d "
    "where %1 and b.cdid=substr(a.borrowid,1,12) and a.borrowid=substr(c.returnid,1,16) "
    "and a.money>0 and %2 order by datevalue(c.returndate) desc, c.returnid";
const char* const kWalkInReturns =
    "select a.name as name, b.name as moviename, a.borrowdate as borrowdate, "
    "datevalue(c.returndate) as returndate, a.money as money "
    "from borrowinfo as a, cdinfo as b, returninfo as c "
    "where %1 and b.cdid=substr(a.borrowid,1,12) and a.borrowid=substr(c.returnid,1,16) "
    "and a.money>0 and %2 order by datevalue(c.returndate) desc, c.returnid";

// A date and time shown as every report shows it; a text that is no date as it stands.
QString Shown(const Value& stored) {
    Recordset v;
    v.Open("select coalesce(datevalue(?1), ?1)", gConn, adLockReadOnly, {stored});
    return NullToStr(v.GetValue(0));
}

Rows EarnReference(int period, const QDate& today) {
    const QString when = RecentCondition(period, "c.returndate", today);
    Recordset members;
    members.Open(QString(kMemberReturns).arg(kIsMember, when), gConn, adLockReadOnly);
    Recordset walkIns;
    walkIns.Open(QString(kWalkInReturns).arg(kIsWalkIn, when), gConn, adLockReadOnly);
    double total = 0;
    Rows rows = NewestFirst(members, walkIns, "returndate", [&](Recordset& r, bool member) {
        total += r["money"].ToDouble();
        return QStringList{Text(r, "moviename"),
                           member ? "会员" : "零租用户",
                           Text(r, "name"),
                           ReportText::Money(r["money"]),
                           period == 3 ? Text(r, "returndate") : HourMinute(r["returndate"]),
                           ReportText::WithCentury(Shown(r["borrowdate"]))};
    });
    rows.push_back(QStringList{"合计", "", "", ReportText::Money(total), "", ""});
    return rows;
}

// %1 who, %2 the period, %3 leaves out the rental basket open at the counter.
const char* const kMemberRentals =
    "select d.username as name, c.name as moviename, datevalue(a.borrowdate) as borrowdate, "
    "a.CredenceType as Credence, a.foregift as Foregift, a.Guaranty as Guaranty, "
    "a.money as money from borrowinfo as a, cdinfo as c, userinfo as d "
    "where %1 and c.cdid=substr(a.borrowid,1,12) and %2 and %3 "
    "order by datevalue(a.borrowdate) desc, a.borrowid";
const char* const kWalkInRentals =
    "select a.name as name, c.name as moviename, datevalue(a.borrowdate) as borrowdate, "
    "a.CredenceType as Credence, a.foregift as Foregift, a.Guaranty as Guaranty, "
    "a.money as money from borrowinfo as a, cdinfo as c "
    "where %1 and c.cdid=substr(a.borrowid,1,12) and %2 and %3 "
    "order by datevalue(a.borrowdate) desc, a.borrowid";

Rows BorrowReference(int period, const QDate& today, const Value& openBasket) {
    const QString when = RecentCondition(period, "a.borrowdate", today);
    const QString basket = QString(kNotInOpenBasket).replace("borrowid", "a.borrowid");
    Recordset members;
    members.Open(QString(kMemberRentals).arg(kIsMember, when, basket), gConn, adLockReadOnly,
                 {openBasket});
    Recordset walkIns;
    walkIns.Open(QString(kWalkInRentals).arg(kIsWalkIn, when, basket), gConn, adLockReadOnly,
                 {openBasket});
    double rent = 0, deposits = 0;
    Rows rows = NewestFirst(members, walkIns, "borrowdate", [&](Recordset& r, bool member) {
        const bool cash = Text(r, "Credence") == "现金";
        rent += r["money"].ToDouble();
        if (cash) deposits += r["Foregift"].ToDouble();
        return QStringList{Text(r, "moviename"),
                           member ? "会员" : "零租用户",
                           Text(r, "name"),
                           ReportText::Money(r["money"]),
                           cash ? ReportText::Money(r["Foregift"]) : Text(r, "Guaranty"),
                           period == 3 ? Text(r, "borrowdate") : HourMinute(r["borrowdate"])};
    });
    rows.push_back(
        QStringList{"合计", "", "", ReportText::Money(rent), ReportText::Money(deposits), ""});
    return rows;
}

// %1 who, %2 the period.
const char* const kMemberSales =
    "select d.username as name, b.name as moviename, datevalue(a.selldate) as selldate, "
    "a.money as money from sellinfo as a, cdinfo as b, userinfo as d "
    "where %1 and b.cdid=substr(a.sellid,1,12) and %2 order by datevalue(a.selldate), a.sellid";
const char* const kWalkInSales =
    "select a.name as name, b.name as moviename, datevalue(a.selldate) as selldate, "
    "a.money as money from sellinfo as a, cdinfo as b "
    "where %1 and b.cdid=substr(a.sellid,1,12) and %2 order by datevalue(a.selldate), a.sellid";

Rows SellEarnReference(int period, const QDate& today) {
    const QString when = RecentCondition(period, "a.selldate", today);
    Rows rows;
    double total = 0;
    for (const bool member : {true, false}) {
        Recordset sales;
        sales.Open(
            QString(member ? kMemberSales : kWalkInSales).arg(member ? kIsMember : kIsWalkIn, when),
            gConn, adLockReadOnly);
        for (const QStringList& line : Lines(sales, [&](Recordset& r) {
                 total += r["money"].ToDouble();
                 return QStringList{Text(r, "moviename"), member ? "会员" : "非会员",
                                    Text(r, "name"), ReportText::Money(r["money"]),
                                    Text(r, "selldate")};
             }))
            rows.push_back(line);
    }
    rows.push_back(QStringList{"合计", "", "", ReportText::Money(total), ""});
    return rows;
}

// ---- The two lists of 50 ----

const char* const kMostRented =
    "select a.name as moviename, coalesce(date(datevalue(a.buydate)), a.buydate) as buydate, "
    "b.outcount as outcount, coalesce(b.money, 0) as money, a.price*a.count as charge "
    "from cdinfo as a, (select substr(borrowid,1,12) as cdid, count(*) as outcount, "
    "sum(money) as money from borrowinfo where %1 group by substr(borrowid,1,12)) as b "
    "where a.cdid=b.cdid order by b.outcount desc, coalesce(b.money, 0) desc, a.cdid limit 50";

Rows MostRentedReference(const Value& openBasket) {
    Recordset titles;
    titles.Open(QString(kMostRented).arg(kNotInOpenBasket), gConn, adLockReadOnly, {openBasket});
    int n = 0;
    return Lines(titles, [&](Recordset& r) {
        return QStringList{QString::number(++n),
                           Text(r, "moviename"),
                           Text(r, "buydate"),
                           ReportText::Count(r["outcount"], "次"),
                           ReportText::Money(r["money"]),
                           ReportText::Money(r["charge"])};
    });
}

const char* const kBestSelling =
    "select a.name as moviename, coalesce(date(datevalue(a.buydate)), a.buydate) as buydate, "
    "b.money as money, a.price*a.count as charge from cdinfo as a, "
    "(select substr(sellid,1,12) as cdid, coalesce(sum(money), 0) as money from sellinfo "
    "group by substr(sellid,1,12)) as b where a.cdid=b.cdid "
    "order by b.money desc, a.cdid limit 50";

Rows BestSellingReference() {
    Recordset titles;
    titles.Open(kBestSelling, gConn, adLockReadOnly);
    int n = 0;
    return Lines(titles, [&](Recordset& r) {
        return QStringList{QString::number(++n), Text(r, "moviename"),
                           ReportText::WithCentury(r["buydate"]), ReportText::Money(r["money"]),
                           ReportText::Money(r["charge"])};
    });
}

// Lines a shop gathers besides the counter's own: a rental of a title since deleted, one
// returned in two settlements, dates in other forms or none, walk-in names that differ
// only in case, money missing, negative or kept as text, keys of other lengths.
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

-- Titles of 12, 13 and 11 characters, bought on dates in other forms, this week (Monday
-- 14 December to Sunday 20 December 2026) and in March.
insert into cdinfo (cdid, name, count, buydate, price, type)
values ('010100009101', '十二位', 1, '2026-12-14', 10, 'DVD'),
       ('0101000091017', '十三位', 2, '2026-12-15 9:05:00', 6, 'DVD'),
       ('01010000910', '十一位', 1, ' 2026-12-16', 8, 'VCD'),
       ('010100009102', '无租金', 1, '2026-12-17T08:00:00', 4, 'VCD'),
       ('010100009103', '负租金', 3, '2026-3-1', 2, 'DVD');
-- A member whose number another program wrote in capitals, rented under it in small letters.
insert into userinfo (userid, username, JoinDate, money)
values ('ABC001', '大写', '2026-12-5', 30), ('009002', '空白', ' 2026-12-18', 2);
insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money, foregift, CredenceType,
                        Guaranty)
values ('0101000091010001', 'abc001', '2026-12-18 10:00:00', 1, 5, 10, '现金', null),
       ('01010000910170001', 'ABC001', '2026-12-18 9:05:00', 2, 7, 0, '证件', '身份证'),
       ('01010000910', '009002', '2026-12-17T08:00:00', 1, 1.5, 0, '现金', null),
       ('010100009100001', 'W壬', '2026-12-16', 1, 2, 0, '现金', null),
       ('0101000091020001', '', ' 2026-12-19 08:00:00', 1, null, 0, '现金', null),
       ('0101000091020002', null, '2026-12-19', 1, null, 5, '现金', null),
       ('0101000091030001', 'ABC001', '2026-12-20T07:30:00', 1, -3, 0, '现金', null),
       ('01010000910200107', 'W壬', '2026-12-17 11:00:00', 1, 2.5, 0, '现金', null),
       ('0101000091030002', 'w壬', '2026-3-2 10:15:00', 1, 4, 0, '现金', null),
       ('0101000091010002', 'W癸', '2026-12-20 10:15:00', 1, 1, 0, '现金', null),
       ('0101000091010003', 'W癸', '2026-12-20T08:00:00', 1, 1, 0, '现金', null);
insert into returninfo (returnid, returndate, returncount)
values ('01010000910200100001', '2026-12-18 10:00:00', 1),
       ('01010000910100010001', '2026-12-19T09:00:00', 1),
       ('010100009101700010001', '2026-12-19 9:30:00', 2),
       ('01010000910300010001', ' 2026-12-20 08:00:00', 1),
       ('010100009100001', '2026-12-18', 1),
       ('01010000910300020001', '2026-3-3 9:05', 1);
insert into sellinfo (sellid, name, selldate, money)
values ('0101000091010001', 'abc001', '2026-12-19 9:00:00', 12),
       ('01010000910170002', 'ABC001', '2026-12-20T10:00:00', 8),
       ('0101000091020001', null, '2026-12-18', null),
       ('0101000091030001', '', ' 2026-12-17 12:00:00', -2),
       ('0101000091030002', 'w壬', '2026-3-4', 3);
)SQL";

// The indexes the reports use that a shop file made before them lacks.
const char* const kNewIndexes =
    "drop index borrowinfo_lines; drop index returninfo_lines; drop index borrowinfo_customers;"
    "drop index borrowinfo_odd_dates; drop index returninfo_odd_dates;"
    "drop index sellinfo_odd_dates; drop index cdinfo_odd_dates; drop index userinfo_odd_dates;"
    "drop index userinfo_userid_nocase;";

class ReportParityTest : public ListingTest {
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
        ListingTest::SetUp();
        QFile::remove(DbPath());
        ASSERT_TRUE(QFile::copy(QDir(shop_->path()).filePath("demo.mdb"), DbPath()));
        Sql(QString::fromUtf8(kOddLines));
        SetNow(QDateTime(kShopToday, QTime(13, 0)));
    }

    void Open() {
        OpenShop();
        ASSERT_EQ(sqlite3_create_function_v2(gConn.Handle(), "datevalue", 1,
                                             SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                             &DateValue, nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }

    // The same file again, without the reports' indexes.
    void ReopenWithoutNewIndexes() {
        gConn.Close();
        Sql(kNewIndexes);
        Open();
    }

    // Every year, every month of each year and every day of each month of the shop.
    void ExpectIncome() {
        page_->LblReport_Click(1);
        frmReport& w = frmReport::instance();
        SetNow(QDateTime(kShopToday, QTime(13, 0)));
        ChoosePeriod(w, 0);
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
        frmReport::unload();
    }

    // Every week, month and year of the shop's purchases.
    void ExpectPurchases(const Value& openBasket = Value()) {
        page_->LblReport_Click(2);
        frmBuyReport& w = frmBuyReport::instance();
        for (QDate monday(2023, 12, 25); monday <= kShopToday; monday = monday.addDays(7)) {
            SetNow(QDateTime(monday.addDays(2), QTime(13, 0)));
            w.Form_Activate();
            ASSERT_EQ(Body(w, 5), PurchaseReference(0, Now().date(), openBasket))
                << qPrintable(monday.toString());
            if (monday.addDays(2).day() <= 7) {
                ChoosePeriod(w, 1);
                ASSERT_EQ(Body(w, 5), PurchaseReference(1, Now().date(), openBasket));
            }
            if (monday.addDays(2).dayOfYear() <= 7) {
                ChoosePeriod(w, 2);
                ASSERT_EQ(Body(w, 5), PurchaseReference(2, Now().date(), openBasket));
            }
        }
        frmBuyReport::unload();
    }

    void ExpectCustomers() {
        frmUserReport::unload();
        page_->LblReport_Click(0);
        const Rows shown = CaseBlindWalkIns(Body(frmUserReport::instance(), 9));
        const Rows expected = CaseBlindWalkIns(CustomerReference());
        ASSERT_EQ(shown.size(), expected.size());
        for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i], expected[i]) << "row " << i;
        frmUserReport::unload();
    }

    // Today, yesterday, the day before and this week of each day of March and of the last
    // five weeks, in each of the three listings of recent days.
    void ExpectListings(const Value& openBasket = Value()) {
        std::vector<QDate> days;
        for (QDate d(2026, 2, 27); d <= QDate(2026, 3, 9); d = d.addDays(1)) days.push_back(d);
        for (QDate d(2026, 11, 16); d <= kShopToday.addDays(1); d = d.addDays(1)) days.push_back(d);
        for (const QDate& day : days) {
            SetNow(QDateTime(day, QTime(13, 0)));
            for (int period = 0; period <= 3; ++period) {
                const QString when = day.toString("yyyy-MM-dd ") + QString::number(period);
                ASSERT_EQ((Picked<frmEarnReport>(kEarnLink, period)), EarnReference(period, day))
                    << qPrintable(when);
                ASSERT_EQ((Picked<frmBorrowReport>(kBorrowLink, period)),
                          BorrowReference(period, day, openBasket))
                    << qPrintable(when);
                ASSERT_EQ((Picked<frmSellEarnInfo>(kSellEarnLink, period)),
                          SellEarnReference(period, day))
                    << qPrintable(when);
            }
        }
    }

    void ExpectTopLists(const Value& openBasket = Value()) {
        EXPECT_EQ(Loaded<frmHotCDInfo>(kHotLink), MostRentedReference(openBasket));
        EXPECT_EQ(Loaded<frmSellHotCDInfo>(kSellHotLink), BestSellingReference());
    }

    // A rental basket of this week left open at the counter: its lines are no rental yet.
    // A basket open at the counter (its lines written, not settled): no rental yet.
    Value OpenRentalBasket() {
        const QString no = Query1(
            "select substr(max(borrowid), -4) from borrowinfo "
            "where borrowdate >= '2026-12-14' and length(borrowid) = 16");
        Data().Add(ShopData::OpenBasket(no));
        return Value(no);
    }
    void CloseBaskets() { Sql("delete from openbasket"); }

    static std::unique_ptr<QTemporaryDir> shop_;
};

std::unique_ptr<QTemporaryDir> ReportParityTest::shop_;

TEST_F(ReportParityTest, IncomeEveryPeriodAsItsStatementsGiveIt) {
    Open();
    ExpectIncome();
    ReopenWithoutNewIndexes();
    ExpectIncome();
}

// The same file without the reports' indexes, brought up as start-up does: it gets them,
// and the figures stay.
TEST_F(ReportParityTest, AnOlderFileBroughtUpGetsTheIndexesAndTheSameFigures) {
    Sql(kNewIndexes);
    Open();
    ASSERT_TRUE(ShopFileAdditions::BringUp(gConn));
    EXPECT_EQ(Count("select count(*) from sqlite_master where name in ('borrowinfo_lines', "
                    "'returninfo_lines', 'borrowinfo_customers', 'userinfo_userid_nocase')"),
              4);
    ExpectIncome();
    ExpectCustomers();
}

TEST_F(ReportParityTest, CustomersAsTheirStatementsGiveThem) {
    Open();
    ExpectCustomers();
    ReopenWithoutNewIndexes();
    ExpectCustomers();
}

TEST_F(ReportParityTest, PurchasesEveryPeriodAsTheirStatementsGiveThem) {
    Open();
    ExpectPurchases();
    const Value basket = OpenRentalBasket();
    ExpectPurchases(basket);
    CloseBaskets();
    ReopenWithoutNewIndexes();
    ExpectPurchases();
}

TEST_F(ReportParityTest, ListingsOfRecentDaysAsTheirStatementsGiveThem) {
    Open();
    ExpectListings();
    ReopenWithoutNewIndexes();
    ExpectListings();
}

TEST_F(ReportParityTest, TheListsOfFiftyAsTheirStatementsGiveThem) {
    Open();
    ExpectTopLists();
    ExpectTopLists(OpenRentalBasket());
    CloseBaskets();
    ReopenWithoutNewIndexes();
    ExpectTopLists();
}
}  // namespace
