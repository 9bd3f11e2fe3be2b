#include "reports/LastRentals.h"

#include "core/OpenBaskets.h"
#include "platform/db/Statement.h"
#include "reports/OddDates.h"
#include "reports/ReportTimes.h"

namespace {
// The customers of the rental lines dated in another form: %1 the odd lines, %2 leaves out
// the open rental baskets'.
const char* const kOddCustomers = "select name from borrowinfo where %1 and %2";
// The rental dates of one customer (?1 the key; with ?2 = 1 the lines without a key too):
// %1 leaves out the open rental baskets'.
const char* const kCustomerDates =
    "select borrowdate from borrowinfo where (name = ?1 or (?2 = 1 and name is null)) and %1";

// A key as its column compares it: ASCII letters in one case, Null as the empty key.
QString Folded(const Value& key) {
    if (key.IsNull()) return QString();
    QString folded = key.ToString();
    for (QChar& c : folded)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + ('a' - 'A'));
    return folded;
}
}  // namespace

LastRentals LastRentals::Read(Connection& conn) {
    LastRentals last;
    Statement odd(conn, QString::fromUtf8(kOddCustomers)
                            .arg(OddDates::Rows("rowid", "borrowinfo", "borrowdate"),
                                 OpenBaskets::NotInRentalBasket("borrowinfo")));
    while (odd.Step()) last.oddCustomers_.insert(Folded(odd.Column(0)));
    return last;
}

Value LastRentals::Of(Connection& conn, const Value& customer, const Value& largest) const {
    if (largest.IsNull()) return largest;
    if ((oddCustomers_.isEmpty() || !oddCustomers_.contains(Folded(customer))) &&
        ReportTimes::Read(largest))
        return largest;
    const QString key = Folded(customer);
    Statement dates(
        conn, QString::fromUtf8(kCustomerDates).arg(OpenBaskets::NotInRentalBasket("borrowinfo")));
    dates.Bind({key, key.isEmpty() ? 1 : 0});
    Value latest;
    qint64 latestMoment = 0;
    while (dates.Step()) {
        const Value date = dates.Column(0);
        const std::optional<DateText> d = ReportTimes::Read(date);
        if (!d) continue;
        const qint64 moment = ReportTimes::Moment(*d);
        if (latest.IsNull() || moment > latestMoment) {
            latest = date;
            latestMoment = moment;
        }
    }
    return latest.IsNull() ? largest : latest;
}
