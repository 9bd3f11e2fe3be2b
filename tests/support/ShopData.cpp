#include "tests/support/ShopData.h"

#include <sqlite3.h>

#include <QStringList>
#include <stdexcept>

namespace {
// Opens the file as another program would, runs one statement with its values bound.
void Execute(const QString& path, const QString& sql, const std::vector<QVariant>& values) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path.toStdString());
    }
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    for (int i = 0; rc == SQLITE_OK && i < static_cast<int>(values.size()); ++i) {
        const QVariant& v = values[i];
        switch (v.typeId()) {
            case QMetaType::UnknownType:
                rc = sqlite3_bind_null(st, i + 1);
                break;
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(st, i + 1, v.toLongLong());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(st, i + 1, v.toDouble());
                break;
            default: {
                const QByteArray text = v.toString().toUtf8();
                rc = sqlite3_bind_text(st, i + 1, text.constData(), text.size(), SQLITE_TRANSIENT);
            }
        }
    }
    if (rc == SQLITE_OK) rc = sqlite3_step(st) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
    const std::string message = sqlite3_errmsg(db);
    sqlite3_finalize(st);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error(message + " in " + sql.toStdString());
}
}  // namespace

// ---- Rows --------------------------------------------------------------------------------

ShopData::Row& ShopData::Row::Set(const QString& column, const QVariant& value) {
    for (auto& [name, v] : columns_) {
        if (name == column) {
            v = value;
            return *this;
        }
    }
    columns_.emplace_back(column, value);
    return *this;
}

std::optional<QVariant> ShopData::Row::Get(const QString& column) const {
    for (const auto& [name, v] : columns_)
        if (name == column) return v;
    return std::nullopt;
}

ShopData::Title::Title(const QString& cdid, const QString& name) : Row("cdinfo") {
    Set("cdid", cdid);
    Set("id", cdid);
    Set("name", name);
    Copies(2);
    Set("station", QStringLiteral("未借出"));
}

ShopData::Title& ShopData::Title::Id(const QString& id) {
    Set("id", id);
    return *this;
}
ShopData::Title& ShopData::Title::Type(const QString& type) {
    Set("type", type);
    return *this;
}
ShopData::Title& ShopData::Title::MovieType(const QString& movietype) {
    Set("movietype", movietype);
    return *this;
}
ShopData::Title& ShopData::Title::Key(const QString& key) {
    Set("[key]", key);
    return *this;
}
ShopData::Title& ShopData::Title::Copies(int count) {
    Set("count", count);
    Set("restcount", count);
    return *this;
}
ShopData::Title& ShopData::Title::Prices(double price, double rent, double sale) {
    Set("price", price);
    Set("borrowprice", rent);
    Set("sellprice", sale);
    Set("memberborrowprice", rent);
    Set("membersellprice", sale);
    return *this;
}
ShopData::Title& ShopData::Title::BoughtOn(const QString& yyyyMmDd) {
    Set("buydate", yyyyMmDd);
    return *this;
}
ShopData::Title& ShopData::Title::RentPer(const QString& borrowpricetype) {
    Set("borrowpricetype", borrowpricetype);
    return *this;
}
ShopData::Title& ShopData::Title::Born(const QString& born) {
    Set("born", born);
    return *this;
}
ShopData::Title& ShopData::Title::Location(const QString& location) {
    Set("location", location);
    return *this;
}
ShopData::Title& ShopData::Title::Sold(int issell) {
    Set("issell", issell);
    return *this;
}
ShopData::Title& ShopData::Title::Bad(bool isabandon) {
    Set("isabandon", isabandon ? 1 : 0);
    return *this;
}

ShopData::Member::Member(const QString& userid, const QString& username) : Row("userinfo") {
    Set("userid", userid);
    Set("username", username);
    Set("money", 0);
}

ShopData::Member& ShopData::Member::Money(double money) {
    Set("money", money);
    return *this;
}

ShopData::Rental::Rental(const QString& cdid, const QString& no)
    : Row("borrowinfo"), borrowid_(cdid + no) {
    Set("borrowid", borrowid_);
    Set("name", QStringLiteral("000001"));
    Set("borrowdate", QStringLiteral("2026-12-01 10:00:00"));
    Set("borrowcount", 1);
    Set("borrowlst", QStringLiteral("&1#"));
    Set("isreturnall", 0);
}

ShopData::Rental& ShopData::Rental::By(const QString& name) {
    Set("name", name);
    return *this;
}
ShopData::Rental& ShopData::Rental::On(const QString& borrowdate) {
    Set("borrowdate", borrowdate);
    return *this;
}
ShopData::Rental& ShopData::Rental::Money(double money, double foregift) {
    Set("money", money);
    Set("foregift", foregift);
    return *this;
}
ShopData::Rental& ShopData::Rental::PaidInCash() {
    Set("isnotpaylst", QString(""));
    Set("CredenceType", QStringLiteral("现金"));
    return *this;
}
ShopData::Rental& ShopData::Rental::Returned(bool returned) {
    Set("isreturnall", returned ? 1 : 0);
    withReturnRow_ = returned;
    return *this;
}
ShopData::Rental& ShopData::Rental::MarkedReturned() {
    Set("isreturnall", 1);
    withReturnRow_ = false;
    return *this;
}

ShopData::Return::Return(const QString& borrowid, const QString& no) : Row("returninfo") {
    Set("returnid", borrowid + no);
    Set("returndate", QStringLiteral("2026-12-03 10:00:00"));
    Set("returncount", 1);
    Set("returnlst", QStringLiteral("&1#"));
}

ShopData::Return& ShopData::Return::On(const QString& returndate) {
    Set("returndate", returndate);
    return *this;
}

ShopData::Sale::Sale(const QString& cdid, const QString& no) : Row("sellinfo") {
    Set("sellid", cdid + no);
    Set("name", QStringLiteral("000001"));
    Set("selldate", QStringLiteral("2026-12-02 10:00:00"));
    Set("sellcount", 1);
    Set("selllst", QStringLiteral("&1#"));
}

ShopData::Sale& ShopData::Sale::By(const QString& name) {
    Set("name", name);
    return *this;
}
ShopData::Sale& ShopData::Sale::On(const QString& selldate) {
    Set("selldate", selldate);
    return *this;
}
ShopData::Sale& ShopData::Sale::Copies(const QString& selllst) {
    Set("selllst", selllst);
    return *this;
}
ShopData::Sale& ShopData::Sale::Money(double money) {
    Set("money", money);
    return *this;
}

ShopData::OpenBasket::OpenBasket(const QString& no) : Row("openbasket") {
    Set("kind", QStringLiteral("borrow"));
    Set("basketno", no);
    Set("name", QStringLiteral("000001"));
    Set("usertype", 3);
    Set("ismember", 1);
    Set("foregifttype", 1);
    Set("money", 0);
    Set("membermoney", 0);
}

ShopData::OpenBasket& ShopData::OpenBasket::Sale() {
    Set("kind", QStringLiteral("sell"));
    Set("foregifttype", QVariant());
    Set("money", QVariant());
    Set("membermoney", QVariant());
    return *this;
}

ShopData::OpenBasket& ShopData::OpenBasket::By(const QString& name, bool member) {
    Set("name", name);
    Set("usertype", member ? 3 : 4);
    Set("ismember", member ? 1 : 0);
    return *this;
}

// ---- Writing -----------------------------------------------------------------------------

void ShopData::Add(const Row& row) {
    Insert(row);
}

void ShopData::Add(const Rental& rental) {
    Insert(rental);
    // The return row repeats the line's number: the whole line came back at once.
    if (rental.WithReturnRow()) Insert(Return(rental.BorrowId(), rental.BorrowId().right(4)));
}

void ShopData::AddDiscClassifications() {
    for (const auto& [code, name] : {std::pair{3, "DVD"}, std::pair{5, "VCD"}})
        Insert(Row("type").Set("typeid", code).Set("type", QString::fromUtf8(name)));
    for (const auto& [code, name] : {std::pair{1, "动作"}, std::pair{12, "科幻"}})
        Insert(Row("movietype").Set("typeid", code).Set("type", QString::fromUtf8(name)));
}

void ShopData::Insert(const Row& row) {
    QStringList names;
    QStringList places;
    std::vector<QVariant> values;
    for (const auto& [name, value] : row.Columns()) {
        names << name;
        places << "?";
        values.push_back(value);
    }
    Execute(dbPath_,
            QString("insert into %1 (%2) values (%3)")
                .arg(row.Table(), names.join(", "), places.join(", ")),
            values);
}
