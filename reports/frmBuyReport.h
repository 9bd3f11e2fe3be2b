#pragma once
#include <QDate>
#include <QString>
#include <utility>
#include <vector>

#include "platform/ui/FormOf.h"
#include "printout/ReportWindow.h"

class Recordset;

// The titles the shop bought this week (Monday to Sunday), this month or this year: first
// those rented at least once, with the rent they brought in over all their rentals, highest
// first; then those never rented; then the totals. It goes back to this week whenever it
// becomes the active window (once a refill, an export or a print running then has ended).
class frmBuyReport : public FormOf<frmBuyReport, ReportWindow> {
    Q_OBJECT
    friend class FormOf<frmBuyReport, ReportWindow>;

  public:
    static constexpr int kColumns = 5;

    void Form_Load() override;
    void Form_Activate() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

    // The purchase dates of a period as [from, to): this week from its Monday, this month,
    // this year, of the day given.
    static std::pair<QDate, QDate> PeriodDays(int period, const QDate& today);

  protected:
    void ActionsEnded() override;

  private:
    frmBuyReport();
    // Writes the rows of a recordset at the positions given from row on; false when the
    // refill must stop.
    bool WriteTitles(Recordset& titles, const std::vector<int>& positions, int& row, bool rented,
                     double& cost, double& rent);

    // The window came in front while a refill, an export or a print of it ran.
    bool backToThisWeek_ = false;
};
