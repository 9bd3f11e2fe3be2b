#include "reports/frmReport.h"

#include <QComboBox>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "printout/ReportText.h"

namespace {
// The seven figure families, each grouped by the period key "year" of its own date
// column and ordered newest first. %1 is that column's key expression for the view
// (year(), month() or day() of the column) and %2 the conditions on the column: a figure
// whose date is missing or no date has no period, so it is in no row and, the totals
// being the sums of the rows, in no total either.
const char* const kRentals =  // set 0: copies rented, rent recorded, deposits
    "select %1 as year, sum(b.borrowcount) as outcount, sum(a.borrowprice*b.borrowcount) as "
    "preprice, sum(b.money) as givemoney, sum(b.foregift) as foregift "
    "from cdinfo as a, borrowinfo as b where a.cdid=substr(b.borrowid,1,12)%2 "
    "group by 1 order by 1 desc";
const char* const kReturns =  // set 1: copies returned
    "select %1 as year, sum(returncount) as returncount from returninfo where 1%2 "
    "group by 1 order by 1 desc";
const char* const kPurchases =  // set 2: copies bought and their cost
    "select %1 as year, sum(count) as buycount, sum(price*count) as buyprice from cdinfo "
    "where 1%2 group by 1 order by 1 desc";
const char* const kRentOnReturn =  // set 3: the rent of a rental, once per return line of it
    "select %1 as year, sum(a.money) as money from borrowinfo as a, returninfo as b "
    "where a.borrowid=substr(b.returnid,1,16)%2 group by 1 order by 1 desc";
const char* const kMembers =  // set 4: stored money of the members who joined
    "select %1 as year, sum(money) as storemoney from userinfo where 1%2 "
    "group by 1 order by 1 desc";
// set 5: rentals with no return yet whose rent was paid (both sides of the join are substr()
// expressions, so that the index on the return lines' rentals serves it)
const char* const kOpenPaid =
    "select %1 as year, sum(money) as money, sum(foregift) as foregift from borrowinfo as b "
    "where money>0 and not exists (select 1 from returninfo as r "
    "where substr(r.returnid,1,16)=substr(b.borrowid,1,16))%2 group by 1 order by 1 desc";
const char* const kSales =  // set 6: sales income and sale lines
    "select %1 as year, sum(money) as money, count(*) as count from sellinfo where 1%2 "
    "group by 1 order by 1 desc";

// Each set's statement and the date column its period comes from.
struct SetSource {
    const char* sql;
    const char* dateColumn;
};
constexpr SetSource kSources[frmReport::kSets] = {
    {kRentals, "b.borrowdate"}, {kReturns, "returndate"},
    {kPurchases, "buydate"},    {kRentOnReturn, "b.returndate"},
    {kMembers, "joindate"},     {kOpenPaid, "b.borrowdate"},
    {kSales, "selldate"}};

struct View {
    const char* key;  // the period key of a date column
    QChar suffix;
    const char* heading;
    const char* title;
};
constexpr View kViews[] = {
    {"year(%1)", u'年', "年份", "每年收入及支出情况"},
    {"month(%1)", u'月', "月份", "今年每月的收入及支出情况"},
    {"day(%1)", u'日', "日期", "本月每天收入及支出情况"},
};

// Column widths (twips) of both grids, and the headings of the header's two rows.
constexpr int kWidths[frmReport::kColumns + 1] = {100, 650, 1100, 600, 900,  900,  600,
                                                  900, 600, 1100, 600, 1100, 1100, 1100};
const char* const kHeadings[frmReport::kColumns + 1][2] = {
    {" ", " "},           {"年份", "年份"},         {"净收入", "净收入"}, {"出租光盘", "数量"},
    {"出租光盘", "已付"}, {"出租光盘", "押金"},     {"归还光盘", "数量"}, {"归还光盘", "收入"},
    {"购买光盘", "数量"}, {"购买光盘", "所花费用"}, {"出售光盘", "数量"}, {"出售光盘", "收入"},
    {"会费", "会费"},     {"现有金额", "现有金额"}};
constexpr int kMergedDown[] = {0, 1, 2, 12, 13};
constexpr int kRowHeight = 400;

QString DayText(const QDate& day) {
    return day.toString("yyyy-MM-dd");
}
}  // namespace

// Totals of the body columns 2 to 13, by column.
struct frmReport::Totals {
    std::array<double, kColumns + 1> column{};
};

frmReport::frmReport()
    : FormOf<frmReport, ReportWindow>(ReportDesign{
          "frmReport",
          "本店收入及支出信息",
          "MSHFlexGrid1",
          "MSHFlexGrid2",
          {"统计每年收入及支出情况", "统计今年每月收入及支出情况", "统计本月每天收入及支出情况"}}) {
}

void frmReport::Form_Load() {
    ReportGeometry g;
    g.left = 60;
    g.titleLeft = 400;
    g.titleHeight = 495;
    g.controlsTop = 840;
    g.comboLeft = 60;
    g.comboWidth = 2955;
    g.outputLeft = 3060;
    g.printLeft = 4200;
    g.headerTop = 1200;
    g.headerRowHeight = 300;
    g.headingRows = 2;
    int width = 0;
    for (int w : kWidths) width += w;
    g.headerWidth = width + 20;
    g.windowWidth = g.headerWidth + 80;
    g.bodyTop = 1680;
    g.bodyHeight = 4695;
    g.stubWidth = kWidths[0];
    std::vector<ReportColumn> columns;
    for (int c = 1; c <= kColumns; ++c) columns.push_back({kHeadings[c][0], kWidths[c]});
    SetReportGrid(g, columns);
    LayOutHeader();
    Combo1->setCurrentIndex(0);
    Combo1_Click();
}

// Two heading rows: the groups over their columns, the single headings two rows tall.
void frmReport::LayOutHeader() {
    FlexGrid* header = HeaderGrid();
    header->SetMergeCells(flexMergeFree);
    header->SetMergeRow(0, true);
    for (int c : kMergedDown) header->SetMergeCol(c, true);
    for (int c = 0; c <= kColumns; ++c) {
        const int alignment = c == 0 ? flexAlignLeftCenter : flexAlignCenterCenter;
        header->SetCell(0, c, kHeadings[c][0], alignment);
        header->SetCell(1, c, kHeadings[c][1], alignment);
    }
}

std::array<frmReport::Statement, frmReport::kSets> frmReport::Statements(int view, int year,
                                                                         int month) {
    // The view's period: every year, this year, or this month; as text bounds on the date
    // column, which its index serves.
    QDate from;
    QDate to;
    if (view == 1) {
        from = QDate(year, 1, 1);
        to = from.addYears(1);
    } else if (view == 2) {
        from = QDate(year, month, 1);
        to = from.addMonths(1);
    }
    std::array<Statement, kSets> out;
    for (int s = 0; s < kSets; ++s) {
        const QString column = QString::fromUtf8(kSources[s].dateColumn);
        const QString key = QString::fromUtf8(kViews[view].key).arg(column);
        QString condition = QString(" and %1 is not null").arg(key);
        if (view != 0) condition += QString(" and %1>=? and %1<?").arg(column);
        out[static_cast<size_t>(s)].sql = QString::fromUtf8(kSources[s].sql).arg(key, condition);
        if (view != 0) out[static_cast<size_t>(s)].params = {DayText(from), DayText(to)};
    }
    return out;
}

bool frmReport::Refill(int period) {
    const int view = qBound(0, period, 2);
    const QDate today = Now().date();
    Sets sets;
    const auto statements = Statements(view, today.year(), today.month());
    for (int s = 0; s < kSets; ++s) {
        sets[static_cast<size_t>(s)] = std::make_unique<Recordset>();
        sets[static_cast<size_t>(s)]->Open(statements[static_cast<size_t>(s)].sql, gConn,
                                           adLockReadOnly,
                                           statements[static_cast<size_t>(s)].params);
    }
    const QString heading = QString::fromUtf8(kViews[view].heading);
    HeaderGrid()->SetCell(0, 1, heading, flexAlignCenterCenter);
    HeaderGrid()->SetCell(1, 1, heading, flexAlignCenterCenter);
    SetTitle(QString::fromUtf8(kViews[view].title));
    ResetBody(0);
    Totals totals;
    Merge(sets, QString(kViews[view].suffix), totals);
    return true;
}

namespace {
// The current record of a set, when the set contributes to the row of key.
const Recordset* Contributing(const std::unique_ptr<Recordset>& set, qint64 key) {
    return !set->AtEOF() && (*set)["year"].ToInt() == key ? set.get() : nullptr;
}

double Field(const Recordset* set, const char* name) {
    return set ? (*set)[name].ToDouble() : 0;
}
}  // namespace

// Walks the seven sets side by side, newest key first; each record is used once.
void frmReport::Merge(Sets& sets, const QString& suffix, Totals& totals) {
    FlexGrid* body = BodyGrid();
    int n = 0;
    std::array<double, kColumns + 1>& t = totals.column;
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
        std::array<const Recordset*, kSets> c{};
        for (int s = 0; s < kSets; ++s) c[static_cast<size_t>(s)] = Contributing(sets[s], key);
        const Recordset *rentals = c[0], *returns = c[1], *purchases = c[2], *rentOnReturn = c[3],
                        *members = c[4], *openPaid = c[5], *sales = c[6];

        body->SetRows(n + 1);
        body->SetRowHeight(n, kRowHeight);
        const auto cell = [&](int col, const QString& text) {
            WriteCell(n, col, text, flexAlignRightCenter);
        };
        WriteCell(n, 1, QString::number(key) + suffix, flexAlignLeftCenter);

        const double net = Field(rentOnReturn, "money") + Field(openPaid, "money") +
                           Field(sales, "money") - Field(purchases, "buyprice");
        // With no purchase and no rent on return the figure shows as a plain number.
        cell(2, purchases || rentOnReturn ? ReportText::Money(net) : ReportText::Plain(net));
        const double cash = net + Field(openPaid, "foregift") + Field(members, "storemoney");

        const Value none;
        cell(3, ReportText::Count(rentals ? (*rentals)["outcount"] : none, "张"));
        cell(4, ReportText::Money(Field(rentals, "givemoney")));
        cell(5, ReportText::Money(Field(rentals, "foregift")));
        cell(6, ReportText::Count(returns ? (*returns)["returncount"] : none, "张"));
        cell(7, ReportText::Money(Field(rentOnReturn, "money")));
        cell(8, ReportText::Count(purchases ? (*purchases)["buycount"] : none, "张"));
        cell(9, ReportText::Money(Field(purchases, "buyprice")));
        cell(10, ReportText::Count(sales ? (*sales)["count"] : none));
        cell(11, ReportText::Money(Field(sales, "money")));
        cell(12, ReportText::Money(Field(members, "storemoney")));
        cell(13, ReportText::Money(cash));

        t[2] += net;
        t[3] += Field(rentals, "outcount");
        t[4] += Field(rentals, "givemoney");
        t[5] += Field(rentals, "foregift") + Field(openPaid, "foregift");
        t[6] += Field(returns, "returncount");
        t[7] += Field(rentOnReturn, "money");
        t[8] += Field(purchases, "buycount");
        t[9] += Field(purchases, "buyprice");
        t[10] += Field(sales, "count");
        t[11] += Field(sales, "money");
        t[12] += Field(members, "storemoney");
        t[13] += cash;
        for (int s = 0; s < kSets; ++s)
            if (c[static_cast<size_t>(s)]) sets[static_cast<size_t>(s)]->MoveNext();
        ++n;
    }
    WriteTotals(n, totals);
}

void frmReport::WriteTotals(int row, const Totals& totals) {
    FlexGrid* body = BodyGrid();
    body->SetRows(row + 1);
    body->SetRowHeight(row, kRowHeight);
    WriteCell(row, 1, QStringLiteral("合计"), flexAlignLeftCenter);
    for (int col = 2; col <= kColumns; ++col) {
        const double v = totals.column[static_cast<size_t>(col)];
        QString text;
        if (col == 3 || col == 6 || col == 8)
            text = ReportText::Plain(v) + QStringLiteral("张");
        else if (col == 10)
            text = ReportText::Plain(v);
        else
            text = ReportText::Money(v);
        WriteCell(row, col, text, flexAlignRightCenter);
    }
}

ReportPages frmReport::Pages() const {
    ReportPages pages;
    pages.templateName = "YearReport";
    pages.columns = kColumns;
    pages.N = 25;
    pages.D = 20;
    pages.K = 4;
    pages.columnWidths = {5, 14, 5.13, 11, 12, 5.75, 12.5, 5.5, 11.13, 5, 12.38, 13.75, 13.63};
    pages.headRowHeights = {33, 20, 16.5, 16.5};
    pages.restRowHeight = 22;
    pages.exportHead = {true, false, true};
    pages.printHead = {true, false, true};
    return pages;
}
