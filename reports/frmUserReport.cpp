#include "reports/frmUserReport.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "printout/ReportText.h"
#include "reports/LastRentals.h"
#include "reports/ReportTimes.h"

namespace {
// The members in four groups, group by group, each line with the same fields as the walk-in
// customers' below. Each member's rentals (rental lines, open or returned) are counted, their
// rent summed and their last date taken; a rental key equal to a member number, whatever the
// case of its letters (the key's column compares so), is that member. Groups 1 and 2 come by
// rent, largest first, no rent counting 0; equal ranks by member number and name, a member's
// sale lines in group 3 by their ids.
// The lines of the baskets still open at the counter are no rental or sale yet: %1 and %3
// leave out the rental baskets' lines, %2 the sale baskets', so a customer whose only lines
// are there has neither rented nor bought.
const char* const kMembers = R"SQL(
with rentals as (
    select name, count(*) as count, sum(money) as money, max(borrowdate) as maxborrowdate
    from borrowinfo where name in (select userid from userinfo) and %1 group by name)
select 1 as grp, d.userid as userid, d.username as name, a.count as count, a.money as money,
       (select sum(s.money) from sellinfo as s where s.name=d.userid and %2) as buymoney,
       d.money as storemoney, a.maxborrowdate as maxborrowdate, coalesce(a.money, 0) as rank,
       null as line
from userinfo as d cross join rentals as a
where a.name=d.userid and exists (select 1 from sellinfo as s where s.name=d.userid and %2)
union all
select 2, d.userid, d.username, a.count, a.money, null, d.money, a.maxborrowdate,
       coalesce(a.money, 0), null
from userinfo as d cross join rentals as a
where a.name=d.userid and not exists (select 1 from sellinfo as s where s.name=d.userid and %2)
union all
select 3, d.userid, d.username, 0, 0, s.money, d.money, null, 0, s.sellid
from userinfo as d cross join sellinfo as s
where s.name=d.userid and %2
  and not exists (select 1 from borrowinfo as b where b.name=d.userid and %3)
union all
select 4, d.userid, d.username, 0, 0, null, d.money, null, 0, null
from userinfo as d
where not exists (select 1 from sellinfo as s where s.name=d.userid and %2)
  and not exists (select 1 from borrowinfo as b where b.name=d.userid and %3)
order by grp, rank desc, userid, name, line
)SQL";

// Group 5, the walk-in customers: every rental key that is no member number (whatever the
// case of its letters, as the key's column compares), with the same figures, in the order of
// the keys (the customers index holds them in that order, so nothing is sorted here: the
// window orders them by rent itself). Lines without a key come first; they are the empty
// key's. A key written in several cases is one customer, shown as one of them.
// %1 leaves out the rental baskets still open at the counter.
const char* const kWalkIns = R"SQL(
select 5 as grp, null as userid, name, count(*) as count, sum(money) as money,
       null as buymoney, null as storemoney, max(borrowdate) as maxborrowdate,
       sum(money) as rank
from borrowinfo where %1 group by name
having name is null or name not in (select userid from userinfo)
order by name
)SQL";

// The positions of the walk-in customers by rent, largest first; equal rents keep the order
// of their keys. rankOf gives a position's rent (none counts 0). This is the order "rank desc,
// name" gives, and sorting 80,000 rents here costs a fraction of what the database's sort of whole
// lines does.
std::vector<int> ByRentDescending(const std::vector<int>& positions,
                                  const std::function<double(int)>& rankOf) {
    std::vector<std::pair<double, int>> ranks;
    ranks.reserve(positions.size());
    for (const int position : positions) ranks.emplace_back(rankOf(position), position);
    std::stable_sort(ranks.begin(), ranks.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int> sorted;
    sorted.reserve(ranks.size());
    for (const auto& [rank, position] : ranks) sorted.push_back(position);
    return sorted;
}

// The larger of two stored date texts, as max() compares them; Null when both are.
Value LargerText(const Value& a, const Value& b) {
    if (a.IsNull()) return b;
    if (b.IsNull()) return a;
    return a.ToString() < b.ToString() ? b : a;
}

constexpr int kWalkInGroup = 5;
}  // namespace

// The statement's fields by number, looked up once for all the lines.
struct frmUserReport::Fields {
    explicit Fields(const Recordset& c)
        : group(c.FieldIndex("grp")),
          userid(c.FieldIndex("userid")),
          name(c.FieldIndex("name")),
          count(c.FieldIndex("count")),
          money(c.FieldIndex("money")),
          buymoney(c.FieldIndex("buymoney")),
          storemoney(c.FieldIndex("storemoney")),
          maxborrowdate(c.FieldIndex("maxborrowdate")),
          rank(c.FieldIndex("rank")) {}
    int group, userid, name, count, money, buymoney, storemoney, maxborrowdate, rank;
};

frmUserReport::frmUserReport()
    : FormOf<frmUserReport, ReportWindow>(
          ReportDesign{"frmUserReport", "本店的客户信息", "MSHFlexGrid2", "MSHFlexGrid1", {}}) {}

void frmUserReport::Form_Load() {
    ReportGeometry g;
    g.left = 420;
    g.titleHeight = 555;
    g.controlsTop = 840;
    g.outputLeft = 420;
    g.printLeft = 1560;
    g.headerTop = 1200;
    g.headerWidth = 9000;
    g.windowWidth = 11000;
    g.bodyTop = 1800;
    g.bodyHeight = 5595;
    SetReportGrid(g, {{"序号", 500},
                      {"用户类型", 1000},
                      {"会员编号", 800},
                      {"用户姓名", 1200},
                      {"借盘次数", 800},
                      {"租金合计", 800},
                      {"购盘合计", 800},
                      {"已缴会费", 1000},
                      {"最后一次租盘时间", 2050}});
    FillReportGrid();
}

bool frmUserReport::Refill(int period) {
    Q_UNUSED(period);
    Recordset members;
    members.Open(QString::fromUtf8(kMembers).arg(OpenBaskets::NotInRentalBasket("borrowinfo"),
                                                 OpenBaskets::NotInSaleBasket("s"),
                                                 OpenBaskets::NotInRentalBasket("b")),
                 gConn, adLockReadOnly);
    Recordset walkIns;
    walkIns.Open(QString::fromUtf8(kWalkIns).arg(OpenBaskets::NotInRentalBasket("borrowinfo")),
                 gConn, adLockReadOnly);
    const LastRentals lastRentals = LastRentals::Read(gConn);

    const Fields memberFields(members);
    const Fields walkInFields(walkIns);
    std::vector<int> walkInPositions;
    std::optional<Line> emptyKey = EmptyKey(walkIns, walkInFields, walkInPositions);

    ResetBody(members.RecordCount() + static_cast<int>(walkInPositions.size()) + 1);
    Totals totals;
    int row = 0;
    for (; !members.AtEOF(); members.MoveNext(), ++row) {
        Line line = LineOf(members, memberFields);
        line.last = lastRentals.Of(gConn, line.userid, line.last);
        WriteCustomer(line, row, totals);
    }
    const auto rankOf = [&](int position) {
        return emptyKey && position == emptyKey->position
                   ? emptyKey->money.ToDouble()
                   : walkIns.ValueAt(position, walkInFields.rank).ToDouble();
    };
    for (const int position : ByRentDescending(walkInPositions, rankOf)) {
        Line line;
        if (emptyKey && position == emptyKey->position) {
            line = *emptyKey;
        } else {
            walkIns.SetAbsolutePosition(position);
            line = LineOf(walkIns, walkInFields);
        }
        line.last = lastRentals.Of(gConn, line.name, line.last);
        WriteCustomer(line, row++, totals);
    }
    WriteTotals(row, totals);
    SetTitle(QStringLiteral("用户信息"));
    return true;
}

frmUserReport::Line frmUserReport::LineOf(const Recordset& c, const Fields& f) {
    Line line;
    line.group = static_cast<int>(c.GetValue(f.group).ToInt());
    line.userid = c.GetValue(f.userid);
    line.name = c.GetValue(f.name);
    line.count = c.GetValue(f.count);
    line.money = c.GetValue(f.money);
    if (line.group != kWalkInGroup) {
        line.buymoney = c.GetValue(f.buymoney);
        line.storemoney = c.GetValue(f.storemoney);
    }
    line.last = c.GetValue(f.maxborrowdate);
    line.position = c.AbsolutePosition();
    return line;
}

// The walk-in customers' positions, and the empty key's line when there is one: the lines
// without a key (the first group, in key order) are the empty key's, which follows them, and
// the two make one customer.
std::optional<frmUserReport::Line> frmUserReport::EmptyKey(Recordset& walkIns, const Fields& f,
                                                           std::vector<int>& positions) {
    positions.reserve(static_cast<size_t>(walkIns.RecordCount()));
    for (int position = 1; position <= walkIns.RecordCount(); ++position)
        positions.push_back(position);
    if (walkIns.RecordCount() == 0 || !walkIns.ValueAt(1, f.name).IsNull()) return std::nullopt;
    walkIns.SetAbsolutePosition(1);
    Line empty = LineOf(walkIns, f);
    empty.name = QString();
    if (walkIns.RecordCount() >= 2 && walkIns.ValueAt(2, f.name).ToString().isEmpty()) {
        walkIns.SetAbsolutePosition(2);
        const Line named = LineOf(walkIns, f);
        empty.count = empty.count.ToInt() + named.count.ToInt();
        if (!named.money.IsNull())
            empty.money = empty.money.IsNull()
                              ? named.money
                              : Value(empty.money.ToDouble() + named.money.ToDouble());
        empty.last = LargerText(empty.last, named.last);
        empty.position = named.position;
        positions.erase(positions.begin());
    }
    return empty;
}

// One line; what each group shows and adds to the totals.
void frmUserReport::WriteCustomer(const Line& c, int row, Totals& totals) {
    const int group = c.group;
    const bool member = group != kWalkInGroup;
    const bool rented = group == 1 || group == 2 || group == kWalkInGroup;
    const bool bought = group == 1 || group == 3;
    const Value& count = c.count;
    const Value& money = c.money;
    WriteCell(row, 1, QString::number(row + 1), flexAlignCenterCenter);
    WriteCell(row, 2, member ? QStringLiteral("会员") : QStringLiteral("零租用户"),
              flexAlignLeftCenter);
    WriteCell(row, 3, NullToStr(c.userid), flexAlignRightCenter);
    WriteCell(row, 4, NullToStr(c.name), flexAlignLeftCenter);
    WriteCell(row, 5, ReportText::Count(count, QStringLiteral("次")), flexAlignRightCenter);
    WriteCell(row, 6, ReportText::Money(money), flexAlignRightCenter);
    if (bought) {
        WriteCell(row, 7, ReportText::Money(c.buymoney), flexAlignLeftCenter);
        totals.bought += c.buymoney.ToDouble();
    }
    if (member) {
        WriteCell(row, 8, ReportText::Money(c.storemoney), flexAlignLeftCenter);
        totals.stored += c.storemoney.ToDouble();
    }
    if (rented) {
        // A date in the form every report shows; a text that is no date as it stands, with
        // a two-digit year written out in full in group 1.
        const QString last = ReportTimes::DateTime(c.last);
        WriteCell(row, 9, group == 1 ? ReportTimes::WithCentury(last) : last, flexAlignLeftCenter);
        totals.rentals += count.ToInt();
        totals.rent += money.ToDouble();
    } else {
        WriteCell(row, 9, QStringLiteral("未借过"), flexAlignLeftCenter);
    }
}

void frmUserReport::WriteTotals(int row, const Totals& totals) {
    FlexGrid* body = BodyGrid();
    const auto bold = [&](int col, const QString& text, int alignment) {
        WriteCell(row, col, text, alignment);
        body->SetRow(row);
        body->SetCol(col);
        body->SetCellFontBold(true);
    };
    bold(2, QStringLiteral("合计"), flexAlignLeftCenter);
    bold(5, QString::number(totals.rentals) + QStringLiteral("次"), flexAlignRightCenter);
    bold(6, ReportText::Money(totals.rent), flexAlignRightCenter);
    bold(7, ReportText::Money(totals.bought), flexAlignRightCenter);
    bold(8, ReportText::Money(totals.stored), flexAlignRightCenter);
}

ReportPages frmUserReport::Pages() const {
    ReportPages pages;
    pages.templateName = "UserInfo";
    pages.columns = kColumns;
    pages.N = 36;
    pages.D = 32;
    pages.K = 3;
    pages.columnWidths = {4.38, 8, 8.5, 7.75, 4.75, 10.75, 10.13, 10.25, 21.88};
    // On paper a walk-in customer's eleven-character name, a four-digit count and the
    // heading 借盘次数 on one line print at the font's own size: the page has the room (the
    // workbook keeps the widths above, its cells shrinking such texts).
    pages.printColumnWidths = {4.38, 8, 8.5, 12, 8, 10.75, 10.13, 10.25, 21.88};
    pages.headRowHeights = {33, 20, 33};
    pages.restRowHeight = 22;
    pages.exportHead = {true, false, false};
    pages.printHead = {false, false, false};  // the title row prints as the template holds it
    return pages;
}
