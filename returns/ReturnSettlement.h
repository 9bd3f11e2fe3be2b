#pragma once
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "platform/db/Connection.h"
#include "platform/text/Money.h"

// Taking copies back from one customer and settling the money, all in one transaction:
// a return row per rental line (one return number for the settlement), the titles'
// lending state, the rent received shared over the lines, the copies whose rent stays
// unpaid, deposits and pledges given back, lines closed once every copy is back, and the
// member's stored money when the money went through it.
class ReturnSettlement {
  public:
    // A return's remark holds at most this many characters; a longer one is cut at a
    // character, never inside one.
    static constexpr int kRemarkLength = 255;

    struct Line {
        QString borrowid;
        std::vector<int> copies;  // brought back now, in the order shown
        bool payRent = true;      // the rent of the line is taken now
        Money rent;               // what the line's rent adds to the rent due
        bool giveBack = true;     // its deposit or pledge is given back
    };
    struct Request {
        QString customer;  // a member's number or a walk-in name
        std::vector<Line> lines;
        Money rentReceived;
        QString remark;
        QDateTime now;
        // The amount due (rent received less deposits given back) taken from, or, when
        // negative, credited to the member's stored money; nothing for cash.
        std::optional<Money> fromStoredMoney;
        // What the member hands over beyond the stored money ("补交金额"): it goes into the
        // stored money, which then pays the amount due.
        Money paidIn;
    };
    struct Outcome {
        bool done = false;
        QString refusal;  // why nothing was written
        QString returnNo;
    };

    // The lowest return number from 0001 that no return row uses (RecordNumber); empty when
    // every number up to 9999 is taken.
    static QString NextReturnNo(Connection& conn);
    // Why the request cannot be settled, checked before any money changes hands; empty when
    // it can, with the return number it would take.
    static QString Refusal(Connection& conn, const Request& request, QString* returnNo = nullptr);
    // The rent received shared over the lines whose rent is taken, by their rents, by the
    // one rule for shares (MoneyShares: the last of them takes the remainder). Lines not
    // paying get 0.
    static std::vector<Money> Shares(const Request& request);

    static Outcome Settle(Connection& conn, const Request& request);

  private:
    static QString LinesRefusal(Connection& conn, const Request& request);
    static void SettleLine(Connection& conn, const Request& request, const Line& line, Money share,
                           const QString& returnNo);
    static QString StoredMoneyRefusal(Connection& conn, const Request& request);
    // The stored money after the request: what is stored, less the amount due, plus what
    // was handed over.
    static Money StoredMoneyAfter(Connection& conn, const Request& request);
};
