#include "tests/reliability/CrashShop.h"

namespace {
const char* const kAddFormat = "insert into type (typeid, type) values (?1, ?2)";
const char* const kAddMovieType = "insert into movietype (typeid, type) values (?1, ?2)";
const char* const kSetPriceFactors =
    "update pricepercent set percentb = ?1, percents = ?2, tax = ?3";
const char* const kSetDeposit =
    "update ForeGift set foregifttype = ?1, [money] = ?2, membermoney = ?3";
const char* const kAddMember =
    "insert into userinfo (userid, username, telephone, JoinDate, [money], tax, ispay, "
    "borrowcount, borrowmoney) values (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)";
const char* const kAddTitle =
    "insert into cdinfo (cdid, id, name, actor, [key], type, movietype, location, count, "
    "restcount, buydate, price, buymoney, borrowprice, memberborrowprice, sellprice, "
    "membersellprice, borrowpricetype, station, issell, isabandon, outcount) "
    "values (?1, ?2, ?3, '演员', ?4, ?5, ?6, 'A架', ?7, ?7, '2023-01-15', 20, 20, 3, 2.4, 30, 27, "
    "'每天', ?8, ?9, ?10, ?11)";
const char* const kAddRental =
    "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, isnotpaylst, "
    "CredenceType, foregift, Guaranty, money, isreturnall, remark) "
    "values (?1, ?2, ?3, ?4, ?5, '', '现金', ?6, ' ', ?7, ?8, '')";
const char* const kAddReturn =
    "insert into returninfo (returnid, returndate, returncount, returnlst, remark) "
    "values (?1, ?2, ?3, ?4, '')";
const char* const kAddSale =
    "insert into sellinfo (sellid, name, selldate, sellcount, selllst, [money], remark) "
    "values (?1, ?2, ?3, ?4, ?5, ?6, '')";
const char* const kSetTitleState =
    "update cdinfo set station = ?2, issell = ?3, outcount = ?4 where cdid = ?1";
const char* const kAddSummaryRental =
    "insert into borrowinfo (borrowid, name, borrowdate, money, borrowcount, borrowlst, "
    "isnotpaylst, CredenceType, foregift, Guaranty, IsReturnGuaranty, isreturnall, remark) "
    "values ('0000000000000000', '汇总', '2022-06-10 00:00:00', 500, 0, ' ', '', '现金', 40, ' ', "
    "1, 1, ' ')";
const char* const kAddSummarySale =
    "insert into sellinfo (sellid, name, selldate, [money], sellcount, selllst, remark) "
    "values ('0000000000000000', '汇总', '2022-06-10 00:00:00', 300, 0, ' ', ' ')";

const char* const kOpenBasket =
    "insert into openbasket (kind, basketno, name, usertype, ismember, foregifttype, [money], "
    "membermoney) values (?1, ?2, ?3, 3, 1, ?4, ?5, ?6)";

const char* const kNotLent = "未借出";
const char* const kSomeLent = "借出部分";
const char* const kAllLent = "全部借出";
}  // namespace

void CrashShop::Fill(Connection& conn) {
    Transaction t(conn);
    Lists(conn);
    Settings(conn);
    Members(conn);
    Titles(conn);
    History(conn);
    SummaryOfEarlierFold(conn);
    t.Commit();
}

// A rental basket of copy 1 of 英雄 (the last one on its shelf) and both copies of 星际,
// and a sale basket of one copy of 无间道 and the only copy of 新龙门, as the check-outs
// leave them before settlement.
void CrashShop::FillWithBaskets(Connection& conn) {
    Fill(conn);
    Transaction t(conn);
    RentalBasket(conn);
    SaleBasket(conn);
    t.Commit();
}

void CrashShop::FillWithRentalBasket(Connection& conn) {
    Fill(conn);
    Transaction t(conn);
    RentalBasket(conn);
    t.Commit();
}

void CrashShop::FillWithSaleBasket(Connection& conn) {
    Fill(conn);
    Transaction t(conn);
    SaleBasket(conn);
    t.Commit();
}

// Member 000001's basket, opened under the deposit rule of Settings.
void CrashShop::RentalBasket(Connection& conn) {
    const QString when = "2025-06-10 09:30:00";
    Rental(conn, "030100000001", kRentalBasket, "000001", when, 1, "&1#", false);
    Rental(conn, kIdleTitle, kRentalBasket, "000001", when, 2, "&1#&2#", false);
    SetTitle(conn, "030100000001", kSomeLent, 1, 4);
    SetTitle(conn, kIdleTitle, kAllLent, 0, 3);
    conn.Execute(kOpenBasket, {"borrow", kRentalBasket, "000001", 1, 20.0, 10.0});
}

// Member 000002's basket.
void CrashShop::SaleBasket(Connection& conn) {
    const QString when = "2025-06-10 09:30:00";
    Sale(conn, "030100000003", kSaleBasket, "000002", when, 1, "&1#", 0);
    Sale(conn, "050100000003", kSaleBasket, "000002", when, 1, "&1#", 0);
    SetTitle(conn, "030100000003", kNotLent, 1, 0);
    SetTitle(conn, "050100000003", kNotLent, 2, 0);
    conn.Execute(kOpenBasket, {"sell", kSaleBasket, "000002", Value(), Value(), Value()});
}

void CrashShop::Lists(Connection& conn) {
    conn.Execute(kAddFormat, {3, "DVD"});
    conn.Execute(kAddFormat, {5, "VCD"});
    conn.Execute(kAddMovieType, {1, "动作"});
    conn.Execute(kAddMovieType, {kScienceFictionCode, kScienceFiction});
}

void CrashShop::Settings(Connection& conn) {
    conn.Execute(kSetPriceFactors, {0.8, 0.9, 10.0});
    conn.Execute(kSetDeposit, {1, 20.0, 10.0});
}

// One member owing nothing and unpaid, one with Null amounts, one already charged.
void CrashShop::Members(Connection& conn) {
    conn.Execute(kAddMember,
                 {"000001", "张三", "13800000001", "2021-03-01", 100.0, 0.0, 0, 4, 18.0});
    conn.Execute(kAddMember,
                 {"000002", "李四", "13800000002", "2022-07-15", Value(), Value(), 0, 0, 0.0});
    conn.Execute(kAddMember, {"000003", "王五", "", "2024-11-30", 50.0, 10.0, 1, 1, 3.0});
}

void CrashShop::Titles(Connection& conn) {
    const Title titles[] = {
        {"030100000001", "D001", "英雄", "DVD", "动作", 3, kSomeLent, 1, 0, 3},
        {"030100000002", "D002", "卧虎藏龙", "DVD", "动作", 2, kAllLent, 0, 0, 1},
        {kIdleTitle, "D003", "星际穿越", "DVD", kScienceFiction, 2, kNotLent, 0, 0, 2},
        {"050100000001", "V001", "龙门客栈", "VCD", "动作", 1, kNotLent, 2, 0, 0},
        {"051200000001", "V002", "异形", "VCD", kScienceFiction, 1, kNotLent, 0, 1, 1},
        {"050100000002", "V003", "醉拳", "VCD", "动作", 1, kAllLent, 0, 1, 1},
        {"030100000003", "D004", "无间道", "DVD", "动作", 2, kNotLent, 0, 0, 0},
        {"050100000003", "V004", "新龙门", "VCD", "动作", 1, kNotLent, 0, 0, 0},
    };
    for (const Title& t : titles) AddTitle(conn, t);
}

// Old rentals (returned) and an old sale for the fold; recent rentals out, partly returned
// and returned; a recent sale; a bad disc still out.
void CrashShop::History(Connection& conn) {
    Rental(conn, "030100000001", "0001", "000001", "2023-03-05 10:00:00", 2, "&1#&2#", true);
    Return(conn, "0301000000010001", "0001", "2023-03-07 18:00:00", 2, "&1#&2#");
    Rental(conn, "030100000001", "0102", "000002", "2025-06-01 11:00:00", 2, "&1#&2#", false);
    Return(conn, "0301000000010102", "0001", "2025-06-03 17:00:00", 1, "&1#");
    Sale(conn, "030100000001", "0088", "000001", "2025-05-20 15:00:00", 1, "&3#", 27);

    Rental(conn, "030100000002", "0105", "000003", "2025-06-08 12:00:00", 2, "&1#&2#", false);

    Rental(conn, kIdleTitle, "0020", "000002", "2023-08-10 10:00:00", 1, "&1#", true);
    Return(conn, "0312000000010020", "0001", "2023-08-12 10:00:00", 1, "&1#");
    Rental(conn, kIdleTitle, "0090", "借001", "2025-04-02 10:00:00", 1, "&2#", true);
    Return(conn, "0312000000010090", "0001", "2025-04-04 10:00:00", 1, "&2#");

    Sale(conn, "050100000001", "0030", "000002", "2023-11-11 16:00:00", 1, "&1#", 15);

    Rental(conn, "051200000001", "0060", "000001", "2024-09-01 10:00:00", 1, "&1#", true);
    Return(conn, "0512000000010060", "0001", "2024-09-02 10:00:00", 1, "&1#");
    Rental(conn, "050100000002", "0104", "000001", "2025-06-05 10:00:00", 1, "&1#", false);
}

void CrashShop::SummaryOfEarlierFold(Connection& conn) {
    conn.Execute(kAddSummaryRental);
    conn.Execute(kAddSummarySale);
}

void CrashShop::AddTitle(Connection& conn, const Title& t) {
    conn.Execute(kAddTitle, {t.cdid, t.id, t.name, t.id.toLower(), t.type, t.movieType, t.count,
                             t.station, t.issell, t.bad, t.outCount});
}

// Rent 3 a copy, deposit 20 a copy.
void CrashShop::Rental(Connection& conn, const QString& cdid, const QString& no, const QString& who,
                       const QString& date, int copies, const QString& list, bool returnedAll) {
    conn.Execute(kAddRental, {cdid + no, who, date, copies, list, 20.0 * copies,
                              returnedAll ? 3.0 * copies : 0.0, returnedAll ? 1 : 0});
}

void CrashShop::Return(Connection& conn, const QString& borrowid, const QString& no,
                       const QString& date, int copies, const QString& list) {
    conn.Execute(kAddReturn, {borrowid + no, date, copies, list});
}

void CrashShop::Sale(Connection& conn, const QString& cdid, const QString& no, const QString& who,
                     const QString& date, int copies, const QString& list, double money) {
    conn.Execute(kAddSale, {cdid + no, who, date, copies, list, money});
}

void CrashShop::SetTitle(Connection& conn, const QString& cdid, const QString& station, int issell,
                         int outCount) {
    conn.Execute(kSetTitleState, {cdid, station, issell, outCount});
}
