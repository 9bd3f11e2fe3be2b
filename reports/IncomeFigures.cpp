#include "reports/IncomeFigures.h"

#include <functional>
#include <memory>
#include <optional>

#include "core/OpenBaskets.h"
#include "platform/db/Statement.h"
#include "reports/KeyOrderedLines.h"
#include "reports/OddDates.h"

namespace {
// The lines a view reads: every line, or those whose date text is in a bounded view's
// range (%1 the date column). This year's lines are read in key order, the date index left
// aside (the "+"): going through it for a third of the table and sorting them would cost
// more. This month's few are found through it.
const char* const kDatedInView[] = {"1", "+%1>=?1 and +%1<?2", "%1>=?1 and %1<?2"};
// Besides them, a bounded view reads the lines whose date is stored in another form and
// whose text is out of that range (%1 the odd lines, %2 the date column): each line is then
// placed in the view, or left out of it, by its date's value.
const char* const kOddOutOfRange = "%1 and not (%2>=?1 and %2<?2)";

// The rental lines and the return lines, each in the order of its key, so that a rental
// line (its id the title's id and the rental number) comes with the return lines of that
// rental (their ids the rental's id and a return number). %1: the view's lines; %2 leaves
// out the baskets still open at the counter, which are no rental yet. The second column is
// the date of the line's period.
const char* const kRentalLines =
    "select borrowid, borrowdate, borrowcount, money, foregift from borrowinfo "
    "where %1 and %2 order by borrowid";
const char* const kReturnLines =
    "select returnid, returndate, returncount from returninfo where %1 order by returnid";
const char* const kTitles = "select cdid from cdinfo order by cdid";
// A bounded view looks up the partners of its lines that are dated outside it. A rental
// line is returned when the first 16 characters of a return line are its whole id. The id
// is asked as a range of one key so that the index of the lines with their money answers
// it without the table (an equality goes through the key's own index, then the table's
// row): the hundreds of look-ups of a month then read pages the view has read already.
const char* const kRentOfRental = "select money from borrowinfo where borrowid between ?1 and ?1";
const char* const kReturnOfRental =
    "select 1 from returninfo where substr(returnid,1,16)=?1 limit 1";

// Tables whose lines join nothing: the date of the period, then the figures summed. %2
// leaves out the sale baskets still open at the counter, which are no sale yet.
const char* const kPurchases = "select buydate, count, price*count from cdinfo where %1";
const char* const kMembers = "select joindate, money from userinfo where %1";
const char* const kSales = "select selldate, money from sellinfo where %1 and %2";

// The parts of a line's id that its joins compare: the title's id, the rental's id.
constexpr int kTitleIdLength = 12;
constexpr int kRentalIdLength = 16;

// The rental line's columns.
enum { kRentalId, kRentalPeriod, kCopiesRented, kRent, kDeposit };
// The return line's columns.
enum { kReturnId, kReturnPeriod, kCopiesReturned };

// "money>0" as the database reads it, of a line whose money reads as amount: a number
// above 0, or any text or blob (they are above every number); Null is not.
bool Paid(const KeyOrderedLines& line, int column, double amount) {
    return amount > 0 || (!line.IsNumber(column) && !line.IsNull(column));
}

QString KeyText(const SqlKey& key) {
    return QString::fromUtf8(key.Bytes());
}
}  // namespace

// The view's periods and the lines it reads.
struct IncomeFigures::Bounds {
    View view = EveryYear;
    int year = 0;   // a bounded view's year
    int month = 0;  // the month of the view of this month
    Params days;    // a bounded view's first day and the day after its last, as texts

    bool Bounded() const { return view != EveryYear; }
    // The statement reading the lines of the view whose date text is in its range (all of
    // them in the yearly view); with odd, those whose date is in another form and out of
    // that range, none in the yearly view.
    QString Sql(const char* statement, const char* table, const char* dateColumn, bool odd) const {
        const QString column = QString::fromUtf8(dateColumn);
        QString lines = QString::fromUtf8(kDatedInView[view]);
        if (odd)
            lines = QString::fromUtf8(kOddOutOfRange)
                        .arg(OddDates::Rows("rowid", table, dateColumn), column);
        else if (Bounded())
            lines = lines.arg(column);
        return QString::fromUtf8(statement).arg(lines);
    }
    // The same with the open baskets of the table left out (%2 of the statement).
    QString Sql(const char* statement, const char* table, const char* dateColumn, bool odd,
                QString (*notInOpenBasket)(const QString& line)) const {
        return Sql(statement, table, dateColumn, odd)
            .arg(notInOpenBasket(QString::fromUtf8(table)));
    }
    // The period of a line's date: its year, month or day as year(), month() and day() read
    // them; none for a missing or malformed date, or one outside a bounded view.
    std::optional<int> PeriodOf(const std::optional<DateText>& date) const {
        if (!date) return std::nullopt;
        switch (view) {
            case EveryYear:
                return date->year;
            case MonthsOfThisYear:
                if (date->year != year) return std::nullopt;
                return date->month;
            default:
                if (date->year != year || date->month != month) return std::nullopt;
                return date->day;
        }
    }
};

// The return lines of one rental, read from the return lines in key order: the rental's
// id (the first 16 characters of theirs) and each line's period.
class IncomeFigures::ReturnGroup {
  public:
    ReturnGroup(KeyOrderedLines& lines, const Bounds& bounds) : lines_(lines), bounds_(bounds) {
        Step();
    }

    // Reads the next rental's lines, adding each to the returns of its period; false when
    // there are none left.
    bool Next(IncomeFigures& figures) {
        periods_.clear();
        matched_ = false;
        valid_ = more_;
        if (!more_) return false;
        key_.Assign(rental_);
        const SqlKey key = key_.Key();
        do {
            const std::optional<int> period = bounds_.PeriodOf(lines_.Date(kReturnPeriod));
            periods_.push_back(period);
            if (period) {
                Sums& returns = figures.At(Returns, *period);
                ++returns.rows;
                returns.figure[0] += lines_.Double(kCopiesReturned);
            }
            Step();
        } while (more_ && rental_ == key);
        return true;
    }

    bool Valid() const { return valid_; }
    SqlKey Key() const { return key_.Key(); }
    bool Matched() const { return matched_; }

    // The rent of the rental counts once for each of these lines, in its period.
    void AddRent(IncomeFigures& figures, double rent) {
        matched_ = true;
        for (const std::optional<int>& period : periods_) {
            if (!period) continue;
            Sums& rentOnReturn = figures.At(RentOnReturn, *period);
            ++rentOnReturn.rows;
            rentOnReturn.figure[0] += rent;
        }
    }

  private:
    // The next line, and the rental it belongs to (valid until the step after).
    void Step() {
        more_ = lines_.Step();
        if (more_) rental_ = lines_.Key(kReturnId).Prefix(kRentalIdLength);
    }

    KeyOrderedLines& lines_;
    const Bounds& bounds_;
    bool more_ = false;
    bool valid_ = false;
    bool matched_ = false;
    SqlKey rental_;
    SqlKeyCopy key_;
    std::vector<std::optional<int>> periods_;
};

IncomeFigures IncomeFigures::Read(Connection& conn, View view, const QDate& today) {
    Bounds bounds;
    bounds.view = view;
    QDate from;
    QDate to;
    if (view == MonthsOfThisYear) {
        from = QDate(today.year(), 1, 1);
        to = from.addYears(1);
    } else if (view == DaysOfThisMonth) {
        from = QDate(today.year(), today.month(), 1);
        to = from.addMonths(1);
    }
    if (bounds.Bounded()) {
        bounds.year = from.year();
        bounds.month = from.month();
        bounds.days = {from.toString("yyyy-MM-dd"), to.toString("yyyy-MM-dd")};
    }

    IncomeFigures figures;
    figures.ReadRentalsAndReturns(conn, bounds);
    // A bounded view reads the lines in its range, then those with a date in another form.
    for (const bool odd : {false, true}) {
        if (odd && !bounds.Bounded()) break;
        figures.ReadPlain(conn, bounds, Purchases, bounds.Sql(kPurchases, "cdinfo", "buydate", odd),
                          bounds.days);
        figures.ReadPlain(conn, bounds, Members, bounds.Sql(kMembers, "userinfo", "JoinDate", odd),
                          bounds.days);
        figures.ReadPlain(
            conn, bounds, Sales,
            bounds.Sql(kSales, "sellinfo", "selldate", odd, &OpenBaskets::NotInSaleBasket),
            bounds.days);
    }
    return figures;
}

// Sums every line with a period: the figures are the columns after it.
void IncomeFigures::ReadPlain(Connection& conn, const Bounds& bounds, Family family,
                              const QString& sql, const Params& params) {
    Statement lines(conn, sql);
    lines.Bind(params);
    const int figuresPerLine = lines.ColumnCount() - 1;
    while (lines.Step()) {
        const std::optional<int> period = bounds.PeriodOf(lines.Date(0));
        if (!period) continue;
        Sums& sums = At(family, *period);
        ++sums.rows;
        for (int f = 0; f < figuresPerLine; ++f)
            sums.figure[static_cast<size_t>(f)] += lines.Double(f + 1);
    }
}

// Walks the rental lines in id order; the titles and the return lines, in the same order,
// keep pace with them. A title's lines are those whose first 12 characters are its whole
// key; a rental's return lines those whose first 16 characters are its whole id: keys of
// other lengths meet only their equals.
void IncomeFigures::ReadRentalsAndReturns(Connection& conn, const Bounds& bounds) {
    const auto rentalLines = [&](bool odd) {
        auto lines =
            std::make_unique<Statement>(conn, bounds.Sql(kRentalLines, "borrowinfo", "borrowdate",
                                                         odd, &OpenBaskets::NotInRentalBasket));
        lines->Bind(bounds.days);
        return lines;
    };
    const auto returnLines = [&](bool odd) {
        auto lines = std::make_unique<Statement>(
            conn, bounds.Sql(kReturnLines, "returninfo", "returndate", odd));
        lines->Bind(bounds.days);
        return lines;
    };
    const std::unique_ptr<Statement> inRange = rentalLines(false);
    const std::unique_ptr<Statement> odd = bounds.Bounded() ? rentalLines(true) : nullptr;
    KeyOrderedLines rentals(*inRange, odd.get());
    const std::unique_ptr<Statement> returnsInRange = returnLines(false);
    const std::unique_ptr<Statement> oddReturns = bounds.Bounded() ? returnLines(true) : nullptr;
    KeyOrderedLines returns(*returnsInRange, oddReturns.get());
    Statement titles(conn, QString::fromUtf8(kTitles));
    // The title the walk stands at (its key's bytes last until the next step).
    SqlKey title;
    const auto nextTitle = [&] {
        const bool more = titles.Step();
        title = more ? titles.Key(0) : SqlKey();
        return more;
    };
    bool moreTitles = nextTitle();
    ReturnGroup group(returns, bounds);
    group.Next(*this);

    // Return lines whose rental is not among the lines read: in a bounded view it may be
    // dated outside the view.
    const auto unmatched = [&](ReturnGroup& g) {
        if (g.Matched() || !bounds.Bounded()) return;
        Statement rental(conn, QString::fromUtf8(kRentOfRental));
        rental.Bind({KeyText(g.Key())});
        if (rental.Step()) g.AddRent(*this, rental.Double(0));
    };

    while (rentals.Step()) {
        const SqlKey id = rentals.Key(kRentalId);
        const SqlKey rental = id.Prefix(kRentalIdLength);
        const SqlKey titleOfLine = rental.Prefix(kTitleIdLength);
        while (moreTitles && title < titleOfLine) moreTitles = nextTitle();
        const bool inCatalogue = moreTitles && title == titleOfLine;
        while (group.Valid() && group.Key() < rental) {
            unmatched(group);
            group.Next(*this);
        }
        // The return lines' rental is this whole line.
        const bool met = group.Valid() && group.Key() == id;
        const double rent = rentals.Double(kRent);
        if (met) group.AddRent(*this, rent);

        const std::optional<int> period = bounds.PeriodOf(rentals.Date(kRentalPeriod));
        if (!period) continue;
        if (inCatalogue) {
            Sums& lines = At(Rentals, *period);
            ++lines.rows;
            lines.figure[0] += rentals.Double(kCopiesRented);
            lines.figure[1] += rent;
            lines.figure[2] += rentals.Double(kDeposit);
        }
        if (Paid(rentals, kRent, rent)) {
            bool returned = met;
            // A return line dated outside the view; an id of more than 16 characters is
            // the first 16 of none.
            if (!returned && bounds.Bounded() && rental == id) {
                Statement anyReturn(conn, QString::fromUtf8(kReturnOfRental));
                anyReturn.Bind({KeyText(id)});
                returned = anyReturn.Step();
            }
            if (!returned) {
                Sums& open = At(OpenPaid, *period);
                ++open.rows;
                open.figure[0] += rent;
                open.figure[1] += rentals.Double(kDeposit);
            }
        }
    }
    for (; group.Valid(); group.Next(*this)) unmatched(group);
}

IncomeFigures::Sums& IncomeFigures::At(Family family, int period) {
    Last& last = last_[family];
    if (!last.sums || last.period != period) last = {period, &families_[family][period]};
    return *last.sums;
}

std::vector<int> IncomeFigures::Periods() const {
    std::map<int, bool, std::greater<>> all;
    for (const auto& family : families_)
        for (const auto& [period, sums] : family) all[period] = true;
    std::vector<int> periods;
    for (const auto& [period, any] : all) periods.push_back(period);
    return periods;
}

const IncomeFigures::Sums* IncomeFigures::Of(Family family, int period) const {
    const auto& sums = families_[family];
    const auto it = sums.find(period);
    return it == sums.end() ? nullptr : &it->second;
}
