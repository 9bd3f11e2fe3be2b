#include "catalogue/StockList.h"

#include <iterator>

#include "catalogue/CatalogueFilter.h"
#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "platform/text/VbText.h"

namespace {

// The summed columns, in the order of StockList::sums_, with the sheet column (from 0)
// each goes to: B, F, H, I, J, K.
struct SummedColumn {
    const char* field;
    int column;
};
constexpr SummedColumn kSummed[6] = {{"restcount", 1},         {"price", 5},
                                     {"borrowprice", 7},       {"sellprice", 8},
                                     {"memberborrowprice", 9}, {"membersellprice", 10}};
// The sheet columns A to L of a title's row.
const char* const kRowFields[12] = {"name",
                                    "restcount",
                                    "born",
                                    "type",
                                    "movietype",
                                    "price",
                                    "buydate",
                                    "borrowprice",
                                    "sellprice",
                                    "memberborrowprice",
                                    "membersellprice",
                                    "location"};
constexpr int kNameColumn = 0;
constexpr int kDateColumn = 6;
constexpr int kColumns = 12;

// A date column holds "yyyy-mm-dd": printed as a date; anything else as it stands.
QVariant CellValue(const Value& v, bool isDate) {
    if (isDate && v.IsText()) {
        const QDate d = v.ToDate();
        if (d.isValid()) return d;
    }
    return v.ToVariant();
}
}  // namespace

StockList::StockList(Grouping grouping, const QString& movieType, const QString& format)
    : grouping_(grouping) {
    const CatalogueFilter filter(movieType, format);
    where_ = filter.Where();
    params_ = filter.Parameters();
}

StockList::~StockList() = default;

QString StockList::Sql() const {
    return QString::fromUtf8(CatalogueFilter::kTitles) + where_ +
           (grouping_ == ByFormat ? QStringLiteral(" order by type")
                                  : QStringLiteral(" order by movietype"));
}

void StockList::Open() {
    titles_ = std::make_unique<Recordset>();
    titles_->Open(Sql(), gConn, adLockReadOnly, params_);
}

int StockList::TitleCount() const {
    return titles_ ? titles_->RecordCount() : 0;
}

PageFrameSpec StockList::Frame() const {
    PageFrameSpec spec;
    spec.columnWidths = {20.63, 5.5, 8.13, 8.5, 8.5, 8.5, 21.75, 9, 9, 9, 9, 8.13};
    spec.rowHeights = {33, 20, 33};
    spec.restRowHeight = 21.5;
    spec.N = kPageRows;
    spec.frameCells = {{"A1", QStringLiteral("库存光盘状况")},
                       {"A2", QStringLiteral("光盘个数：%1").arg(TitleCount())},
                       {"L2", ExcelReport::PrintDate()}};
    return spec;
}

QString StockList::GroupOfCurrent() const {
    return NullToStr((*titles_)[grouping_ == ByFormat ? "type" : "movietype"]);
}

// A group ends where the grouping column changes (names are compared without regard to
// case, as the database orders them) and after the last title.
bool StockList::Next(ReportRow& row) {
    if (finished_ || !titles_) return false;
    bool subtotalDue = false;
    if (titles_->AtEOF()) {
        subtotalDue = true;
    } else {
        const QString group = GroupOfCurrent();
        if (group.compare(group_, Qt::CaseInsensitive) != 0) {
            subtotalDue = started_;
            group_ = group;
        }
    }
    started_ = true;
    if (!subtotalDue) {
        DataRow(row);
        return true;
    }
    SubtotalRow(row);
    sums_.fill(Money());
    finished_ = titles_->AtEOF();
    return true;
}

void StockList::DataRow(ReportRow& row) {
    row.assign(kColumns, ReportCell());
    for (int c = 0; c < kColumns; ++c)
        row[c].value = CellValue((*titles_)[kRowFields[c]], c == kDateColumn);
    row[kNameColumn].bold = false;
    for (size_t s = 0; s < std::size(kSummed); ++s) {
        row[kSummed[s].column].bold = false;
        sums_[s] += Money::FromStored((*titles_)[kSummed[s].field].ToDouble());
    }
    titles_->MoveNext();
}

void StockList::SubtotalRow(ReportRow& row) const {
    row.assign(kColumns, ReportCell());
    row[kNameColumn] = ReportCell(QStringLiteral("合计"), true);
    for (size_t s = 0; s < std::size(kSummed); ++s)
        row[kSummed[s].column] = ReportCell(sums_[s].ToStored(), true);
}

RowSource StockList::Rows() {
    return [this](ReportRow& row) { return Next(row); };
}
