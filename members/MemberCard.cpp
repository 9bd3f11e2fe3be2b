#include "members/MemberCard.h"

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/excel/Range.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "platform/text/VbText.h"
#include "printout/ExcelReport.h"

namespace {
void FillCard(Worksheet& card, const MemberCard::Fields& member) {
    card.SetPrintArea("$A$1:$I$12");
    card.Range("A6").SetValue(gShopName);
    card.Range("F7:I7").SetValue(member.userId);
    card.Range("F8:I8").SetValue(member.userName);
    card.Range("F9:I9").SetValue(member.joinDate);
    card.Range("B11:I11").SetValue(gShopName);
    card.Range("B12:D12").SetValue(gShopTel);
    card.Range("H12:I12").SetValue(Format(Today(), "yyyy年mm月dd日"));
    // The two pages: rows 1-6 and 7-12, columns A to I.
    card.HPageBreaksAdd(card.Cells(7, 10));
    card.VPageBreaksAdd(card.Cells(7, 10));
    card.HPageBreaksAdd(card.Cells(13, 10));
    card.VPageBreaksAdd(card.Cells(13, 10));
}
}  // namespace

bool MemberCard::Print(const Fields& member) {
    ExcelReport report;
    if (!report.OpenTemplate(kTemplate)) return false;
    const bool previewed = report.Step([&] {
        Worksheet& card = report.Book()->Worksheets(kCardSheet);
        FillCard(card, member);
        card.PrintPreview(false);  // the card prints as its template lays it out
    });
    report.Close();
    return previewed;
}
