// Which basket is open is the file's: the stored rows, what they keep, the conditions that
// leave their lines out, and the table brought into an older file.
#include <sqlite3.h>

#include "core/Basket.h"
#include "core/OpenBasketRow.h"
#include "core/OpenBaskets.h"
#include "core/ShopFileAdditions.h"
#include "tests/core/CoreTest.h"

namespace {
class OpenBasketsTest : public CoreTest {
  protected:
    // Rental lines 0001 to 0003 and sale lines 0001 and 0002 of one title, and a rental of
    // another title in basket 0002.
    void AddLines() {
        for (const char* no : {"0001", "0002", "0003"})
            Data().Add(ShopData::Rental("030100000001", no));
        Data().Add(ShopData::Rental("030100000002", "0002"));
        for (const char* no : {"0001", "0002"}) Data().Add(ShopData::Sale("030100000001", no));
    }
    // The lines each condition lets through, by number.
    QString RentalsSeen() {
        return gConn
            .Scalar(
                "select group_concat(substr(borrowid, -4)) from (select borrowid from "
                "borrowinfo as b where " +
                OpenBaskets::NotInRentalBasket("b") + " order by borrowid)")
            .ToString();
    }
    QString SalesSeen() {
        return gConn
            .Scalar(
                "select group_concat(substr(sellid, -4)) from (select sellid from sellinfo "
                "as s where " +
                OpenBaskets::NotInSaleBasket("s") + " order by sellid)")
            .ToString();
    }
    static OpenBasketRow RentalRow(const QString& no, int rule, double walkIn, double member) {
        return {OpenBasketRow::Rental, no,          "000001", kMemberUser, true, rule,
                Yuan(walkIn),          Yuan(member)};
    }
    static const char* Columns() {
        return "select group_concat(name || ' ' || type || ' ' || \"notnull\" || ' ' || "
               "coalesce(dflt_value, '-') || ' ' || pk, ', ') from pragma_table_info('openbasket')";
    }
};
}  // namespace

TEST_F(OpenBasketsTest, TheConditionsLeaveOutTheLinesOfEveryBasketStoredAsOpen) {
    AddLines();
    EXPECT_EQ(RentalsSeen(), "0001,0002,0003,0002") << "none open: every line";
    EXPECT_EQ(SalesSeen(), "0001,0002");
    Transaction t(gConn);
    RentalRow("0002", 1, 20, 10).Open(gConn);
    EXPECT_EQ(RentalsSeen(), "0001,0003") << "both titles' lines of basket 0002";
    EXPECT_EQ(SalesSeen(), "0001,0002") << "a sale basket of that number is not open";
    OpenBasketRow{OpenBasketRow::Sale, "0001", "x", kWalkInUser, false, -1, Money(), Money()}.Open(
        gConn);
    RentalRow("0003", 1, 20, 10).Open(gConn);  // one a crash left, beside the counter's
    EXPECT_EQ(RentalsSeen(), "0001");
    EXPECT_EQ(SalesSeen(), "0002");
    EXPECT_TRUE(OpenBasketRow::HoldsLine(gConn, OpenBasketRow::Rental, "0301000000020002"));
    EXPECT_FALSE(OpenBasketRow::HoldsLine(gConn, OpenBasketRow::Sale, "0301000000010002"));
    EXPECT_EQ(OpenBasketRow::Numbers(gConn, OpenBasketRow::Rental), (QStringList{"0002", "0003"}));
    OpenBasketRow::Close(gConn, OpenBasketRow::Rental, "0002");
    EXPECT_EQ(RentalsSeen(), "0001,0002,0002");
    t.Commit();
    EXPECT_EQ(Query1("select group_concat(kind || basketno) from openbasket"),
              "borrow0003,sell0001")
        << "another program reads what the transaction wrote";
}

// A basket keeps the terms it was opened with; a row put back for a basket open in memory
// changes none that is there, and a new basket replaces a row left with its number.
TEST_F(OpenBasketsTest, ARowKeepsTheTermsItWasOpenedWith) {
    RentalRow("0004", 2, 50, 30).Open(gConn);
    Basket basket;
    RentalRow("0004", 1, 20, 10).Store(gConn, false, basket);
    EXPECT_EQ(basket.No, "0004");
    EXPECT_EQ(basket.DepositRule, 2);
    EXPECT_EQ(basket.FixedDeposit, Yuan(30)) << "the member's fixed sum";
    EXPECT_TRUE(basket.Member);
    const std::optional<OpenBasketRow> kept =
        OpenBasketRow::Of(gConn, OpenBasketRow::Rental, "0004");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->walkInDeposit, Yuan(50));
    EXPECT_EQ(kept->memberDeposit, Yuan(30));

    OpenBasketRow::Close(gConn, OpenBasketRow::Rental, "0004");
    RentalRow("0004", 1, 20, 10).Store(gConn, false, basket);
    EXPECT_EQ(basket.DepositRule, 1) << "a missing row is put back";
    EXPECT_EQ(basket.FixedDeposit, Money());
    RentalRow("0004", 2, 45.56, 45.56).Store(gConn, true, basket);
    EXPECT_EQ(basket.FixedDeposit, Yuan(45.56));
    EXPECT_EQ(Count("select count(*) from openbasket"), 1);
    OpenBasketRow{OpenBasketRow::Sale, "0004", "张三", kMemberUser, true, 2, Yuan(9), Yuan(9)}.Open(
        gConn);
    EXPECT_EQ(Query1("select coalesce(foregifttype, 'none') from openbasket where kind = 'sell'"),
              "none")
        << "a sale basket has no deposit terms";
}

// A file made before the table gets it as the schema has it; a file another program holds
// gets it on the connection only, until the first row goes in, which takes it into the file.
TEST_F(OpenBasketsTest, AnOlderFileIsBroughtUpOrGetsTheTableOnTheConnection) {
    const QString schema = gConn.Scalar(Columns()).ToString();
    gConn.Execute("drop table openbasket");
    EXPECT_TRUE(ShopFileAdditions::BringUp(gConn));
    EXPECT_EQ(gConn.Scalar(Columns()).ToString(), schema);
    EXPECT_TRUE(ShopFileAdditions::BringUp(gConn)) << "a file brought up is left alone";

    gConn.Execute("drop table openbasket");
    EXPECT_FALSE(BringUpWhileAnotherProgramHoldsTheFile());
    EXPECT_EQ(RentalsSeen(), "") << "the conditions run on the connection's table";
    EXPECT_EQ(Count("select count(*) from sqlite_master where name = 'openbasket'"), 0);
    Transaction t(gConn);
    RentalRow("0001", 1, 20, 10).Open(gConn);
    t.Commit();
    EXPECT_EQ(Query1("select basketno from openbasket"), "0001") << "in the file";
    EXPECT_EQ(gConn.Scalar("select count(*) from temp.sqlite_master").ToInt(), 0);
}
