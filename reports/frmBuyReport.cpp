#include "reports/frmBuyReport.h"

#include <QComboBox>
#include <algorithm>
#include <vector>

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "printout/ReportText.h"
#include "reports/OddDates.h"
#include "reports/ReportTimes.h"

namespace {
// Titles bought in the period that have a rental line, with the rent of all their lines
// (no rent recorded counts 0). ?1 the first day and ?2 the day after the last, as date
// texts: %2 adds the titles whose purchase date is in another form; every title is then held
// to the period, and ordered, by its date's value. A line is the title's when its first 12
// characters are the title's whole key (the key goes in with "+", without its column's
// affinity, so that the index on the lines' first 12 characters serves the join). The lines
// of the baskets still open at the counter are no rental yet: %1 leaves them out, so a title
// lent only there is not rented yet.
const char* const kRentedTitles =
    "select a.rowid as entered, a.name as moviename, a.buydate as buydate, "
    "a.price*a.count as price, "
    "(select coalesce(sum(b.money),0) from borrowinfo as b "
    "where substr(b.borrowid,1,12)=+a.cdid and %1) as money, "
    "a.type as type from cdinfo as a "
    "where (a.buydate>=?1 and a.buydate<?2 or %2) "
    "and exists (select 1 from borrowinfo as b where substr(b.borrowid,1,12)=+a.cdid and %1)";
// Titles bought in the period that were never rented, the same way.
const char* const kNeverRentedTitles =
    "select a.rowid as entered, a.name as moviename, a.buydate as buydate, "
    "a.price*a.count as price, a.type as type from cdinfo as a "
    "where (a.buydate>=?1 and a.buydate<?2 or %2) "
    "and not exists (select 1 from borrowinfo as b where substr(b.borrowid,1,12)=+a.cdid "
    "and %1)";

const char* const kTitles[] = {"本周光盘的购买情况", "本月光盘的购买情况", "今年光盘的购买情况"};

// The event loop runs once every so many rows of a refill: the window repaints and the
// others stay usable while a long year fills.
constexpr int kRowsPerYield = 64;

QString DayText(const QDate& day) {
    return day.toString("yyyy-MM-dd");
}

QString Titles(const char* sql) {
    return QString::fromUtf8(sql).arg(OpenBaskets::NotInRentalBasket("b"),
                                      OddDates::Rows("a.rowid", "cdinfo", "buydate"));
}

// A title of the statement's rows: its position there and what it is ordered by.
struct Placed {
    int position;
    QDate bought;
    double rent;
    qint64 entered;
};

// The positions of the titles bought in [from, to), by their purchase date's value: the
// rented ones by rent, highest first; then by purchase date and in the order the titles
// were entered.
std::vector<int> InPeriod(const Recordset& titles, const QDate& from, const QDate& to,
                          bool rented) {
    const int buydate = titles.FieldIndex("buydate");
    const int money = rented ? titles.FieldIndex("money") : -1;
    const int entered = titles.FieldIndex("entered");
    std::vector<Placed> placed;
    for (int position = 1; position <= titles.RecordCount(); ++position) {
        const std::optional<DateText> d = ReportTimes::Read(titles.ValueAt(position, buydate));
        if (!d) continue;
        const QDate bought(d->year, d->month, d->day);
        if (bought < from || bought >= to) continue;
        placed.push_back({position, bought, rented ? titles.ValueAt(position, money).ToDouble() : 0,
                          titles.ValueAt(position, entered).ToInt()});
    }
    std::sort(placed.begin(), placed.end(), [rented](const Placed& a, const Placed& b) {
        if (rented && a.rent != b.rent) return a.rent > b.rent;
        if (a.bought != b.bought) return a.bought < b.bought;
        return a.entered < b.entered;
    });
    std::vector<int> positions;
    positions.reserve(placed.size());
    for (const Placed& p : placed) positions.push_back(p.position);
    return positions;
}
}  // namespace

frmBuyReport::frmBuyReport()
    : FormOf<frmBuyReport, ReportWindow>(
          ReportDesign{"frmBuyReport",
                       "显示光盘购买情况",
                       "MSHFlexGrid1",
                       "MSHFlexGrid2",
                       {"显示本周光盘购买情况", "显示本月光盘购买情况", "显示今年光盘购买情况"}}) {}

void frmBuyReport::Form_Load() {
    ReportGeometry g;
    g.headerWidth = 7100;
    g.windowWidth = 8000;
    SetReportGrid(g, {{"影片名称", 3000},
                      {"购买日期", 1300},
                      {"所花费用", 800},
                      {"实收租金", 800},
                      {"光盘格式", 800}});
}

// Back to this week each time the window comes in front. While a refill, an export or a
// print of it runs, the return is held back, and done as soon as that has ended (a refill
// of this week itself does it).
void frmBuyReport::Form_Activate() {
    if (Refilling() && Period() == 0) return;
    if (Running() || Refilling()) {
        backToThisWeek_ = true;
        return;
    }
    backToThisWeek_ = false;
    Combo1->setCurrentIndex(0);
    Combo1_Click();
}

void frmBuyReport::ActionsEnded() {
    if (backToThisWeek_) Form_Activate();
}

std::pair<QDate, QDate> frmBuyReport::PeriodDays(int period, const QDate& today) {
    switch (period) {
        case 0: {
            const QDate monday = today.addDays(1 - today.dayOfWeek());
            return {monday, monday.addDays(7)};
        }
        case 1: {
            const QDate first(today.year(), today.month(), 1);
            return {first, first.addMonths(1)};
        }
        default: {
            const QDate first(today.year(), 1, 1);
            return {first, first.addYears(1)};
        }
    }
}

bool frmBuyReport::Refill(int period) {
    if (!YieldRefill()) return false;
    ResetBody(0);
    const auto [from, to] = PeriodDays(period, Now().date());
    const Params bounds{DayText(from), DayText(to)};
    Recordset rented;
    rented.Open(Titles(kRentedTitles), gConn, adLockReadOnly, bounds);
    Recordset neverRented;
    neverRented.Open(Titles(kNeverRentedTitles), gConn, adLockReadOnly, bounds);
    SetTitle(kTitles[qBound(0, period, 2)]);

    const std::vector<int> rentedInPeriod = InPeriod(rented, from, to, true);
    const std::vector<int> neverRentedInPeriod = InPeriod(neverRented, from, to, false);

    int row = 0;
    double cost = 0;
    double rent = 0;
    BodyGrid()->SetRows(static_cast<int>(rentedInPeriod.size()));
    if (!WriteTitles(rented, rentedInPeriod, row, true, cost, rent)) return false;
    BodyGrid()->SetRows(row + static_cast<int>(neverRentedInPeriod.size()));
    if (!WriteTitles(neverRented, neverRentedInPeriod, row, false, cost, rent)) return false;
    BodyGrid()->SetRows(row + 1);
    WriteCell(row, 1, QStringLiteral("合计"), flexAlignLeftCenter);
    WriteCell(row, 3, ReportText::Money(cost), flexAlignRightCenter);
    WriteCell(row, 4, ReportText::Money(rent), flexAlignRightCenter);
    return true;
}

bool frmBuyReport::WriteTitles(Recordset& titles, const std::vector<int>& positions, int& row,
                               bool rented, double& cost, double& rent) {
    for (const int position : positions) {
        if (row % kRowsPerYield == 0 && !YieldRefill()) return false;
        titles.SetAbsolutePosition(position);
        const double price = titles["price"].ToDouble();
        const double money = rented ? titles["money"].ToDouble() : 0;
        WriteCell(row, 1, NullToStr(titles["moviename"]), flexAlignLeftCenter);
        WriteCell(row, 2, ReportText::ChineseDate(titles["buydate"]), flexAlignRightCenter);
        WriteCell(row, 3, ReportText::Money(price), flexAlignRightCenter);
        WriteCell(row, 4, ReportText::Money(money), flexAlignRightCenter);
        WriteCell(row, 5, NullToStr(titles["type"]), flexAlignLeftCenter);
        cost += price;
        rent += money;
        ++row;
    }
    return true;
}

ReportPages frmBuyReport::Pages() const {
    ReportPages pages;
    pages.templateName = "BuyReport";
    pages.columns = kColumns;
    pages.N = 36;
    pages.D = 32;
    pages.K = 3;
    pages.columnWidths = {31, 20.13, 14.88, 15.13, 8.75};
    pages.headRowHeights = {33, 20, 33};
    pages.restRowHeight = 22;
    pages.exportHead = {true, false, true};
    pages.printHead = {true, true, true};
    return pages;
}
