// The rent received in the return dialog is read as every money box reads: "1200%" is no
// amount, "１２" is 12.
#include "platform/text/TypedAmount.h"
#include "tests/returns/ReturnsTest.h"

namespace {
const QString kHero = "030100000001";

class RentReceivedTest : public ReturnsTest {};
}  // namespace

TEST_F(RentReceivedTest, TheRentReceivedIsAnAmountOrRefused) {
    AddTitle(kHero, "英雄", 2, 1);
    AddLine(Line(kHero, "0001", "李四", "2026-12-05 10:00:00", "&1#"));  // 3 days x 2 = 6
    frmControlBack& d = OpenDialog("李四");
    ASSERT_EQ(d.MskPlanBackSum->Text(), "￥6.00");
    const QStringList before = Dump();
    for (const QString typed : {"1200%", "6O", "６Ｏ", "abc"}) {
        ForgetPrompts();
        Clear(d.MskPlanBackSum);
        Type(d.MskPlanBackSum, typed);
        QTest::mouseClick(d.Command3, Qt::LeftButton);
        Settle();
        ASSERT_EQ(Prompts().size(), 1u) << typed.toStdString();
        EXPECT_EQ(Prompts()[0], AmountRefusal("用户实收租金", typed));
        EXPECT_EQ(PaymentsShown(), 0);
        EXPECT_EQ(d.MskPlanBackSum->Text(), typed);
        EXPECT_EQ(Dump(), before);
    }
    Clear(d.MskPlanBackSum);
    Type(d.MskPlanBackSum, "１２");
    SettleAndPay(d);
    EXPECT_EQ(PaymentsShown(), 1);
    EXPECT_EQ(Query1("select printf('%g', [money]) from borrowinfo"), "12");
}
