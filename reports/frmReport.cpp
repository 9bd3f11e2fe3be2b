#include "reports/frmReport.h"

#include <QComboBox>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/db/Value.h"
#include "platform/ui/FlexGrid.h"
#include "printout/ReportText.h"
#include "reports/IncomeFigures.h"

namespace {
struct View {
    QChar suffix;
    const char* heading;
    const char* title;
};
constexpr View kViews[] = {
    {u'年', "年份", "每年收入及支出情况"},
    {u'月', "月份", "今年每月的收入及支出情况"},
    {u'日', "日期", "本月每天收入及支出情况"},
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

bool frmReport::Refill(int period) {
    const int view = qBound(0, period, 2);
    const IncomeFigures figures =
        IncomeFigures::Read(gConn, static_cast<IncomeFigures::View>(view), Now().date());
    const QString heading = QString::fromUtf8(kViews[view].heading);
    HeaderGrid()->SetCell(0, 1, heading, flexAlignCenterCenter);
    HeaderGrid()->SetCell(1, 1, heading, flexAlignCenterCenter);
    SetTitle(QString::fromUtf8(kViews[view].title));
    ResetBody(0);
    Totals totals;
    Merge(figures, QString(kViews[view].suffix), totals);
    return true;
}

namespace {
double Figure(const IncomeFigures::Sums* sums, int figure) {
    return sums ? sums->figure[static_cast<size_t>(figure)] : 0;
}

// A count's text ("3张"), "0" for a family with no line in the period.
QString CountText(const IncomeFigures::Sums* sums, int figure, const QString& unit = QString()) {
    return ReportText::Count(sums ? Value(sums->figure[static_cast<size_t>(figure)]) : Value(),
                             unit);
}
}  // namespace

// One row per period, newest first, each with the families that have lines in it.
void frmReport::Merge(const IncomeFigures& figures, const QString& suffix, Totals& totals) {
    using F = IncomeFigures;
    FlexGrid* body = BodyGrid();
    int n = 0;
    std::array<double, kColumns + 1>& t = totals.column;
    for (const int key : figures.Periods()) {
        const F::Sums *rentals = figures.Of(F::Rentals, key),
                      *returns = figures.Of(F::Returns, key),
                      *purchases = figures.Of(F::Purchases, key),
                      *rentOnReturn = figures.Of(F::RentOnReturn, key),
                      *members = figures.Of(F::Members, key),
                      *openPaid = figures.Of(F::OpenPaid, key), *sales = figures.Of(F::Sales, key);

        body->SetRows(n + 1);
        body->SetRowHeight(n, kRowHeight);
        const auto cell = [&](int col, const QString& text) {
            WriteCell(n, col, text, flexAlignRightCenter);
        };
        WriteCell(n, 1, QString::number(key) + suffix, flexAlignLeftCenter);

        const double net =
            Figure(rentOnReturn, 0) + Figure(openPaid, 0) + Figure(sales, 0) - Figure(purchases, 1);
        // With no purchase and no rent on return the figure shows as a plain number.
        cell(2, purchases || rentOnReturn ? ReportText::Money(net) : ReportText::Plain(net));
        const double cash = net + Figure(openPaid, 1) + Figure(members, 0);

        cell(3, CountText(rentals, 0, "张"));
        cell(4, ReportText::Money(Figure(rentals, 1)));
        cell(5, ReportText::Money(Figure(rentals, 2)));
        cell(6, CountText(returns, 0, "张"));
        cell(7, ReportText::Money(Figure(rentOnReturn, 0)));
        cell(8, CountText(purchases, 0, "张"));
        cell(9, ReportText::Money(Figure(purchases, 1)));
        cell(10, sales ? QString::number(sales->rows) : QStringLiteral("0"));
        cell(11, ReportText::Money(Figure(sales, 0)));
        cell(12, ReportText::Money(Figure(members, 0)));
        cell(13, ReportText::Money(cash));

        t[2] += net;
        t[3] += Figure(rentals, 0);
        t[4] += Figure(rentals, 1);
        t[5] += Figure(rentals, 2) + Figure(openPaid, 1);
        t[6] += Figure(returns, 0);
        t[7] += Figure(rentOnReturn, 0);
        t[8] += Figure(purchases, 0);
        t[9] += Figure(purchases, 1);
        t[10] += sales ? sales->rows : 0;
        t[11] += Figure(sales, 0);
        t[12] += Figure(members, 0);
        t[13] += cash;
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
