#pragma once
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "core/Basket.h"
#include "core/RecordNumber.h"
#include "counter/CheckOutOutcome.h"
#include "platform/text/Money.h"

class Connection;

// The lines of one kind of basket, one line a title: rental lines in borrowinfo, sale lines
// in sellinfo, each keyed by the title's cdid and the basket's number. Each line holds what
// it adds to its basket, stored when it is confirmed: a rental line its share of the
// deposit (foregift), a sale line its money. The steps both the rental and the sale side
// take with their lines, run inside the caller's transaction; what differs between the
// sides (deposits, prices, the title's state) stays with them.
class BasketLines {
  public:
    static const BasketLines Rental;
    static const BasketLines Sale;

    // A basket about to take a line: an open one as it is, a new one numbered with the
    // lowest free number and given its customer. Nothing when every number is used.
    std::optional<Basket> Numbered(Connection& conn, Basket basket, int userType,
                                   const QString& userName) const;

    // Writes the title's line: a new line, or the copies and their amount added to the line
    // there, or (after a line edit) the line holding exactly the copies confirmed. An edit
    // prices nothing again: each copy the line keeps keeps its share of what the line holds
    // (MoneyShares over the line's copies, in their stored order), a copy dropped takes its
    // share off, and the copies new to the line add amount. True when the line is new.
    struct LineWrite {
        QString customer;
        std::vector<int> copies;
        Money amount;  // what the copies new to the line add: their deposit, or their money
        QString remark;
        QDateTime now;
        bool rewritesLine = false;
    };
    bool Write(Connection& conn, const QString& lineId, const LineWrite& write) const;

    // The copies a title's line may hold as the file stands: the title's copies on the
    // shelf and, for a line edit, the line's own, in rising order.
    struct Offer {
        std::vector<int> available;
        std::vector<int> own;
        bool Covers(const std::vector<int>& copies) const;
        // How many of the copies are not the line's own: the ones a confirmation prices.
        int NewCopies(const std::vector<int>& copies) const;
    };
    Offer OfferFor(Connection& conn, const QString& lineId, const std::vector<int>& shelf,
                   bool rewritesLine) const;

    // What a check-out's confirmation checks first, in its transaction: the title is still
    // there, the basket has its number (a new one the lowest free), and every copy chosen is
    // on offer. outcome is Written when all hold.
    struct Checked {
        CheckOutOutcome outcome = CheckOutOutcome::Written;
        Basket basket;
        QString lineId;
        Offer offer;
    };
    Checked Check(Connection& conn, const Basket& basket, int userType, const QString& userName,
                  const QString& cdid, const std::vector<int>& copies, bool rewritesLine) const;

    // The basket's lines as a settlement finds them in its transaction, with the customer
    // they are the basket of (its stored row's; without a row, its first line's). refusal
    // says, in the operator's words, why they cannot be settled: none left, a line naming
    // another customer (the number taken for someone else's rental or sale), or lines other
    // than the panel showed (shown: its copies and amount; nothing compares nothing).
    struct Shown {
        int copies = 0;
        Money amount;
    };
    struct ToSettle;
    ToSettle ForSettlement(Connection& conn, const QString& basketNo,
                           const std::optional<Shown>& shown) const;

    // A line as stored, with its title's disc number and name.
    struct Line {
        QString lineId;
        QString id;
        QString name;
        int copies = 0;
        QString copyList;
        Money amount;
        QString customer;  // the name the line is written for
    };
    std::optional<Line> Of(Connection& conn, const QString& lineId) const;
    // The basket's lines in the order they were first written.
    std::vector<Line> OfBasket(Connection& conn, const QString& basketNo) const;
    // Sets what one line holds.
    void SetAmount(Connection& conn, const QString& lineId, Money amount) const;
    // Deletes the line; false when it was not there.
    bool Remove(Connection& conn, const QString& lineId) const;

    struct ToSettle {
        std::vector<Line> lines;
        QString customer;
        int copies = 0;
        QString refusal;
    };

  private:
    // What the copies of the line that stay on it hold of its stored amount.
    Money KeptShare(Connection& conn, const QString& lineId, const std::vector<int>& copies) const;

    struct Statements {
        const char* holds;     // ?1 the line: what it holds; no row when there is none
        const char* insert;    // ?1 the line, ?2 customer, ?3 date, ?4 count, ?5 copies,
                               // ?6 remark, ?7 amount
        const char* extend;    // ?1 the line, ?2 count, ?3 copies, ?4 amount now held
        const char* rewrite;   // ?1 the line, ?2 count, ?3 copies, ?4 amount
        const char* line;      // ?1 the line: Line's columns
        const char* ofBasket;  // ?1 the basket's number: Line's columns, in rowid order
        const char* amount;    // ?1 the line, ?2 amount
        const char* remove;    // ?1 the line
    };
    constexpr BasketLines(RecordNumber::Kind numbers, const char* action, const Statements& sql)
        : numbers_(numbers), action_(action), sql_(sql) {}

    RecordNumber::Kind numbers_;
    const char* action_;  // "出租" / "出售", in the refusals
    Statements sql_;
};
