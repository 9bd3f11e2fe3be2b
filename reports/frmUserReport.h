#pragma once
#include <optional>
#include <vector>

#include "platform/db/Value.h"
#include "platform/ui/FormOf.h"
#include "printout/ReportWindow.h"

class Recordset;

// Every customer the shop's records know, in five groups: members who rented and bought,
// members who only rented, members who only bought (one line per sale line), members with
// neither, and walk-in customers who rented; then a bold totals row. Computed once, while
// the window loads.
class frmUserReport : public FormOf<frmUserReport, ReportWindow> {
    Q_OBJECT
    friend class FormOf<frmUserReport, ReportWindow>;

  public:
    static constexpr int kColumns = 9;

    void Form_Load() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

  private:
    struct Totals {
        qint64 rentals = 0;
        double rent = 0;
        double bought = 0;
        double stored = 0;
    };

    struct Fields;
    // A customer's line as the window shows it.
    struct Line {
        int group = 0;
        Value userid, name, count, money, buymoney, storemoney, last;
        int position = 0;  // in the statement's rows
    };

    frmUserReport();
    static Line LineOf(const Recordset& customers, const Fields& f);
    static std::optional<Line> EmptyKey(Recordset& walkIns, const Fields& f,
                                        std::vector<int>& positions);
    void WriteCustomer(const Line& line, int row, Totals& totals);
    void WriteTotals(int row, const Totals& totals);
};
