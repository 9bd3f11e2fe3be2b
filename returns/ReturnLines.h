#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/db/Connection.h"
#include "platform/text/Money.h"

// One open rental line of the customer in the return dialog, with what the operator chose
// for it: the copies brought back now and the two switches.
struct ReturnLine {
    QString borrowid;   // cdid (12) + rental number (4)
    QString id;         // the shop's disc number
    QString movieName;  // film title
    QDateTime borrowDate;
    int borrowCount = 0;
    QString borrowList;  // borrowlst
    QString unpaid;      // isnotpaylst as stored: the copies whose rent is not paid
    QString priceType;   // "每次" or per day
    Money price;         // per copy, member or walk-in rent
    QString credenceType;
    Money foregift;
    QString guaranty;
    bool credenceBack = false;  // IsReturnGuaranty: deposit or pledge given back already
    int returnedBefore = 0;     // copies returned on earlier returns
    Money earlierRent;          // unpaid copies returned earlier, each up to its return
    qint64 days = 1;            // from the rental to the opening of the dialog

    std::vector<int> out;      // the copies still out, in the order of borrowlst
    std::vector<bool> ticked;  // per copy of `out`: brought back now
    bool payRent = true;       // Check1 "支付租金"
    bool backCre = true;       // Check2 "退还押金或抵押物"

    QString CdId() const { return borrowid.left(12); }
    QString RentalNo() const { return borrowid.right(4); }
    QString PayState() const;  // "未付租金", "付部分租金" or "已付租金"
    bool IsUnpaid(int copy) const;
    Money CopyRent() const;  // one copy up to the opening of the dialog
    std::vector<int> TickedCopies() const;
    int TickedCount() const;
    bool AllTicked() const;  // an empty list counts as all ticked
    // Ticked copies whose rent is taken now (rent switch on, copy unpaid).
    int ChargedCount() const;
    // The rent this return takes for the line: its ticked unpaid copies up to now and its
    // unpaid copies returned earlier, each up to its return; 0 with the rent switch off.
    Money Rent() const;
    // What the line's deposit or pledge adds to this return (nothing once given back).
    Money DepositBack() const;
    QString PledgeBack() const;
};

// Every open rental line of one customer, as the return dialog shows and changes them.
// The dialog's totals are computed from the lines, never kept apart from them.
class ReturnLines {
  public:
    // Reads the customer's open lines; now ends the rent of the copies still out. The lines
    // of a basket still open at the counter are no rental yet and are left out.
    void Load(Connection& conn, const QString& customer, const QDateTime& now);

    int Count() const { return static_cast<int>(lines_.size()); }
    const ReturnLine& Line(int index) const { return lines_.at(static_cast<std::size_t>(index)); }
    const std::vector<ReturnLine>& Lines() const { return lines_; }

    // A copy ticked or unticked by the operator. Unticking turns both switches of its line
    // off; ticking the last unticked copy turns them on.
    void SetTicked(int line, int copyIndex, bool ticked);
    void SetPayRent(int line, bool on);
    void SetBackCre(int line, bool on);
    // "不还这张(&C)": the line leaves this return.
    void Remove(int line);

    Money RentDue() const;
    Money DepositDue() const;
    // The pledged items given back, each once, in the order of the lines.
    QStringList Pledges() const;
    int ReturnedBefore() const;
    int StillOut() const;
    int TickedCount() const;
    int ChargedCount() const;
    // Whether every listed line has a copy ticked (and a line is listed at all).
    bool EveryLineHasACopy() const;

  private:
    ReturnLine& At(int index) { return lines_.at(static_cast<std::size_t>(index)); }
    std::vector<ReturnLine> lines_;
};
