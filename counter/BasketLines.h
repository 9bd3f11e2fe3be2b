#pragma once
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "core/Basket.h"
#include "core/RecordNumber.h"

class Connection;

// The lines of one kind of basket, one line a title: rental lines in borrowinfo, sale lines
// in sellinfo, each keyed by the title's cdid and the basket's number. The steps both the
// rental and the sale side take with their lines, run inside the caller's transaction;
// what differs between the sides (deposits, prices, the title's state) stays with them.
class BasketLines {
  public:
    static const BasketLines Rental;
    static const BasketLines Sale;

    // A basket about to take a line: an open one as it is, a new one numbered with the
    // lowest free number and given its customer. Nothing when every number is used.
    std::optional<Basket> Numbered(Connection& conn, Basket basket, int userType,
                                   const QString& userName) const;

    // Writes the title's line: a new line, or the copies added to the line there, or (after
    // a line edit) the line holding exactly the copies confirmed. True when the line is new.
    struct LineWrite {
        QString customer;
        std::vector<int> copies;
        QString remark;
        QDateTime now;
        bool rewritesLine = false;
    };
    bool Write(Connection& conn, const QString& lineId, const LineWrite& write) const;

    // The copies a line holds; nothing when the line is not there.
    std::optional<int> Copies(Connection& conn, const QString& lineId) const;
    // Deletes the line; false when it was not there.
    bool Remove(Connection& conn, const QString& lineId) const;
    bool BasketEmpty(Connection& conn, const QString& basketNo) const;

  private:
    struct Statements {
        const char* exists;    // ?1 the line
        const char* insert;    // ?1 the line, ?2 customer, ?3 date, ?4 count, ?5 copies, ?6 remark
        const char* extend;    // ?1 the line, ?2 count, ?3 copies
        const char* rewrite;   // ?1 the line, ?2 count, ?3 copies
        const char* copies;    // ?1 the line: its count, null when not there
        const char* remove;    // ?1 the line
        const char* ofBasket;  // ?1 the basket's number: how many lines it has
    };
    constexpr BasketLines(RecordNumber::Kind numbers, const Statements& sql)
        : numbers_(numbers), sql_(sql) {}

    RecordNumber::Kind numbers_;
    Statements sql_;
};
