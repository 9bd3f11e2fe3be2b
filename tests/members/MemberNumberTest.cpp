// The next member number on real files: above every six-digit number a member or a line's
// customer carries, whatever other names the lines hold.
#include "members/MemberNumber.h"
#include "tests/core/CoreTest.h"

namespace {
const QString kTitle = "010100000001";

class MemberNumberTest : public CoreTest {
  protected:
    void Rented(const QStringList& names) {
        for (const QString& name : names) Data().Add(ShopData::Rental(kTitle, PadNo()).By(name));
    }
    void Sold(const QStringList& names) {
        for (const QString& name : names) Data().Add(ShopData::Sale(kTitle, PadNo()).By(name));
    }
    QString PadNo() { return QString("%1").arg(++no_, 4, 10, QChar('0')); }
    QString Next() { return MemberNumber::Next(gConn).value_or("none"); }
    int no_ = 0;
};
}  // namespace

TEST_F(MemberNumberTest, TheNextNumberIsAboveEverySixDigitNumberEverUsed) {
    EXPECT_EQ(Next(), "000001");
    Sql("insert into userinfo (userid, username) values ('ABC', '甲'), ('1000000', '乙'), "
        "('00012', '丙')");
    EXPECT_EQ(Next(), "000001") << "only six digits count";

    // Walk-in names of every shape around the members' numbers.
    Rented({"20261208001", "13800138000", "000777", "0012ab", "99999A", "O'Brien", "1234567",
            "2026-12-08"});
    Sold({"000900", "20251130002", "  000950", "000９99"});
    EXPECT_EQ(Next(), "000901");

    Sql("insert into userinfo (userid, username) values ('000905', '丁')");
    EXPECT_EQ(Next(), "000906");
    Rented({"138001"});  // the beginning of a longer name, used by itself too
    EXPECT_EQ(Next(), "138002");
    Sold({"202612"});
    EXPECT_EQ(Next(), "202613");
}

// 999999 taken by a walk-in's sale or a member typed by hand: the lowest number no member
// holds and no line carries comes next; nothing only once every six-digit number is used.
TEST_F(MemberNumberTest, Once999999IsUsedTheLowestUnusedNumberIsGiven) {
    Sql("insert into userinfo (userid, username) values ('000001', '甲'), ('000003', '乙')");
    Sold({"999999"});
    EXPECT_EQ(Next(), "000002");
    Rented({"000002", "0000045", "00004", "000004 "});  // only six digits are a number
    Sold({"000005"});
    EXPECT_EQ(Next(), "000004");
    Sql("insert into userinfo (userid, username) values ('000004', '丙'), ('999999', '丁')");
    EXPECT_EQ(Next(), "000006");

    Sql("delete from userinfo; delete from sellinfo; delete from borrowinfo;"
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 999999) "
        "insert into userinfo (userid) select printf('%06d', i) from n where i <> 654321");
    EXPECT_EQ(Next(), "654321");
    Rented({"654321"});
    EXPECT_EQ(MemberNumber::Next(gConn), std::nullopt);
}

TEST_F(MemberNumberTest, AWellFormedNumberIsSixAsciiDigits) {
    for (const char* n : {"000001", "999999", "123456"})
        EXPECT_TRUE(MemberNumber::IsWellFormed(QString::fromUtf8(n))) << n;
    for (const char* n : {"", "12345", "1234567", "ABC123", "００００１２", " 12345", "12345 "})
        EXPECT_FALSE(MemberNumber::IsWellFormed(QString::fromUtf8(n))) << n;
}
