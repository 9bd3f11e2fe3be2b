#include <gtest/gtest.h>

#include "catalogue/DepositAmountWrite.h"
#include "catalogue/DepositRuleWrite.h"
#include "catalogue/MemberPriceFactorWrite.h"
#include "catalogue/MembershipFeeWrite.h"
#include "platform/db/DbError.h"
#include "tests/core/CoreTest.h"

namespace {
const char* const kMemberPrices =
    "select group_concat(memberborrowprice || ':' || membersellprice, '/') from cdinfo";
const char* const kSettings = "select percentb || '/' || percents || '/' || tax from pricepercent";
const char* const kRule = "select foregifttype || '/' || money || '/' || membermoney from ForeGift";
}  // namespace

// The settings page's writes, driven as operations on a shop database.
class SettingsWritesTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        Sql("update pricepercent set percentb = 0.8, percents = 0.9, tax = 20;"
            "update ForeGift set foregifttype = 1, money = 5, membermoney = 3;"
            "insert into cdinfo (cdid, id, name, borrowprice, sellprice, memberborrowprice, "
            "membersellprice) values ('010100000001', '010100000001', '英雄', 3, 30, 3, 30),"
            "('010100000002', '010100000002', '十面埋伏', 5, 10, 5, 10)");
    }
    // Every later write to the table fails, as a read-only or full database would.
    void RefuseWritesTo(const QString& table) {
        Sql(QString("create trigger refuse_%1 before update on %1 "
                    "begin select raise(abort, '只读'); end")
                .arg(table));
    }
};

TEST_F(SettingsWritesTest, AMemberPriceFactorRewritesTheSettingAndEveryTitlesMemberPrice) {
    MemberPriceFactorWrite::Run(MemberPriceFactorWrite::Rent, 0.5);
    EXPECT_EQ(Query1(kSettings), "0.5/0.9/20.0");
    EXPECT_EQ(Query1(kMemberPrices), "1.5:30.0/2.5:10.0") << "only the rents follow";

    MemberPriceFactorWrite::Run(MemberPriceFactorWrite::Sale, 0.75);
    EXPECT_EQ(Query1(kSettings), "0.5/0.75/20.0");
    EXPECT_EQ(Query1(kMemberPrices), "1.5:22.5/2.5:7.5");
}

// A member price is written as a clerk writes it: 1.70 at 85% is 1.45 (the binary product
// is 1.4449999999999998), a price stored that way before is mended, and a title without a
// price keeps none.
TEST_F(SettingsWritesTest, EveryMemberPriceIsStoredToTheCent) {
    Sql("insert into cdinfo (cdid, id, name, borrowprice, sellprice, memberborrowprice, "
        "membersellprice) values ('010100000003', '010100000003', '卧虎藏龙', 1.7, 1.7, "
        "1.7 * 0.85, null), ('010100000004', '010100000004', '无价', null, null, 2, 2)");
    MemberPriceFactorWrite::Run(MemberPriceFactorWrite::Sale, 0.85);
    MemberPriceFactorWrite::Run(MemberPriceFactorWrite::Rent, 0.85);
    const char* const kPrices =
        "select quote(memberborrowprice) || '/' || quote(membersellprice) "
        "from cdinfo where cdid = '%1'";
    EXPECT_EQ(Query1(QString(kPrices).arg("010100000003")), "1.45/1.45");
    EXPECT_EQ(Query1(QString(kPrices).arg("010100000004")), "NULL/NULL");
    EXPECT_EQ(Query1(kMemberPrices), "2.55:25.5/4.25:8.5/1.45:1.45");
}

TEST_F(SettingsWritesTest, AFactorTheDatabaseRefusesLeavesTheTitlesAsTheyWere) {
    RefuseWritesTo("pricepercent");
    EXPECT_THROW(MemberPriceFactorWrite::Run(MemberPriceFactorWrite::Rent, 0.5), DbError);
    EXPECT_EQ(Query1(kMemberPrices), "3.0:30.0/5.0:10.0") << "the titles' prices are rolled back";
    EXPECT_EQ(Query1(kSettings), "0.8/0.9/20.0");
    EXPECT_EQ(gConn.TransactionDepth(), 0);
}

TEST_F(SettingsWritesTest, TheFeeChangesTheFeeOnly) {
    MembershipFeeWrite::Run(Yuan(12.35));
    EXPECT_EQ(Query1(kSettings), "0.8/0.9/12.35");
    EXPECT_EQ(Query1(kMemberPrices), "3.0:30.0/5.0:10.0");
    RefuseWritesTo("pricepercent");
    EXPECT_THROW(MembershipFeeWrite::Run(Yuan(1)), DbError);
    EXPECT_EQ(Query1(kSettings), "0.8/0.9/12.35");
}

TEST_F(SettingsWritesTest, EachDepositAmountIsWrittenWithTheRuleBesideIt) {
    DepositAmountWrite::Run(DepositAmountWrite::WalkIn, 2, Yuan(10));
    EXPECT_EQ(Query1(kRule), "2/10.0/3.0");
    DepositAmountWrite::Run(DepositAmountWrite::Member, 0, Yuan(4.5));
    EXPECT_EQ(Query1(kRule), "0/10.0/4.5");
}

TEST_F(SettingsWritesTest, TheRuleIsWrittenWithBothAmountsOrNotAtAll) {
    DepositRuleWrite::Run(2, Yuan(8), Yuan(6));
    EXPECT_EQ(Query1(kRule), "2/8.0/6.0");
    RefuseWritesTo("ForeGift");
    EXPECT_THROW(DepositRuleWrite::Run(0, Yuan(1), Yuan(1)), DbError);
    EXPECT_THROW(DepositAmountWrite::Run(DepositAmountWrite::WalkIn, 1, Yuan(1)), DbError);
    EXPECT_EQ(Query1(kRule), "2/8.0/6.0");
    EXPECT_EQ(gConn.TransactionDepth(), 0);
}
