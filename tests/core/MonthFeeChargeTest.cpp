#include "core/MonthFeeCharge.h"
#include "tests/core/MonthFeeFixture.h"

namespace {
class MonthFeeChargeTest : public MonthFeeFixture {
  protected:
    QString Member(const QString& id) {
        return Query1("select money||'/'||tax||'/'||ispay from userinfo where userid='" + id + "'");
    }
    MonthFeeCharge charge{gConn};
};
}  // namespace

TEST_F(MonthFeeChargeTest, TheFirstFifteenDaysChargeAndTheRestRearm) {
    EXPECT_TRUE(MonthFeeCharge::IsChargeDay(QDate(2026, 12, 1)));
    EXPECT_TRUE(MonthFeeCharge::IsChargeDay(QDate(2026, 12, 15)));
    EXPECT_FALSE(MonthFeeCharge::IsChargeDay(QDate(2026, 12, 16)));
    EXPECT_FALSE(MonthFeeCharge::IsChargeDay(QDate(2026, 2, 28)));
}

TEST_F(MonthFeeChargeTest, ChargesEachUnpaidMemberOnceWithNullsAsZero) {
    EXPECT_TRUE(charge.AnyMemberUnpaid());
    EXPECT_EQ(charge.Charge(charge.StoredFee()), 2);
    EXPECT_EQ(Member("000001"), "40.0/30.0/1");
    EXPECT_EQ(Member("000002"), "-10.0/10.0/1");
    EXPECT_EQ(Member("000003"), "5.0/0.0/1");
    EXPECT_FALSE(charge.AnyMemberUnpaid());
    EXPECT_EQ(charge.Charge(Money::FromFen(1000)), 0) << "nobody is charged twice";
    EXPECT_EQ(Member("000001"), "40.0/30.0/1");
}

TEST_F(MonthFeeChargeTest, RearmMarksEveryMemberUnpaidAndChargesNothing) {
    EXPECT_EQ(charge.Rearm(), 1) << "only the member paid this month is written";
    EXPECT_EQ(Query1("select sum(ispay) from userinfo"), "0");
    EXPECT_EQ(Member("000001"), "50.0/20.0/0");
    EXPECT_EQ(Member("000003"), "5.0/0.0/0");
    EXPECT_EQ(charge.Rearm(), 0) << "members already unpaid are not written again";
}

TEST_F(MonthFeeChargeTest, WithoutASettingsRowTheFeeIsZero) {
    Sql("delete from pricepercent");
    EXPECT_EQ(charge.StoredFee(), Money());
    charge.Charge(charge.StoredFee());
    EXPECT_EQ(Query1("select sum(ispay) from userinfo"), "3");
    EXPECT_EQ(Member("000001"), "50.0/20.0/1");
}

TEST_F(MonthFeeChargeTest, AFailingChargeLeavesNoNullsReplaced) {
    // A trigger stands for any failure of the last statement: the first two must not stay.
    Sql("create trigger fail_charge before update of ispay on userinfo "
        "begin select raise(abort, 'charge failed'); end");
    EXPECT_THROW(charge.Charge(Money::FromFen(1000)), DbError);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
    EXPECT_EQ(Query1("select quote(money) from userinfo where userid='000002'"), "NULL");
    EXPECT_EQ(Member("000001"), "50.0/20.0/0");
}
