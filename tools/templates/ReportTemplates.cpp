// The page frames of the printouts: one template per report, each with an empty output
// sheet and, on its second sheet, one page of the report (title row, head rows, column
// headings, empty bordered data rows and the footer row) in the report's geometry.
#include <algorithm>
#include <cmath>

#include "platform/excel/CellRef.h"
#include "platform/excel/SheetUnits.h"
#include "tools/templates/TemplateSpec.h"

namespace {
enum class Kind { Text, Number, Money, Date, Center };

struct Column {
    QString heading;
    double width;
    Kind kind;
};

struct Frame {
    QString name;
    QString title;
    int N = 36, K = 3, D = 32;
    std::vector<Column> columns;
    std::vector<double> extraColumns;  // frame columns beyond the data, by width
    std::vector<double> headHeights;   // rows 1 to K
    double bodyHeight = 22;            // rows K + 1 to N
    std::vector<SheetCell> head;       // cells of the head rows below the title
    std::vector<QString> headMerges;
    bool headingsInRowK = true;
    // The export adds no page breaks of its own: the output sheet holds one below every
    // page block, so that its pages still print one block to a sheet of paper.
    bool breaksInTemplate = false;
};

// Page breaks held by a template: as many as a spreadsheet program keeps on one sheet.
constexpr int kTemplateBreaks = 1000;

Look Base() {
    Look l;
    l.size = 10.5;
    l.vertical = "center";
    return l;
}

Look TitleLook() {
    Look l = Base();
    l.size = 16;
    l.bold = true;
    l.horizontal = "center";
    return l;
}

Look HeadLook(const QString& horizontal) {
    Look l = Base();
    l.horizontal = horizontal;
    return l;
}

Look Boxed(Look l) {
    l.left = l.right = l.top = l.bottom = "thin";
    return l;
}

Look HeadingLook() {
    Look l = Boxed(Base());
    l.size = 10;
    l.bold = true;
    l.fill = "F2F2F2";
    l.horizontal = "center";
    l.wrap = true;
    return l;
}

// A data cell shows its whole text: one too wide for the column shows smaller, in print and
// in a spreadsheet program alike, rather than cut at the next cell.
Look BodyLook(Kind kind) {
    Look l = Boxed(Base());
    l.shrink = true;
    switch (kind) {
        case Kind::Text:
            l.horizontal = "left";
            break;
        case Kind::Number:
            l.horizontal = "right";
            break;
        case Kind::Money:
            l.horizontal = "right";
            l.numberFormat = "#,##0.00";
            break;
        case Kind::Date:
            l.horizontal = "center";
            l.numberFormat = "yyyy-mm-dd";
            break;
        case Kind::Center:
            l.horizontal = "center";
            break;
    }
    return l;
}

Look FooterLook() {
    Look l = Base();
    l.size = 9;
    l.horizontal = "center";
    return l;
}

// Portrait or landscape, and the scale that puts one whole page frame on A4. The sheet is
// scaled to the paper's width, between side margins that leave no more width than the
// frame takes at that scale: a spreadsheet program whose columns come out wider (its
// default font's digits are wider) scales the page down further, so a frame never runs
// over to a second sheet of paper, sideways or down.
void FitOnPaper(SheetSpec& sheet, double widthPoints, double heightPoints) {
    const double a4w = 595, a4h = 841;  // A4 in whole points, rounded down to stay on the safe side
    auto fit = [&](double paperW, double paperH) {
        const double w = paperW - 2 * kSideMargin * kPointsPerInch;
        const double h = paperH - 2 * kTopMargin * kPointsPerInch;
        return std::min({1.0, w / widthPoints, h / heightPoints});
    };
    const double portrait = fit(a4w, a4h), landscape = fit(a4h, a4w);
    sheet.landscape = landscape > portrait;
    const double scale = std::floor(std::max(portrait, landscape) * 100) / 100;
    sheet.scale = static_cast<int>(std::lround(scale * 100));
    sheet.fitToWidth = true;
    const double paperWidth = sheet.landscape ? a4h : a4w;
    const double margin = (paperWidth - scale * widthPoints) / 2 / kPointsPerInch;
    sheet.sideMargin = std::max(kSideMargin, std::ceil(margin * 100) / 100);
}

TemplateSpec Build(const Frame& f) {
    const int last = static_cast<int>(f.columns.size());
    SheetSpec frame;
    frame.name = "页面格式";
    for (const Column& c : f.columns) frame.columnWidths.push_back(c.width);
    for (double w : f.extraColumns) frame.columnWidths.push_back(w);
    for (int r = 1; r <= f.N; ++r)
        frame.rowHeights[r] = r <= static_cast<int>(f.headHeights.size())
                                  ? f.headHeights[static_cast<size_t>(r - 1)]
                                  : f.bodyHeight;

    frame.cells.push_back({"A1", f.title, TitleLook()});
    frame.merges.push_back(RangeName({1, 1, 1, last}));
    for (const SheetCell& c : f.head) frame.cells.push_back(c);
    for (const QString& m : f.headMerges) frame.merges.push_back(m);
    for (int c = 1; c <= last; ++c) {
        const Column& col = f.columns[static_cast<size_t>(c - 1)];
        if (f.headingsInRowK) frame.cells.push_back({CellName(f.K, c), col.heading, HeadingLook()});
        for (int r = f.K + 1; r < f.N; ++r)
            frame.cells.push_back({CellName(r, c), QString(), BodyLook(col.kind)});
    }
    frame.cells.push_back({CellName(f.N, 1), QString(), FooterLook()});
    frame.merges.push_back(RangeName({f.N, 1, f.N, last}));

    double width = 0, height = 0;
    for (const Column& c : f.columns)
        width += PointsFromFileWidth(FileWidthFromCharacters(c.width));
    for (const auto& [row, h] : frame.rowHeights) height += h;
    FitOnPaper(frame, width, height);

    SheetSpec output;
    output.name = "报表";
    output.columnWidths = frame.columnWidths;
    output.landscape = frame.landscape;
    output.scale = frame.scale;
    output.fitToWidth = frame.fitToWidth;
    output.sideMargin = frame.sideMargin;
    if (f.breaksInTemplate)
        for (int page = 1; page <= kTemplateBreaks; ++page) output.rowBreaks.push_back(page * f.N);
    output.tabSelected = true;
    return TemplateSpec{f.name, {output, frame}};
}

// Rows 1 to 3 of most reports: title 33, a row of 20 for a date, headings 33.
const std::vector<double> kThreeHeadRows = {33, 20, 33};

SheetCell PrintDateCell(const QString& ref, const QString& horizontal) {
    return {ref, "打印日期：", HeadLook(horizontal)};
}

Frame Store() {
    Frame f;
    f.name = "Store";
    f.title = "库存光盘状况";
    f.N = 25;
    f.K = 3;
    f.D = 21;
    f.columns = {{"影片名称", 20.63, Kind::Text}, {"数量", 5.5, Kind::Number},
                 {"产地", 8.13, Kind::Text},      {"光盘格式", 8.5, Kind::Text},
                 {"影片类型", 8.5, Kind::Text},   {"进价", 8.5, Kind::Money},
                 {"购买日期", 21.75, Kind::Date}, {"租价", 9, Kind::Money},
                 {"售价", 9, Kind::Money},        {"会员租价", 9, Kind::Money},
                 {"会员售价", 9, Kind::Money},    {"存放位置", 8.13, Kind::Text}};
    f.extraColumns = {2};
    f.headHeights = kThreeHeadRows;
    f.bodyHeight = 21.5;
    f.head = {{"A2", "光盘个数：", HeadLook("left")}, PrintDateCell("L2", "right")};
    return f;
}

Frame YearReport() {
    Frame f;
    f.name = "YearReport";
    f.title = "收入及支出情况";
    f.N = 25;
    f.K = 4;
    f.D = 20;
    f.columns = {{"年份", 5, Kind::Center},         {"净收入", 14, Kind::Number},
                 {"数量", 5.13, Kind::Number},      {"已付", 11, Kind::Number},
                 {"押金", 12, Kind::Number},        {"数量", 5.75, Kind::Number},
                 {"收入", 12.5, Kind::Number},      {"数量", 5.5, Kind::Number},
                 {"所花费用", 11.13, Kind::Number}, {"数量", 5, Kind::Number},
                 {"收入", 12.38, Kind::Number},     {"会费", 13.75, Kind::Number},
                 {"现有金额", 13.63, Kind::Number}};
    f.headHeights = {33, 20, 16.5, 16.5};
    f.headingsInRowK = false;
    // Two heading rows: groups over their columns, single headings spanning both rows.
    auto cell = [](const QString& ref, const QString& text) {
        return SheetCell{ref, text, HeadingLook()};
    };
    f.head = {
        cell("A3", "年份"),     cell("A4", ""),         cell("B3", "净收入"),   cell("B4", ""),
        cell("C3", "出租光盘"), cell("D3", ""),         cell("E3", ""),         cell("C4", "数量"),
        cell("D4", "已付"),     cell("E4", "押金"),     cell("F3", "归还光盘"), cell("G3", ""),
        cell("F4", "数量"),     cell("G4", "收入"),     cell("H3", "购买光盘"), cell("I3", ""),
        cell("H4", "数量"),     cell("I4", "所花费用"), cell("J3", "出售光盘"), cell("K3", ""),
        cell("J4", "数量"),     cell("K4", "收入"),     cell("L3", "会费"),     cell("L4", ""),
        cell("M3", "现有金额"), cell("M4", "")};
    f.headMerges = {"A3:A4", "B3:B4", "C3:E3", "F3:G3", "H3:I3", "J3:K3", "L3:L4", "M3:M4"};
    return f;
}

Frame UserInfo() {
    Frame f;
    f.name = "UserInfo";
    f.title = "客户信息";
    f.columns = {{"序号", 4.38, Kind::Center},           {"用户类型", 8, Kind::Text},
                 {"会员编号", 8.5, Kind::Number},        {"用户姓名", 7.75, Kind::Text},
                 {"借盘次数", 4.75, Kind::Number},       {"租金合计", 10.75, Kind::Number},
                 {"购盘合计", 10.13, Kind::Number},      {"已缴会费", 10.25, Kind::Number},
                 {"最后一次租盘时间", 21.88, Kind::Text}};
    f.headHeights = kThreeHeadRows;
    return f;
}

Frame BuyReport() {
    Frame f;
    f.name = "BuyReport";
    f.title = "光盘购买情况";
    f.columns = {{"影片名称", 31, Kind::Text},
                 {"购买日期", 20.13, Kind::Number},
                 {"所花费用", 14.88, Kind::Number},
                 {"实收租金", 15.13, Kind::Number},
                 {"光盘格式", 8.75, Kind::Text}};
    f.headHeights = kThreeHeadRows;
    f.head = {PrintDateCell("A2", "left")};
    return f;
}

Frame EarnReport() {
    Frame f;
    f.name = "EarnReport";
    f.title = "光盘归还情况";
    f.columns = {{"影片名称", 26.63, Kind::Text}, {"用户类型", 8.13, Kind::Text},
                 {"出租人姓名", 7.5, Kind::Text}, {"收入", 9.13, Kind::Number},
                 {"归还时间", 19, Kind::Text},    {"出租时间", 19, Kind::Text}};
    f.headHeights = kThreeHeadRows;
    f.head = {PrintDateCell("A2", "left")};
    return f;
}

Frame BorrowReport() {
    Frame f;
    f.name = "BorrowReport";
    f.title = "出租情况";
    f.breaksInTemplate = true;
    f.columns = {{"影片名称", 27.38, Kind::Text},   {"用户类型", 11.25, Kind::Text},
                 {"出租人姓名", 10.25, Kind::Text}, {"已付租金", 11.5, Kind::Number},
                 {"押金", 12.88, Kind::Number},     {"出租时间", 16, Kind::Text}};
    f.headHeights = kThreeHeadRows;
    f.head = {PrintDateCell("A2", "left")};
    return f;
}

Frame HotCDInfo() {
    Frame f;
    f.name = "HotCDInfo";
    f.title = "出租最热门的光盘";
    f.D = 31;  // page row 35 stays as the frame has it
    f.columns = {{"序号", 5.75, Kind::Center},      {"影片名称", 28.75, Kind::Text},
                 {"购买日期", 18.38, Kind::Number}, {"出租次数", 8.38, Kind::Number},
                 {"实收租金", 14.25, Kind::Number}, {"所花费用", 13.75, Kind::Number}};
    f.extraColumns = {2};
    f.headHeights = kThreeHeadRows;
    return f;
}

Frame SellHotCDInfo() {
    Frame f;
    f.name = "SellHotCDInfo";
    f.title = "出售最热门的光盘";
    f.columns = {{"序号", 5.75, Kind::Center},
                 {"影片名称", 30.38, Kind::Text},
                 {"购买日期", 20.5, Kind::Number},
                 {"出售价格", 15.25, Kind::Number},
                 {"所花费用", 17.63, Kind::Number}};
    f.headHeights = kThreeHeadRows;
    return f;
}

Frame SellEarnInfo() {
    Frame f;
    f.name = "SellEarnInfo";
    f.title = "光盘出售情况";
    f.columns = {{"影片名称", 34.63, Kind::Text},
                 {"用户类型", 8.38, Kind::Text},
                 {"出售人姓名", 10.25, Kind::Text},
                 {"收入", 13.63, Kind::Number},
                 {"售出时间", 22.63, Kind::Text}};
    f.headHeights = kThreeHeadRows;
    return f;
}
}  // namespace

std::vector<TemplateSpec> ReportTemplates() {
    std::vector<TemplateSpec> out;
    for (const Frame& f : {Store(), YearReport(), UserInfo(), BuyReport(), EarnReport(),
                           BorrowReport(), HotCDInfo(), SellHotCDInfo(), SellEarnInfo()})
        out.push_back(Build(f));
    return out;
}

std::vector<TemplateSpec> AllTemplates() {
    std::vector<TemplateSpec> out = ReportTemplates();
    out.push_back(CardTemplate());
    return out;
}
