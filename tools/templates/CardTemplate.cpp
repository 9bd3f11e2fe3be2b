// The member card: two card-sized pages on the third sheet, A1:I12. Rows 1 to 6 are
// the front (the shop's name in A6), rows 7 to 12 the back, with the cells the card
// printout writes merged so each value shows once: F7:I7 member number, F8:I8 name,
// F9:I9 join date, B11:I11 shop, B12:D12 telephone, H12:I12 date of issue.
#include <algorithm>

#include "platform/excel/CellRef.h"
#include "tools/templates/TemplateSpec.h"

namespace {
const QString kCardFill = "EAF1FB";

Look CardLook(double size, bool bold, const QString& horizontal) {
    Look l;
    l.size = size;
    l.bold = bold;
    l.horizontal = horizontal;
    l.vertical = "center";
    l.fill = kCardFill;
    return l;
}

// Every cell of a card gets the fill and its part of the card's outline.
void Outline(SheetSpec& sheet, const CellRect& card) {
    for (int r = card.row1; r <= card.row2; ++r) {
        for (int c = card.col1; c <= card.col2; ++c) {
            const QString ref = CellName(r, c);
            auto it = std::find_if(sheet.cells.begin(), sheet.cells.end(),
                                   [&ref](const SheetCell& x) { return x.ref == ref; });
            if (it == sheet.cells.end()) {
                sheet.cells.push_back({ref, QString(), CardLook(10.5, false, QString())});
                it = sheet.cells.end() - 1;
            }
            if (r == card.row1) it->look.top = "medium";
            if (r == card.row2) it->look.bottom = "medium";
            if (c == card.col1) it->look.left = "medium";
            if (c == card.col2) it->look.right = "medium";
        }
    }
}

// A merged run of cells with one text and one look.
void Put(SheetSpec& sheet, const QString& range, const QString& text, const Look& look) {
    const CellRect rect = *ParseRange(range);
    for (int r = rect.row1; r <= rect.row2; ++r)
        for (int c = rect.col1; c <= rect.col2; ++c)
            sheet.cells.push_back(
                {CellName(r, c), r == rect.row1 && c == rect.col1 ? text : QString(), look});
    if (!rect.IsSingleCell()) sheet.merges.push_back(range);
}

Look ValueLook() {
    Look l = CardLook(12, false, "left");
    l.bottom = "thin";
    return l;
}
}  // namespace

TemplateSpec CardTemplate() {
    SheetSpec card;
    card.name = "会员卡";
    card.columnWidths = {6, 4.5, 4.5, 4.5, 3.5, 3.5, 3.5, 6.5, 6.5};
    card.rowHeights = {{1, 12}, {2, 40}, {3, 22}, {4, 18},  {5, 24},  {6, 36},
                       {7, 26}, {8, 26}, {9, 26}, {10, 20}, {11, 24}, {12, 24}};
    card.printArea = "A1:I12";

    // Front.
    Put(card, "A2:I2", "会  员  卡", CardLook(26, true, "center"));
    Put(card, "A3:I3", "光盘出租 · 出售", CardLook(11, false, "center"));
    Put(card, "A5:I5", "凭卡享受会员租价及会员售价", CardLook(9, false, "center"));
    Put(card, "A6:I6", "", CardLook(15, true, "center"));

    // Back.
    Put(card, "A7:E7", "会员编号：", CardLook(10.5, true, "right"));
    Put(card, "F7:I7", "", ValueLook());
    Put(card, "A8:E8", "会员姓名：", CardLook(10.5, true, "right"));
    Put(card, "F8:I8", "", ValueLook());
    Put(card, "A9:E9", "入会日期：", CardLook(10.5, true, "right"));
    Put(card, "F9:I9", "", ValueLook());
    Put(card, "A10:I10", "本卡仅限本人使用，请妥善保管", CardLook(9, false, "center"));
    Put(card, "A11", "店名：", CardLook(9, true, "right"));
    Put(card, "B11:I11", "", CardLook(10.5, true, "left"));
    Put(card, "A12", "电话：", CardLook(9, true, "right"));
    Put(card, "B12:D12", "", CardLook(9, false, "left"));
    Put(card, "E12:G12", "发卡日期：", CardLook(9, true, "right"));
    Put(card, "H12:I12", "", CardLook(9, false, "left"));

    Outline(card, {1, 1, 6, 9});
    Outline(card, {7, 1, 12, 9});

    SheetSpec first;
    first.name = "Sheet1";
    first.tabSelected = true;
    SheetSpec second;
    second.name = "Sheet2";
    return TemplateSpec{"Card", {first, second, card}};
}
