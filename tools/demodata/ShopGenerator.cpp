#include "tools/demodata/ShopGenerator.h"

#include <QFile>
#include <algorithm>
#include <stdexcept>

#include "tools/CreateDatabase.h"
#include "tools/demodata/CatalogueMaker.h"
#include "tools/demodata/DemoRules.h"
#include "tools/demodata/DemoWriter.h"
#include "tools/demodata/RentalDesk.h"
#include "tools/demodata/SaleDesk.h"
#include "tools/demodata/WordLists.h"

namespace {
// Lines per basket: rental baskets hold one to three titles, sale baskets one or two.
int BasketLines(Random& random, bool rental) {
    static const int kRental[] = {60, 28, 12};
    static const int kSale[] = {75, 25};
    return random.Weighted(rental ? std::span<const int>(kRental) : std::span<const int>(kSale)) +
           1;
}
}  // namespace

ShopGenerator::ShopGenerator(const DemoOptions& options)
    : options_(options), calendar_(options.today) {}

bool ShopGenerator::Generate(const QString& path, QString* error) {
    const QString refusal = Refusal();
    if (!refusal.isEmpty()) {
        if (error) *error = refusal;
        return false;
    }
    if (!CreateDatabase(path, error)) return false;
    try {
        DemoWriter writer(path);
        Fill(writer);
        writer.Commit();
    } catch (const std::exception& e) {
        QFile::remove(path);
        if (error) *error = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

// Options the shop's keys cannot hold: shop numbers run from A0001 to Z9999 and member
// numbers have six digits.
QString ShopGenerator::Refusal() const {
    const DemoSize& size = options_.size;
    if (!options_.today.isValid()) return "the shop's today is no valid date";
    if (size.titles < 0 || size.titles > 26 * 9999) return "titles must be 0 to 259974";
    if (size.members < 0 || size.members > 999999) return "members must be 0 to 999999";
    return QString();
}

void ShopGenerator::Fill(DemoWriter& writer) {
    Random random(options_.seed);
    const DemoSize& size = options_.size;
    CatalogueMaker catalogue(random, calendar_);
    titles_ = catalogue.Titles(size.titles);
    members_ = catalogue.Members(size.members);
    counts_ = DemoCounts{};
    counts_.titles = size.titles;
    counts_.members = size.members;

    std::vector<Visit> visits;
    const bool fold = size.foldRentalLines > 0;
    AddVisits(visits, Desk::Rental, size.rentalLines, fold ? calendar_.FirstDayOfYear(1) : 0,
              calendar_.Today(), random);
    AddVisits(visits, Desk::FoldRental, size.foldRentalLines, calendar_.FirstDayOfYear(2),
              calendar_.LastDayOfYear(2), random);
    AddVisits(visits, Desk::Sale, size.saleLines, 0, calendar_.Today(), random);
    OpenRecentDays(visits, Desk::Rental, random);
    OpenRecentDays(visits, Desk::Sale, random);
    std::sort(visits.begin(), visits.end(), [](const Visit& a, const Visit& b) {
        return a.moment != b.moment ? a.moment < b.moment : a.order < b.order;
    });

    RentalDesk rentals(random, calendar_, titles_, members_, writer);
    SaleDesk sales(random, calendar_, titles_, members_, writer);
    Serve(visits, rentals, sales);
    counts_.returnRows = rentals.ReturnRows();
    MarkBadDiscs(random);
    WriteCatalogue(writer);
}

// Baskets of one desk adding up to `lines`, at moments spread over the days given.
void ShopGenerator::AddVisits(std::vector<Visit>& visits, Desk desk, int lines, int firstDay,
                              int lastDay, Random& random) const {
    while (lines > 0) {
        const int basket = std::min(lines, BasketLines(random, desk != Desk::Sale));
        visits.push_back({calendar_.ShopTime(random, firstDay, lastDay),
                          static_cast<int>(visits.size()), desk, basket});
        lines -= basket;
    }
}

// Today, yesterday and the day before each see the desk at work (a small shop could
// otherwise have a quiet day there): a day without a basket takes one from another day.
void ShopGenerator::OpenRecentDays(std::vector<Visit>& visits, Desk desk, Random& random) const {
    std::vector<std::size_t> ofDesk;
    for (std::size_t i = 0; i < visits.size(); ++i)
        if (visits[i].desk == desk) ofDesk.push_back(i);
    if (ofDesk.size() < static_cast<std::size_t>(kRecentDays)) return;
    for (int back = 0; back < kRecentDays; ++back) {
        const int day = calendar_.Today() - back;
        const bool served = std::any_of(ofDesk.begin(), ofDesk.end(), [&](std::size_t i) {
            return DemoCalendar::DayOf(visits[i].moment) == day;
        });
        if (served) continue;
        Visit& moved =
            visits[ofDesk[static_cast<std::size_t>(random.Below(static_cast<int>(ofDesk.size())))]];
        moved.moment = calendar_.ShopTime(random, day, day);
    }
}

// A basket that finds fewer titles than planned passes the lines it lacks on to the
// next basket of its desk, so each desk ends with the lines asked for.
void ShopGenerator::Serve(const std::vector<Visit>& visits, RentalDesk& rentals, SaleDesk& sales) {
    int missing[3] = {0, 0, 0};
    for (const Visit& v : visits) {
        int& owed = missing[static_cast<int>(v.desk)];
        const int wanted = std::min(3, v.lines + owed);
        const int made = v.desk == Desk::Sale ? sales.Basket(v.moment, wanted)
                                              : rentals.Basket(v.moment, wanted);
        owed += v.lines - made;
        if (v.desk == Desk::Sale) {
            counts_.saleLines += made;
        } else {
            counts_.rentalLines += made;
            if (v.desk == Desk::FoldRental) counts_.foldRentalLines += made;
        }
    }
}

// A few titles with every copy on the shelf are marked as bad discs.
void ShopGenerator::MarkBadDiscs(Random& random) {
    for (DemoTitle& t : titles_) {
        if (t.OutCopies(calendar_.End()) == 0 && random.Chance(0.01)) t.abandoned = true;
    }
}

void ShopGenerator::WriteCatalogue(DemoWriter& writer) const {
    const auto formats = WordLists::Formats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        writer.Format(static_cast<int>(i) + 1, formats[i]);
    }
    const auto movieTypes = WordLists::MovieTypes();
    for (std::size_t i = 0; i < movieTypes.size(); ++i) {
        writer.MovieType(static_cast<int>(i) + 1, movieTypes[i]);
    }
    writer.Settings(DemoRules::kMemberRentFactor, DemoRules::kMemberSaleFactor,
                    DemoRules::kMonthlyFee);
    writer.DepositRule(DemoRules::kDepositRule, DemoRules::kWalkInDeposit,
                       DemoRules::kMemberDeposit);
    for (const DemoMember& m : members_) writer.Member(m, calendar_.Date(m.joinDay));
    for (const DemoTitle& t : titles_) writer.Title(t, calendar_.Date(t.buyDay), calendar_.End());
}
