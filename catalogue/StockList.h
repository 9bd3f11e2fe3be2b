#pragma once
#include <QString>
#include <array>
#include <memory>

#include "platform/db/Connection.h"
#include "platform/text/Money.h"
#include "printout/ExcelReport.h"

class Recordset;

// The rows of the stock list: every title not wholly sold (issell < 2), optionally of one
// movie type and one format, ordered and grouped by format or by movie type, each group
// followed by a bold "合计" row with the sums of its copies and of its five prices. With no
// title the list is a single "合计" row of zeros. Printed from the template Store in pages
// of 25 rows: the head in rows 1-3, 21 rows from row 4, the page number in A25.
class StockList {
  public:
    enum Grouping { ByFormat, ByMovieType };
    static constexpr int kPageRows = 25;  // N
    static constexpr int kDataRows = 21;  // D
    static constexpr int kHeadRows = 3;   // K
    static constexpr const char* kTemplate = "Store";
    static constexpr const char* kLastFrameColumn = "M";

    // movieType and format are the catalogue's filter texts; "全部" (or "") is no filter.
    StockList(Grouping grouping, const QString& movieType, const QString& format);
    ~StockList();
    StockList(const StockList&) = delete;
    StockList& operator=(const StockList&) = delete;

    // Reads the titles (raises DbError).
    void Open();
    int TitleCount() const;
    // Column widths, row heights, the title, the count of titles and the print date.
    PageFrameSpec Frame() const;
    // The next row of the printout; false after the last "合计" row.
    bool Next(ReportRow& row);
    // A source for ExcelReport::PrintReport reading this list (which must outlive it).
    RowSource Rows();

    QString Sql() const;
    const Params& Parameters() const { return params_; }

  private:
    void DataRow(ReportRow& row);
    void SubtotalRow(ReportRow& row) const;
    QString GroupOfCurrent() const;

    Grouping grouping_;
    QString where_;
    Params params_;
    std::unique_ptr<Recordset> titles_;
    QString group_;
    bool started_ = false;
    bool finished_ = false;
    // restcount, price, borrowprice, sellprice, memberborrowprice, membersellprice
    std::array<Money, 6> sums_{};  // exact: the copies as whole numbers, the prices in cents
};
