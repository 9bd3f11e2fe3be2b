#pragma once
#include <QString>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

// The rows a test puts into a shop database file before the program reads it: titles,
// members, rental, return and sale lines. Each row starts from what most tests need and
// names what a test changes; every value is bound, so a quote or a percent sign in a name
// is stored as written. Rows are written outside the program's connection, as another
// program would.
//
//     data.Add(ShopData::Title("030100000001", "英雄").Id("A1").Prices(20, 3, 30));
//     data.Add(ShopData::Rental("030100000001", "0001").Returned());
class ShopData {
  public:
    explicit ShopData(QString dbPath) : dbPath_(std::move(dbPath)) {}

    // A row of a table: the columns set so far, in order.
    class Row {
      public:
        explicit Row(QString table) : table_(std::move(table)) {}
        // Any column, for what the named setters do not cover (replaces a value set before).
        Row& Set(const QString& column, const QVariant& value);
        std::optional<QVariant> Get(const QString& column) const;
        const QString& Table() const { return table_; }
        const std::vector<std::pair<QString, QVariant>>& Columns() const { return columns_; }

      private:
        QString table_;
        std::vector<std::pair<QString, QVariant>> columns_;
    };

    // A title with two copies on the shelf, its disc number its id; format, movie type,
    // prices and the rest stay empty unless set.
    class Title : public Row {
      public:
        Title(const QString& cdid, const QString& name);
        Title& Id(const QString& id);
        Title& Type(const QString& type);
        Title& MovieType(const QString& movietype);
        Title& Key(const QString& key);
        // count and restcount.
        Title& Copies(int count);
        // Purchase, rent and sale price; members pay the same.
        Title& Prices(double price, double rent, double sale);
        Title& BoughtOn(const QString& yyyyMmDd);
        // "每天" or "每次".
        Title& RentPer(const QString& borrowpricetype);
        Title& Born(const QString& born);
        Title& Location(const QString& location);
        // 0 for sale, 1 partly sold, 2 wholly sold.
        Title& Sold(int issell);
        Title& Bad(bool isabandon = true);
    };

    // A member with no money on the account.
    class Member : public Row {
      public:
        Member(const QString& userid, const QString& username);
        Member& Money(double money);
    };

    // Rental line no (4 digits) of a title: one copy ("&1#") for member 000001, rented
    // 2026-12-01 10:00, still out.
    class Rental : public Row {
      public:
        Rental(const QString& cdid, const QString& no);
        Rental& By(const QString& name);
        Rental& On(const QString& borrowdate);
        Rental& Money(double money, double foregift = 0);
        // Paid in cash with nothing left unpaid, as the counter settles a line.
        Rental& PaidInCash();
        // Returned whole: the line is marked so, and Add writes its return row as well.
        Rental& Returned(bool returned = true);
        // Marked returned whole, its return rows left to the test.
        Rental& MarkedReturned();
        bool WithReturnRow() const { return withReturnRow_; }
        const QString& BorrowId() const { return borrowid_; }

      private:
        QString borrowid_;
        bool withReturnRow_ = false;
    };

    // Return row no of a rental line: one copy ("&1#") returned 2026-12-03 10:00.
    class Return : public Row {
      public:
        Return(const QString& borrowid, const QString& no);
        Return& On(const QString& returndate);
    };

    // Sale line no of a title: one copy ("&1#") sold to member 000001 on 2026-12-02 10:00.
    class Sale : public Row {
      public:
        Sale(const QString& cdid, const QString& no);
        Sale& By(const QString& name);
        Sale& On(const QString& selldate);
        Sale& Copies(const QString& selllst);
        Sale& Money(double money);
    };

    // A basket stored as still open at the counter (the table openbasket): rental basket no
    // of member 000001, opened under deposit rule 1 asking nothing. Its lines are added apart.
    class OpenBasket : public Row {
      public:
        explicit OpenBasket(const QString& no);
        // A sale basket instead.
        OpenBasket& Sale();
        // Another customer, a member or a walk-in customer.
        OpenBasket& By(const QString& name, bool member = true);
    };

    // Writes the row; a rental returned whole brings its return row, numbered like it.
    void Add(const Row& row);
    void Add(const Rental& rental);

    // The formats and movie types most catalogue tests use: DVD 3, VCD 5; 动作 1, 科幻 12.
    void AddDiscClassifications();

  private:
    void Insert(const Row& row);

    QString dbPath_;
};
