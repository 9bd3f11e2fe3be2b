#include "tools/demodata/DemoWriter.h"

#include <sqlite3.h>

#include <stdexcept>

namespace {
const char kInsertMember[] =
    "INSERT INTO userinfo (userid, username, telephone, address, JoinDate, money, tax, ispay) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)";
const char kInsertTitle[] =
    "INSERT INTO cdinfo (cdid, id, name, actor, [key], movietype, type, Content, remark, location,"
    " born, count, restcount, buydate, price, buymoney, borrowprice, memberborrowprice, sellprice,"
    " membersellprice, borrowpricetype, isabandon, station, outcount, issell) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?12, ?13, ?14, ?14, ?15, ?16, ?17,"
    " ?18, ?19, ?20, ?21, ?22, ?23)";
const char kInsertRental[] =
    "INSERT INTO borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, isnotpaylst,"
    " CredenceType, foregift, Guaranty, IsReturnGuaranty, money, isreturnall, remark) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ' ')";
const char kInsertReturn[] =
    "INSERT INTO returninfo (returnid, returndate, returncount, returnlst, remark) "
    "VALUES (?1, ?2, ?3, ?4, ' ')";
const char kInsertSale[] =
    "INSERT INTO sellinfo (sellid, name, selldate, sellcount, selllst, money, remark) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ' ')";
}  // namespace

void DemoWriter::Closer::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

DemoWriter::DemoWriter(const QString& path) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    db_.reset(db);
    if (rc != SQLITE_OK) throw std::runtime_error(db ? sqlite3_errmsg(db) : "out of memory");
    // A new file that nobody else has open: nothing to protect while it is filled.
    SqlStatement::Exec(db,
                       "PRAGMA synchronous=OFF; PRAGMA journal_mode=MEMORY;"
                       " PRAGMA cache_size=-262144; BEGIN");
    SetIndexesAside();
    format_ = std::make_unique<SqlStatement>(db, "INSERT INTO type (typeid, type) VALUES (?1, ?2)");
    movieType_ =
        std::make_unique<SqlStatement>(db, "INSERT INTO movietype (typeid, type) VALUES (?1, ?2)");
    member_ = std::make_unique<SqlStatement>(db, kInsertMember);
    title_ = std::make_unique<SqlStatement>(db, kInsertTitle);
    rental_ = std::make_unique<SqlStatement>(db, kInsertRental);
    return_ = std::make_unique<SqlStatement>(db, kInsertReturn);
    sale_ = std::make_unique<SqlStatement>(db, kInsertSale);
}

void DemoWriter::Format(int typeId, const std::string& name) {
    format_->Bind(1, typeId).Bind(2, name).Run();
}

void DemoWriter::MovieType(int typeId, const std::string& name) {
    movieType_->Bind(1, typeId).Bind(2, name).Run();
}

void DemoWriter::Settings(double percentb, double percents, double monthlyFee) {
    SqlStatement(db_.get(), "UPDATE pricepercent SET percentb = ?1, percents = ?2, tax = ?3")
        .Bind(1, percentb)
        .Bind(2, percents)
        .Bind(3, monthlyFee)
        .Run();
}

void DemoWriter::DepositRule(int type, double walkInMoney, double memberMoney) {
    SqlStatement(db_.get(), "UPDATE ForeGift SET foregifttype = ?1, money = ?2, membermoney = ?3")
        .Bind(1, type)
        .Bind(2, walkInMoney)
        .Bind(3, memberMoney)
        .Run();
}

void DemoWriter::Member(const DemoMember& m, const std::string& joinDate) {
    member_->Bind(1, m.userid).Bind(2, m.name).Bind(3, m.telephone).Bind(4, m.address);
    member_->Bind(5, joinDate).Bind(6, m.money).Bind(7, m.tax).Bind(8, m.ispay).Run();
}

void DemoWriter::Title(const DemoTitle& t, const std::string& buydate, std::int64_t now) {
    SqlStatement& s = *title_;
    s.Bind(1, t.cdid).Bind(2, t.id).Bind(3, t.name).Bind(4, t.actor).Bind(5, t.key);
    s.Bind(6, t.movieType).Bind(7, t.format).Bind(8, t.content).Bind(9, t.remark);
    s.Bind(10, t.location).Bind(11, t.born).Bind(12, t.count).Bind(13, buydate);
    s.Bind(14, t.price).Bind(15, t.borrowPrice).Bind(16, t.memberBorrowPrice);
    s.Bind(17, t.sellPrice).Bind(18, t.memberSellPrice);
    s.Bind(19, std::string(t.perDay ? "每天" : "每次")).Bind(20, t.abandoned ? 1 : 0);
    s.Bind(21, std::string(t.Station(now))).Bind(22, t.rentalLines).Bind(23, t.IsSell());
    s.Run();
}

void DemoWriter::RentalLine(const RentalLineRow& r) {
    SqlStatement& s = *rental_;
    s.Bind(1, r.borrowid).Bind(2, r.name).Bind(3, r.borrowdate).Bind(4, r.borrowcount);
    s.Bind(5, r.borrowlst).Bind(6, r.isnotpaylst).Bind(7, r.credenceType).Bind(8, r.foregift);
    if (r.guaranty) {
        s.Bind(9, *r.guaranty);
    } else {
        s.BindNull(9);
    }
    s.Bind(10, r.guarantyReturned ? 1 : 0).Bind(11, r.money).Bind(12, r.returnedAll ? 1 : 0);
    s.Run();
}

void DemoWriter::Return(const ReturnRow& r) {
    return_->Bind(1, r.returnid).Bind(2, r.returndate).Bind(3, r.returncount).Bind(4, r.returnlst);
    return_->Run();
}

void DemoWriter::Sale(const SaleRow& r) {
    sale_->Bind(1, r.sellid).Bind(2, r.name).Bind(3, r.selldate).Bind(4, r.sellcount);
    sale_->Bind(5, r.selllst).Bind(6, r.money).Run();
}

void DemoWriter::Commit() {
    RestoreIndexes();
    SqlStatement::Exec(db_.get(), "COMMIT");
}

void DemoWriter::SetIndexesAside() {
    std::vector<std::string> names;
    {
        SqlStatement list(
            db_.get(),
            "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL");
        while (list.NextRow()) {
            names.push_back(list.Text(0));
            indexes_.push_back(list.Text(1));
        }
    }
    for (const std::string& name : names) {
        SqlStatement::Exec(db_.get(), ("DROP INDEX \"" + name + "\"").c_str());
    }
}

void DemoWriter::RestoreIndexes() {
    for (const std::string& sql : indexes_) SqlStatement::Exec(db_.get(), sql.c_str());
}
