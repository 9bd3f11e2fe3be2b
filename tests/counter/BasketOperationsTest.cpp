// The basket operations on real shop files: the rows each writes, the totals it returns,
// and all or nothing when the database refuses.
#include "core/RecordNumber.h"
#include "counter/BasketRollback.h"
#include "counter/RentalLineRemoval.h"
#include "counter/RentalSettlement.h"
#include "counter/SaleLineRemoval.h"
#include "counter/SaleSettlement.h"
#include "tests/counter/BasketFixture.h"
#include "tests/support/DatabaseDump.h"

namespace {
const QString A = "030100000001";  // 3 copies
const QString B = "030100000002";  // 2 copies
const QString C = "051200000001";  // 1 copy

class BasketOperationsTest : public BasketFixture {
  protected:
    void SetUp() override {
        BasketFixture::SetUp();
        AddTitle(A, "英雄", 3, 100, 15);
        AddTitle(B, "卧虎藏龙", 2, 10);
        AddTitle(C, "星球大战", 1, 30, QVariant(), 27);
    }
    // Rental numbers in use, each a returned line of title C.
    void UseRentalNumbers(std::initializer_list<const char*> numbers) {
        for (const char* n : numbers) Data().Add(ShopData::Rental(C, n).PaidInCash().Returned());
    }
    void FillEveryNumber(const QString& table, const QString& key) {
        Sql(QString("with recursive n(i) as (select 1 union all select i+1 from n where i<9999) "
                    "insert into %1 (%2, name) select '%3'||substr('000'||i,-4), 'x' from n")
                .arg(table, key, C));
    }
};
}  // namespace

TEST_F(BasketOperationsTest, TheRecordNumberIsTheLowestFreeOneOfItsTable) {
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Rental), "0001");
    UseRentalNumbers({"0002", "0003"});
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Rental), "0001");
    UseRentalNumbers({"0001", "0005"});
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Rental), "0004");
    // Sales and returns count apart; the return rows above carry 0001 to 0003 and 0005.
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Sale), "0001");
    Data().Add(ShopData::Sale(A, "0001"));
    Data().Add(ShopData::Sale(B, "0002"));
    Data().Add(ShopData::Sale(B, "0004"));
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Sale), "0003");
    // A new basket among numbers 0001-0003 and 0005 takes the gap.
    EXPECT_EQ(Rent(A, {1}).borrowid, A + "0004");
}

TEST_F(BasketOperationsTest, AllNineThousandNineHundredNinetyNineNumbersUsedWriteNothing) {
    FillEveryNumber("borrowinfo", "borrowid");
    FillEveryNumber("sellinfo", "sellid");
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Rental), std::nullopt);
    const QStringList before = DatabaseDump(DbPath());
    EXPECT_EQ(Rent(A, {1}).outcome, RentalCheckOut::Outcome::NumbersUsedUp);
    EXPECT_EQ(Sell(A, {1}).outcome, SaleCheckOut::Outcome::NumbersUsedUp);
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_FALSE(rental.Open);
    EXPECT_FALSE(sale.Open);
    // An open basket keeps its number and goes on.
    rental = Basket{true, "0042", kMemberUser, "000001", 0, 0};
    EXPECT_EQ(Rent(A, {2}).borrowid, A + "0042");
}

TEST_F(BasketOperationsTest, AMemberBasketOfTwoTitlesWritesItsLinesAndStations) {
    SetDeposit(1, 20, 10);
    const RentalCheckOut::Result first = Rent(A, {3, 1});
    ASSERT_EQ(first.outcome, RentalCheckOut::Outcome::Written);
    EXPECT_TRUE(first.newLine);
    EXPECT_EQ(first.deposit, Yuan(20));  // 2 copies at the member's 10
    const RentalCheckOut::Result second = Rent(B, {1, 2});
    // Each line holds the deposit its copies add, from its confirmation on.
    EXPECT_EQ(RentalRow(A + "0001"),
              A + "0001|000001|2|&3#&1#|&3#&1#| |现金|20|2026-12-08 10:00:00");
    EXPECT_EQ(RentalRow(B + "0001"),
              B + "0001|000001|2|&1#&2#|&1#&2#| |现金|20|2026-12-08 10:00:00");
    EXPECT_EQ(TitleState(A), "借出部分|1|0");
    EXPECT_EQ(TitleState(B), "全部借出|1|0");
    EXPECT_EQ(rental.No, "0001");
    EXPECT_EQ(rental.UserType, kMemberUser);
    EXPECT_TRUE(rental.Member);
    EXPECT_EQ(rental.DepositRule, 1);
    EXPECT_EQ(deposit, 40);
    EXPECT_EQ(second.deposit, Yuan(20));
}

TEST_F(BasketOperationsTest, AWalkInBasketKeepsQuotesAsTypedAndItsCustomer) {
    SetDeposit(1, 20, 10);
    UseRentalNumbers({"0001"});
    Rent(A, {2}, "O'Brien \"老王\"", false, "it's 100%");
    // A later line of the basket goes to the basket's customer, whatever is asked.
    Rent(C, {1}, "someone else");
    EXPECT_EQ(RentalRow(A + "0002"),
              A + "0002|O'Brien \"老王\"|1|&2#|&2#|it's 100%|现金|20|" + "2026-12-08 10:00:00");
    EXPECT_EQ(Query1("select name from borrowinfo where borrowid='" + C + "0002'"),
              "O'Brien \"老王\"");
    EXPECT_EQ(deposit, 40);  // 2 copies at the walk-in 20
}

TEST_F(BasketOperationsTest, TheSameTitleAgainExtendsItsLineAndARewriteReplacesIt) {
    Rent(A, {1});
    const RentalCheckOut::Result again = Rent(A, {3});
    EXPECT_FALSE(again.newLine);
    EXPECT_EQ(Query1("select borrowcount||borrowlst||isnotpaylst from borrowinfo"),
              "2&1#&3#&1#&3#");
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 1);
    EXPECT_EQ(TitleState(A), "借出部分|2|0");  // one more rental per confirmation
    // The line edit's confirmation: the line is the copies checked, each once; no new rental.
    Rent(A, {1, 2, 3}, "000001", true);
    EXPECT_EQ(Query1("select borrowcount||borrowlst||isnotpaylst from borrowinfo"),
              "3&1#&2#&3#&1#&2#&3#");
    EXPECT_EQ(TitleState(A), "全部借出|2|0");
    // Copies the line does not hold and the shelf does not either are refused.
    EXPECT_EQ(Rent(A, {2}).outcome, RentalCheckOut::Outcome::CopiesGone);
    EXPECT_EQ(Rent(A, {4}, "000001", true).outcome, RentalCheckOut::Outcome::CopiesGone);
    EXPECT_EQ(Stored("borrowcount", "borrowinfo", "borrowid", rental.No), 3);
}

TEST_F(BasketOperationsTest, APartlyReturnedRentalOfTheTitleLeavesItPartlyLent) {
    Data().Add(ShopData::Rental(A, "0007").Set("borrowcount", 2).Set("borrowlst", "&1#&2#"));
    Data().Add(ShopData::Return(A + "0007", "0001"));  // copy 1 back, copy 2 out
    Rent(A, {1, 3});
    EXPECT_EQ(TitleState(A), "借出部分|1|0");
}

TEST_F(BasketOperationsTest, DepositRulesPriceTheCopiesAndTheFixedSumOnce) {
    SetDeposit(0, 0, 0);  // the purchase amount: A 15 a copy, B none set: its price, 8
    Rent(A, {1, 2}, "walk-in");
    Rent(B, {1});
    EXPECT_EQ(deposit, 38);

    rental = Basket();
    Sql("delete from borrowinfo; update cdinfo set station='未借出', outcount=0");
    SetDeposit(2, 50, 30);  // one fixed sum a basket, laid over its lines by their copies
    EXPECT_EQ(Rent(A, {3}, "walk-in").deposit, Yuan(50));
    EXPECT_EQ(Rent(A, {2}).deposit, Yuan(50));     // extended: the same sum, on the one line
    EXPECT_EQ(Rent(B, {2}).deposit, Yuan(16.67));  // another title: its third of the sum
    EXPECT_EQ(Query1("select group_concat(printf('%g',foregift), ',') from borrowinfo"),
              "33.33,16.67");
    EXPECT_EQ(Rent(B, {1, 2}, "", true).deposit,
              Yuan(25));  // an edit's confirmation: 2 of 4 copies
    EXPECT_EQ(deposit, 50);
    SetDeposit(2, 80, 60);  // a later rule does not reprice the open basket
    Rent(C, {1});
    EXPECT_EQ(deposit, 50);
    EXPECT_EQ(Query1("select group_concat(printf('%g',foregift), ',') from borrowinfo"),
              "20,20,10");

    rental = Basket();
    Sql("delete from borrowinfo; update cdinfo set station='未借出', outcount=0");
    EXPECT_EQ(Rent(C, {1}, "000002").deposit, Yuan(60));  // a member's fixed sum
}

TEST_F(BasketOperationsTest, ARefusedCheckOutWritesNothing) {
    Rent(B, {1});
    Sql("create trigger refuse before update of station on cdinfo when new.cdid='" + A +
        "' begin select raise(abort, 'disk is full'); end");
    const QStringList before = DatabaseDump(DbPath());
    const Basket kept = rental;
    EXPECT_THROW(Rent(A, {1}), DbError);
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(rental.No, kept.No);
    EXPECT_EQ(rental.Open, kept.Open);
}

TEST_F(BasketOperationsTest, RemovingARentalLineTakesOffItsOwnDepositAndLendsTheTitleRight) {
    SetDeposit(1, 20, 10);
    Data().Add(ShopData::Rental(B, "0003"));  // an older rental of B, copy 1 still out
    Sql("update cdinfo set station='借出部分', outcount=1 where cdid='" + B + "'");
    Rent(A, {1, 2, 3});  // every copy of A
    Rent(B, {2});        // the last copy of B
    Rent(C, {1});
    ASSERT_EQ(rental.No, "0001");
    EXPECT_EQ(deposit, 50);

    RentalLineRemoval::Result removed = RentalLineRemoval::Run(gConn, rental, A + "0001");
    EXPECT_TRUE(removed.removed);
    EXPECT_EQ(removed.copies, 3);
    EXPECT_EQ(removed.deposit, Yuan(30));
    EXPECT_FALSE(removed.basketEmpty);
    EXPECT_EQ(TitleState(A), "未借出|0|0");
    removed = RentalLineRemoval::Run(gConn, rental, B + "0001");
    EXPECT_EQ(removed.deposit, Yuan(10));
    EXPECT_EQ(TitleState(B), "借出部分|1|0");  // the older rental still holds copy 1
    removed = RentalLineRemoval::Run(gConn, rental, C + "0001");
    EXPECT_TRUE(removed.basketEmpty);
    EXPECT_EQ(TitleState(C), "未借出|0|0");
    EXPECT_FALSE(RentalLineRemoval::Run(gConn, rental, C + "0001").removed);
}

TEST_F(BasketOperationsTest, RemovingALineUnderTheOtherRulesTakesOffItsOwnDeposit) {
    SetDeposit(0, 0, 0);
    Rent(A, {1, 2});
    Rent(B, {1});
    EXPECT_EQ(RentalLineRemoval::Run(gConn, rental, A + "0001").deposit, Yuan(30));  // 2 × 15
    EXPECT_EQ(RentalLineRemoval::Run(gConn, rental, B + "0001").deposit, Yuan(8));   // its price
    SetDeposit(2, 50, 30);
    rental = Basket();
    Rent(A, {1}, "walk-in");
    Rent(B, {1});
    // The basket's fixed sum stays while a line does: it goes over the lines that stay.
    EXPECT_EQ(RentalLineRemoval::Run(gConn, rental, A + "0001").deposit, Yuan(25));
    EXPECT_EQ(Query1("select printf('%g',foregift) from borrowinfo"), "50");
}

TEST_F(BasketOperationsTest, RemovingASaleLineTakesOffItsOwnMoney) {
    Sell(A, {1}, "walk-in");
    Sell(B, {1, 2});
    EXPECT_EQ(Stored("money", "sellinfo", "sellid", sale.No), 120);
    EXPECT_EQ(TitleState(A), "未借出|0|1");
    EXPECT_EQ(TitleState(B), "未借出|0|2");
    const SaleLineRemoval::Result removed = SaleLineRemoval::Run(gConn, sale, A + "0001");
    EXPECT_EQ(removed.copies, 1);
    EXPECT_EQ(removed.money, Yuan(100));
    EXPECT_EQ(TitleState(A), "未借出|0|0");  // no copy of A is sold any more
    EXPECT_EQ(SaleLineRemoval::Run(gConn, sale, B + "0001").money, Yuan(20));
    EXPECT_EQ(TitleState(B), "未借出|0|0");  // it held every copy of B
}

TEST_F(BasketOperationsTest, AMembersSaleCostsTheMembersPriceOrNothingWhenItIsNotSet) {
    Sql("update cdinfo set membersellprice=null where cdid='" + B + "'");
    Sell(C, {1});
    Sell(B, {1});
    EXPECT_EQ(SaleCheckOut::PricePerCopy(gConn, C, true), Yuan(27));
    EXPECT_EQ(SaleCheckOut::PricePerCopy(gConn, C, false), Yuan(30));
    EXPECT_EQ(SaleCheckOut::PricePerCopy(gConn, B, true), Money());
    Sql("update cdinfo set sellprice=null where cdid='" + C + "'");
    EXPECT_EQ(SaleCheckOut::PricePerCopy(gConn, C, true), Money());
    // Each line holds its money from its confirmation on.
    EXPECT_EQ(SaleRow(C + "0001"), C + "0001|000001|1|&1#| |27");
    EXPECT_EQ(SaleRow(B + "0001"), B + "0001|000001|1|&1#| |0");
}

TEST_F(BasketOperationsTest, ARentalSettlementWritesTheDepositShareThePledgeOrNone) {
    Rent(A, {1});
    Rent(B, {1, 2});
    Rent(C, {1});
    // Cash 100.00 for 4 copies in lines of 1, 2 and 1.
    EXPECT_EQ(RentalSettlement::Run(gConn, {"0001", RentalSettlement::Cash, Yuan(100), {}}).copies,
              4);
    EXPECT_EQ(
        Query1("select group_concat(printf('%g',foregift)||credencetype, ',') from borrowinfo "
               "order by borrowid"),
        "25现金,50现金,25现金");

    RentalSettlement::Run(gConn, {"0001", RentalSettlement::Pledge, Money(), "O'Brien's 身份证"});
    EXPECT_EQ(Query1("select group_concat(credencetype||'/'||Guaranty, ',') from borrowinfo"),
              "证件/O'Brien's 身份证,证件/O'Brien's 身份证,证件/O'Brien's 身份证");
    Sql("update borrowinfo set foregift=0, isnotpaylst=''");
    RentalSettlement::Run(gConn, {"0001", RentalSettlement::MemberWaived, Money(), {}});
    EXPECT_EQ(
        Query1("select group_concat(credencetype||printf('%g',foregift)||isnotpaylst, ',') from "
               "borrowinfo"),
        "现金0&1#,现金0&1#&2#,现金0&1#");
}

// A basket with no line left, or a deposit below zero, is refused in the operator's words
// (never as a database failure), and nothing is written.
TEST_F(BasketOperationsTest, ASettlementThatCannotBeMadeIsRefusedAndWritesNothing) {
    Rent(A, {1});
    Sell(B, {1});
    const QStringList before = DatabaseDump(DbPath());
    RentalSettlement::Result rent =
        RentalSettlement::Run(gConn, {"0099", RentalSettlement::Cash, Yuan(5), {}});
    EXPECT_EQ(rent.refusal, "这一单出租已经没有光盘了，不能结算。");
    EXPECT_EQ(rent.copies, 0);
    rent = RentalSettlement::Run(gConn, {"0001", RentalSettlement::Cash, Yuan(-0.01), {}});
    EXPECT_EQ(rent.refusal, "实收押金不能小于零，没有结算。");
    const SaleSettlement::Result sale =
        SaleSettlement::Run(gConn, {"0099", Yuan(5), true, "000001"});
    EXPECT_EQ(sale.refusal, "这一单出售已经没有光盘了，不能结算。");
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
}

TEST_F(BasketOperationsTest, ASaleSettlementSharesTheAmountAndChargesTheStoredMoneyAtOnce) {
    Sell(B, {1, 2});
    Sell(C, {1});
    // 90 received for lines of 20 and 27: shared as the lines' money.
    SaleSettlement::Run(gConn, {"0001", Yuan(90), false, "000001"});
    EXPECT_EQ(Query1("select group_concat(printf('%g',money), ',') from sellinfo order by sellid"),
              "38.29,51.71");
    EXPECT_EQ(Query1("select printf('%g',money) from userinfo where userid='000001'"), "50");

    EXPECT_EQ(SaleSettlement::Run(gConn, {"0001", Yuan(30), true, "000001"}).storedMoneyAfter,
              Yuan(20));
    EXPECT_EQ(Query1("select printf('%g',money) from userinfo where userid='000001'"), "20");
    SaleSettlement::Run(gConn, {"0001", Yuan(80), true, "000001"});  // 60 short: paid in cash
    EXPECT_EQ(Query1("select printf('%g',money) from userinfo where userid='000001'"), "0");
    SaleSettlement::Run(gConn, {"0001", Yuan(-20), true, "000001"});  // into the stored money
    EXPECT_EQ(Query1("select printf('%g',money) from userinfo where userid='000001'"), "20");

    // The member is charged only with the basket's money written.
    Sql("create trigger refuse before update of money on sellinfo "
        "begin select raise(abort, 'disk is full'); end");
    EXPECT_THROW(SaleSettlement::Run(gConn, {"0001", Yuan(15), true, "000001"}), DbError);
    EXPECT_EQ(Query1("select printf('%g',money) from userinfo where userid='000001'"), "20");
}

TEST_F(BasketOperationsTest, TheClosingRollbackLendsEachTitleAsItsOtherRentalsSay) {
    Data().Add(ShopData::Rental(B, "0003"));  // B's copy 1 out on a settled rental
    Data().Add(ShopData::Rental(C, "0004").Returned());
    Sql("update cdinfo set station='借出部分', outcount=1 where cdid='" + B + "'");
    UseRentalNumbers({"0001", "0002"});
    Rent(A, {2});
    Rent(B, {2});
    Rent(C, {1});
    BasketRollback::Run(gConn, BasketRollback::Rental, rental.No);
    EXPECT_EQ(TitleState(A), "未借出|0|0");  // some of its copies, none out elsewhere
    EXPECT_EQ(TitleState(B), "借出部分|1|0");
    EXPECT_EQ(TitleState(C), "未借出|0|0");  // its other rental came back whole
    EXPECT_EQ(Count("select count(*) from borrowinfo where substr(borrowid,-4)='0005'"), 0);
}
