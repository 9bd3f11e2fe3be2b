#include "tests/reliability/CrashInvariants.h"

#include <algorithm>
#include <set>

#include "core/CopyList.h"
#include "core/ShelfCopies.h"
#include "platform/db/Statement.h"

namespace {
const char* const kTitles = "select cdid, count, station, issell from cdinfo order by cdid";
const char* const kRentalLines = "select borrowid, borrowlst from borrowinfo";
const char* const kReturns = "select substr(returnid,1,16), returnlst from returninfo";
const char* const kSaleLines = "select substr(sellid,1,12), selllst from sellinfo";

const char* const kNotLent = "未借出";
const char* const kSomeLent = "借出部分";
const char* const kAllLent = "全部借出";

constexpr int kCdidLength = 12;

// Takes each returned copy off the line once; a returned copy the line never rented is
// reported.
std::vector<int> StillOut(const QString& borrowid, const QString& rented, const QString& returned,
                          QStringList& broken) {
    std::vector<int> out = CopyList::Numbers(rented);
    for (int copy : CopyList::Numbers(returned)) {
        const auto it = std::find(out.begin(), out.end(), copy);
        if (it == out.end()) {
            broken << QStringLiteral("rental %1: a return lists copy %2, which it did not rent")
                          .arg(borrowid)
                          .arg(copy);
            continue;
        }
        out.erase(it);
    }
    return out;
}
}  // namespace

std::vector<CrashInvariants::Title> CrashInvariants::Titles(Connection& conn) {
    std::vector<Title> titles;
    Statement st(conn, kTitles);
    while (st.Step())
        titles.push_back({st.Column(0).ToString(), static_cast<int>(st.Column(1).ToInt()),
                          st.Column(2).ToString(), static_cast<int>(st.Column(3).ToInt())});
    return titles;
}

CrashInvariants::CopiesOf CrashInvariants::CopiesOut(Connection& conn, QStringList& broken) {
    QHash<QString, QString> returned;  // by borrowid
    Statement returns(conn, kReturns);
    while (returns.Step()) returned[returns.Column(0).ToString()] += returns.Column(1).ToString();

    CopiesOf out;
    Statement lines(conn, kRentalLines);
    while (lines.Step()) {
        const QString borrowid = lines.Column(0).ToString();
        const std::vector<int> copies =
            StillOut(borrowid, lines.Column(1).ToString(), returned.value(borrowid), broken);
        std::vector<int>& ofTitle = out[borrowid.left(kCdidLength)];
        ofTitle.insert(ofTitle.end(), copies.begin(), copies.end());
    }
    return out;
}

CrashInvariants::CopiesOf CrashInvariants::CopiesSold(Connection& conn) {
    CopiesOf sold;
    Statement lines(conn, kSaleLines);
    while (lines.Step()) {
        const std::vector<int> copies = CopyList::Numbers(lines.Column(1).ToString());
        std::vector<int>& ofTitle = sold[lines.Column(0).ToString()];
        ofTitle.insert(ofTitle.end(), copies.begin(), copies.end());
    }
    return sold;
}

QStringList CrashInvariants::CheckCopies(const Title& title, const QString& what,
                                         const std::vector<int>& copies) {
    QStringList broken;
    std::set<int> seen;
    for (int copy : copies) {
        if (copy < 1 || copy > title.count)
            broken << QStringLiteral("%1: copy %2 %3 is not one of its %4 copies")
                          .arg(title.cdid)
                          .arg(copy)
                          .arg(what)
                          .arg(title.count);
        if (!seen.insert(copy).second)
            broken << QStringLiteral("%1: copy %2 %3 twice").arg(title.cdid).arg(copy).arg(what);
    }
    return broken;
}

QStringList CrashInvariants::CheckTitle(const Title& title, const std::vector<int>& out,
                                        const std::vector<int>& sold, int shelfCopies) {
    QStringList broken = CheckCopies(title, QStringLiteral("out"), out);
    broken << CheckCopies(title, QStringLiteral("sold"), sold);
    for (int copy : out)
        if (std::find(sold.begin(), sold.end(), copy) != sold.end())
            broken << QStringLiteral("%1: copy %2 is both out and sold").arg(title.cdid).arg(copy);

    const int onShelf = title.count - static_cast<int>(out.size() + sold.size());
    if (onShelf < 0)
        broken << QStringLiteral("%1: %2 out + %3 sold exceed its %4 copies")
                      .arg(title.cdid)
                      .arg(out.size())
                      .arg(sold.size())
                      .arg(title.count);
    if (title.station != kNotLent && title.station != kSomeLent && title.station != kAllLent)
        broken << QStringLiteral("%1: station \"%2\" is no lending state")
                      .arg(title.cdid, title.station);
    if (title.station == kNotLent && !out.empty())
        broken
            << QStringLiteral("%1: \"未借出\" with %2 copies out").arg(title.cdid).arg(out.size());
    if (title.station == kAllLent && onShelf > 0)
        broken << QStringLiteral("%1: \"全部借出\" with %2 copies on the shelf")
                      .arg(title.cdid)
                      .arg(onShelf);
    if (title.issell < 0)
        broken
            << QStringLiteral("%1: issell %2 is no sale state").arg(title.cdid).arg(title.issell);
    const int soldCount = static_cast<int>(sold.size());
    const int followed = soldCount == 0 ? 0 : soldCount >= title.count ? 2 : 1;
    // The yearly fold takes old sale lines away, not what they sold: a state above what the
    // lines left say may be right, one below never is.
    if (title.issell < followed || title.issell > 2)
        broken << QStringLiteral("%1: issell %2 with %3 of its %4 copies sold")
                      .arg(title.cdid)
                      .arg(title.issell)
                      .arg(soldCount)
                      .arg(title.count);
    if (onShelf >= 0 && shelfCopies != onShelf)
        broken << QStringLiteral("%1: the counter offers %2 copies, %3 out and %4 sold of %5")
                      .arg(title.cdid)
                      .arg(shelfCopies)
                      .arg(out.size())
                      .arg(soldCount)
                      .arg(title.count);
    return broken;
}

QStringList CrashInvariants::Broken(Connection& conn) {
    QStringList broken;
    const CopiesOf out = CopiesOut(conn, broken);
    const CopiesOf sold = CopiesSold(conn);
    for (const Title& title : Titles(conn)) {
        const int shelf =
            static_cast<int>(ShelfCopies::Of(conn, title.cdid, title.count).Copies.size());
        broken << CheckTitle(title, out.value(title.cdid), sold.value(title.cdid), shelf);
    }
    return broken;
}
