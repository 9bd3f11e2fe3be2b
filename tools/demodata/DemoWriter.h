#pragma once
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "tools/demodata/DemoMember.h"
#include "tools/demodata/DemoRows.h"
#include "tools/demodata/DemoTitle.h"
#include "tools/demodata/SqlStatement.h"

struct sqlite3;

// Writes a demo shop into a database made from the schema, with prepared statements
// inside one transaction: Commit() makes it all visible, anything less leaves the file
// as it was. The schema's own indexes are dropped while the rows go in and built again
// from their saved definitions before the commit, which is several times faster than
// keeping them up to date row by row. Failures throw std::runtime_error with SQLite's
// message.
class DemoWriter {
  public:
    explicit DemoWriter(const QString& path);

    void Format(int typeId, const std::string& name);     // a row of type
    void MovieType(int typeId, const std::string& name);  // a row of movietype
    void Settings(double percentb, double percents, double monthlyFee);
    void DepositRule(int type, double walkInMoney, double memberMoney);
    void Member(const DemoMember& member, const std::string& joinDate);
    // The title as the counter leaves it at the moment `now`.
    void Title(const DemoTitle& title, const std::string& buydate, std::int64_t now);
    void RentalLine(const RentalLineRow& row);
    void Return(const ReturnRow& row);
    void Sale(const SaleRow& row);
    void Commit();

  private:
    void SetIndexesAside();
    void RestoreIndexes();

    struct Closer {
        void operator()(sqlite3* db) const;  // closing rolls back what was not committed
    };
    std::unique_ptr<sqlite3, Closer> db_;  // declared first: closed after the statements
    std::vector<std::string> indexes_;     // CREATE INDEX statements of the schema
    std::unique_ptr<SqlStatement> format_, movieType_, member_, title_, rental_, return_, sale_;
};
