#pragma once
#include <optional>
#include <string>
#include <vector>

#include "tools/demodata/CustomerPicker.h"
#include "tools/demodata/DemoCalendar.h"
#include "tools/demodata/DemoWriter.h"
#include "tools/demodata/NumberPool.h"
#include "tools/demodata/TitlePicker.h"

// The rental side of the demo counter. A basket is checked out at a moment and settled
// with a deposit or a pledge; its copies come back later in one or two return
// settlements, each paying the rent of the copies it brings back. Copies not back by
// the end of the data stay out: their lines are open or partly returned, with the
// deposit still held. Each of the last three days sees copies come back.
class RentalDesk {
  public:
    RentalDesk(Random& random, const DemoCalendar& calendar, std::vector<DemoTitle>& titles,
               const std::vector<DemoMember>& members, DemoWriter& writer);

    // Rents up to `lines` titles to one customer; returns the number of lines written.
    int Basket(std::int64_t moment, int lines);
    int ReturnRows() const { return returnRows_; }

  private:
    struct Line {
        DemoTitle* title = nullptr;
        std::vector<int> copies;
        std::vector<std::int64_t> backAt;  // per copy
    };
    struct Credential {
        std::string type;  // "现金" or "证件"
        double perCopy = 0;
        std::optional<std::string> pledge;
    };
    struct Settlement {
        std::int64_t moment = 0;
        int number = 0;
    };

    std::vector<Line> ChooseLines(std::int64_t moment, int lines);
    int RentalNumber(std::int64_t moment, const std::vector<Line>& basket);
    Credential ChooseCredential(bool member);
    void PlanReturns(std::int64_t moment, std::vector<Line>& basket);
    std::int64_t ReturnMoment(std::int64_t moment);
    std::int64_t OnAQuietDay(std::int64_t moment, std::int64_t back);
    void MarkReturnDays(const std::vector<Line>& basket);
    std::vector<Settlement> Settlements(const std::vector<Line>& basket);
    void WriteLine(const Line& line, const std::string& borrowid, std::int64_t moment,
                   const Customer& customer, const Credential& credential);
    void WriteReturns(const Line& line, const std::string& borrowid,
                      const std::vector<Settlement>& settlements);
    double Rent(const Line& line, std::int64_t moment, bool member) const;
    void Lend(const Line& line, int number);

    Random& random_;
    const DemoCalendar& calendar_;
    DemoWriter& writer_;
    CustomerPicker customers_;
    TitlePicker shelves_;
    NumberPool rentalNumbers_;
    NumberPool returnNumbers_;
    std::vector<std::int64_t>
        openUntil_;  // per rental number: its basket has copies out until then
    int returnRows_ = 0;
    // Today, yesterday and the day before until a return is planned on them.
    std::vector<int> daysWithoutReturns_;
};
