#pragma once
#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

#include "tools/demodata/DemoCalendar.h"
#include "tools/demodata/DemoMember.h"
#include "tools/demodata/DemoSize.h"
#include "tools/demodata/DemoTitle.h"

class DemoWriter;
class RentalDesk;
class SaleDesk;

struct DemoOptions {
    DemoSize size;
    std::uint64_t seed = 1;
    QDate today;  // the shop's today; the data ends at noon of it
};

// What a generated shop holds.
struct DemoCounts {
    int titles = 0;
    int members = 0;
    int rentalLines = 0;  // all of them, the fold year's included
    int foldRentalLines = 0;
    int returnRows = 0;
    int saleLines = 0;
};

// Makes a demo shop database: a catalogue, members, and three years of counter business
// walked through in time order, so every list, count and state agrees with the rows
// before it. The same options give the same file.
class ShopGenerator {
  public:
    explicit ShopGenerator(const DemoOptions& options);

    // Creates the database at path from the schema (refusing an existing file) and fills
    // it in one transaction. On failure error says why and no new file is left behind.
    bool Generate(const QString& path, QString* error);
    const DemoCounts& Counts() const { return counts_; }

  private:
    enum class Desk { Rental, FoldRental, Sale };
    static constexpr int kRecentDays = 3;
    struct Visit {
        std::int64_t moment;
        int order;  // ties between equal moments keep the order of drawing
        Desk desk;
        int lines;
    };

    QString Refusal() const;
    void Fill(DemoWriter& writer);
    void AddVisits(std::vector<Visit>& visits, Desk desk, int lines, int firstDay, int lastDay,
                   Random& random) const;
    void OpenRecentDays(std::vector<Visit>& visits, Desk desk, Random& random) const;
    void Serve(const std::vector<Visit>& visits, RentalDesk& rentals, SaleDesk& sales);
    void MarkBadDiscs(Random& random);
    void WriteCatalogue(DemoWriter& writer) const;

    DemoOptions options_;
    DemoCalendar calendar_;
    std::vector<DemoTitle> titles_;
    std::vector<DemoMember> members_;
    DemoCounts counts_;
};
