#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/ui/FieldBinding.h"
#include "platform/ui/Label.h"
#include "tests/platform/ui/MemberFixture.h"

namespace {

class FieldBindingTest : public MemberFixture {
  protected:
    QLineEdit TxtUserName;
    QLineEdit TxtMoney;
    QCheckBox CheckPaid;
    Label LblMoney;
    QPlainTextEdit TxtAddress;
};

TEST_F(FieldBindingTest, ControlsShowTheCurrentRowAndFollowMoves) {
    SetDataField(&TxtUserName, "UserName");  // field names ignore case
    SetDataField(&LblMoney, "money", "￥#,##0.00");
    SetDataField(&CheckPaid, "ispay");
    int labelChanges = 0;
    QObject::connect(&LblMoney, &Label::Change, [&] { ++labelChanges; });
    SetDataSource({&TxtUserName, &LblMoney, &CheckPaid}, rs.get());
    EXPECT_EQ(TxtUserName.text(), "张三");
    EXPECT_EQ(LblMoney.Caption(), "￥12.50");
    EXPECT_FALSE(CheckPaid.isChecked());

    rs->MoveNext();
    EXPECT_EQ(TxtUserName.text(), "李四");
    EXPECT_EQ(LblMoney.Caption(), "￥0.00");
    EXPECT_TRUE(CheckPaid.isChecked());
    EXPECT_EQ(labelChanges, 2);

    // A field set by code shows at once (the account buttons change money this way).
    rs->Fields("money") = Value(50.0);
    EXPECT_EQ(LblMoney.Caption(), "￥50.00");

    rs->MoveLast();
    rs->MoveNext();
    EXPECT_EQ(TxtUserName.text(), "") << "no current row empties the controls";
    TxtUserName.setText("nobody");  // writes nothing, raises nothing
}

TEST_F(FieldBindingTest, EditsAreWrittenIntoTheFieldAndReachTheFileOnTheNextMove) {
    SetDataField(&TxtUserName, "username");
    SetDataField(&CheckPaid, "ispay");
    SetDataField(&TxtAddress, "address");
    SetDataSource({&TxtUserName, &CheckPaid, &TxtAddress}, rs.get());

    TxtUserName.setText("张三丰");
    CheckPaid.setChecked(true);
    TxtAddress.setPlainText("北京路 1 号");
    EXPECT_EQ((*rs)["username"].ToString(), "张三丰");
    EXPECT_TRUE((*rs)["ispay"].IsInteger());
    EXPECT_EQ((*rs)["ispay"].ToInt(), 1);
    EXPECT_EQ(NameInFile("000001"), "张三");

    rs->MoveNext();
    EXPECT_EQ(NameInFile("000001"), "张三丰");
    EXPECT_EQ(Query1("select ispay from userinfo where userid='000001'"), "1");
    EXPECT_EQ(Query1("select address from userinfo where userid='000001'"), "北京路 1 号");

    CheckPaid.setChecked(false);
    EXPECT_EQ((*rs)["ispay"].ToInt(), 0);
}

TEST_F(FieldBindingTest, TypingANumberFieldWritesOnlyNumbersAndKeepsTheCaret) {
    SetDataField(&TxtMoney, "money");
    SetDataSource(&TxtMoney, rs.get());
    EXPECT_EQ(TxtMoney.text(), "12.5");
    TxtMoney.setText("abc");
    EXPECT_DOUBLE_EQ((*rs)["money"].ToDouble(), 12.5) << "letters never reach a number field";
    TxtMoney.setText("15.");
    EXPECT_DOUBLE_EQ((*rs)["money"].ToDouble(), 15.0);
    EXPECT_EQ(TxtMoney.text(), "15.") << "the box keeps what is being typed";
    TxtMoney.setText("");
    EXPECT_TRUE((*rs)["money"].IsNull());
}

TEST_F(FieldBindingTest, RebindingFollowsTheNewRecordset) {
    SetDataField(&TxtUserName, "username");
    SetDataSource(&TxtUserName, rs.get());
    Recordset another;
    another.Open("select * from userinfo where userid='000003'", conn);
    SetDataSource(&TxtUserName, &another);
    EXPECT_EQ(TxtUserName.text(), "王五");
    rs->MoveNext();
    EXPECT_EQ(TxtUserName.text(), "王五") << "the old recordset no longer drives the box";
    SetDataSource(&TxtUserName, nullptr);
    EXPECT_EQ(TxtUserName.text(), "");
}

}  // namespace
