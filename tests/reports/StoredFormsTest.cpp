// Rows another program wrote into the shop file, read through the report windows as the
// operator opens them (a click on the statistics page's link) and picks their periods (the
// arrow keys in the period box): dates in other forms, keys of other lengths, customer keys
// in other cases or missing, times that sort otherwise as texts, money missing.
#include <QComboBox>

#include "platform/db/Recordset.h"
#include "platform/ui/Label.h"
#include "reports/OddDates.h"

#include "tests/reports/ListingFixture.h"

class StoredFormsTest : public ListingTest {
  protected:
    // The window of the link, opened by a click on it.
    template <class W>
    W& Click(int link) {
        if (!gConn.IsOpen()) OpenShop();
        host_->show();
        QTest::mouseClick(page_->LblReport[link], Qt::LeftButton);
        Settle();
        return W::instance();
    }
    // The operator picks the period with the keys: from the first entry down; the period
    // shown is picked again by a step away and back.
    static void Pick(ReportWindow& w, int period) {
        QComboBox* box = w.Combo1;
        if (box->currentIndex() == period)
            QTest::keyClick(box, period == 0 ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < period; ++i) QTest::keyClick(box, Qt::Key_Down);
        ASSERT_EQ(box->currentIndex(), period);
    }
    template <class W>
    static Rows Shown(const W& w) {
        return Body(w, static_cast<int>(w.Pages().columns));
    }
    // The purchase window opened, brought in front (this week), then this year picked.
    Rows PurchasesOfThisYear() {
        frmBuyReport& purchases = Click<frmBuyReport>(2);
        purchases.Form_Activate();
        Pick(purchases, 2);
        return Shown(purchases);
    }
};

// A rental, a return, a purchase, a sale and a join written by another program on
// Wednesday 9 December 2026, each date in another form: each counts on that day in every
// view, and a year is the sum of its months and its days.
TEST_F(StoredFormsTest, ADateInAnotherFormCountsOnItsDayInEveryView) {
    OpenShop();
    Sql("insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money, foregift, "
        "CredenceType) values ('0301000000010001', '000001', '2026-12-9 9:05:00', 1, 6, 10, "
        "'现金');"
        "insert into returninfo (returnid, returndate, returncount) "
        "values ('03010000000100010001', ' 2026-12-09 09:30:00', 1);"
        "insert into cdinfo (cdid, name, count, price, buydate) "
        "values ('030100000005', '新片', 1, 12, '2026-12-9');"
        "insert into sellinfo (sellid, name, selldate, money) "
        "values ('0501000000040001', 'W1', '2026-12-09T10:00:00', 25);"
        "insert into userinfo (userid, username, money, JoinDate) "
        "values ('000003', '王五', 40, ' 2026-12-09');");

    frmReport& income = Click<frmReport>(1);
    const QStringList year = Shown(income).front();
    Pick(income, 1);
    const Rows months = Shown(income);
    Pick(income, 2);
    const Rows days = Shown(income);
    // 9 December: rent 6 back on return, sales 25, bought 12; the join's stored money.
    EXPECT_EQ(days.front(), R({"9日", "￥19.00", "1张", "￥6.00", "￥10.00", "1张", "￥6.00", "1张",
                               "￥12.00", "1", "￥25.00", "￥40.00", "￥59.00"}));
    // 大话西游, bought on the 7th.
    EXPECT_EQ(days[1][0], "7日");
    EXPECT_EQ(days.size(), 3u);
    EXPECT_EQ(months.front().mid(1), days.back().mid(1)) << "December is the sum of its days";
    EXPECT_EQ(year.mid(1), months.back().mid(1)) << "2026 is the sum of its months";

    // This week, Monday 7 to Sunday 13: the purchase dated "2026-12-9" after the 7th's.
    frmBuyReport& purchases = Click<frmBuyReport>(2);
    purchases.Form_Activate();
    EXPECT_EQ(Shown(purchases), (Rows{R({"大话西游", "2026年12月7日", "￥20.00", "￥0.00", ""}),
                                      R({"新片", "2026年12月9日", "￥12.00", "￥0.00", ""}),
                                      R({"合计", "", "￥32.00", "￥0.00", ""})}));

    frmEarnReport& returns = Click<frmEarnReport>(kEarnLink);
    EXPECT_EQ(Shown(returns),
              (Rows{R({"英雄", "会员", "张三", "￥6.00", "9:30", "2026-12-09 09:05:00"}),
                    R({"合计", "", "", "￥6.00", "", ""})}));
    frmBorrowReport& rentals = Click<frmBorrowReport>(kBorrowLink);
    EXPECT_EQ(Shown(rentals), (Rows{R({"英雄", "会员", "张三", "￥6.00", "￥10.00", "9:5"}),
                                    R({"合计", "", "", "￥6.00", "￥10.00", ""})}));

    // The sales of today, and again once another program has written a sale of this
    // morning underneath the open window.
    frmSellEarnInfo& sales = Click<frmSellEarnInfo>(kSellEarnLink);
    const QStringList walkIn = R({"大话西游", "非会员", "W1", "￥25.00", "2026-12-09 10:00:00"});
    EXPECT_EQ(Shown(sales), (Rows{walkIn, R({"合计", "", "", "￥25.00", ""})}));
    Sql("insert into sellinfo (sellid, name, selldate, money) "
        "values ('0301000000020001', '000002', '2026-12-9 8:00', 30)");
    Pick(sales, 0);
    EXPECT_EQ(Shown(sales), (Rows{R({"无间道", "会员", "李四", "￥30.00", "2026-12-09 08:00:00"}),
                                  walkIn, R({"合计", "", "", "￥55.00", ""})}));
}

// A title's rentals are the lines whose first 12 characters are its whole key, and a rental
// is back when the first 16 characters of a return line are its whole id: 长键's key
// (13 characters) begins with 英雄's, and the 17-character line begins with a returned id.
TEST_F(StoredFormsTest, KeysOfOtherLengthsMeetOnlyTheirEquals) {
    OpenShop();
    Sql("insert into cdinfo (cdid, name, count, price, buydate) "
        "values ('0301000000017', '长键', 1, 5, '2026-12-08');"
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money) "
        "values ('0301000000010001', '000001', '2026-12-08 10:00:00', 1, 4),"
        "       ('03010000000100017', '000002', '2026-12-08 11:00:00', 1, 3),"
        "       ('03010000000170001', '000002', '2026-12-08 12:00:00', 1, 2);"
        "insert into returninfo (returnid, returndate, returncount) "
        "values ('03010000000100010001', '2026-12-08 13:00:00', 1),"
        "       ('030100000001700010001', '2026-12-08 14:00:00', 1);");

    EXPECT_EQ(PurchasesOfThisYear(),
              (Rows{R({"英雄", "2026年1月5日", "￥60.00", "￥9.00", ""}),
                    R({"大话西游", "2026年12月7日", "￥20.00", "￥0.00", ""}),
                    R({"长键", "2026年12月8日", "￥5.00", "￥0.00", ""}),
                    R({"合计", "", "￥85.00", "￥9.00", ""})}));

    EXPECT_EQ(Shown(Click<frmHotCDInfo>(kHotLink)),
              (Rows{R({"1", "英雄", "2026-01-05", "3次", "￥9.00", "￥60.00"})}));

    // 2026: three rental lines of 英雄; rent 4 back with its return line; the two lines
    // still out with rent paid, 3 + 2; bought 3 + 2 + 1 copies for 60 + 20 + 5.
    const QStringList year = Shown(Click<frmReport>(1)).front();
    EXPECT_EQ(year.mid(0, 9), R({"2026年", "-￥76.00", "3张", "￥9.00", "￥0.00", "2张", "￥4.00",
                                 "6张", "￥85.00"}));
}

// A walk-in key "abc001" beside the member number "ABC001" is that member, in every report;
// a rental without a key and one with the empty key are one walk-in customer.
TEST_F(StoredFormsTest, ACustomerKeyReadsOneWay) {
    OpenShop();
    Sql("insert into userinfo (userid, username, money) values ('ABC001', '大写', 30);"
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money, foregift, "
        "CredenceType) "
        "values ('0301000000010001', 'abc001', '2026-12-08 10:00:00', 1, 5, 0, '现金'),"
        "       ('0301000000020001', 'ABC001', '2026-12-08 11:00:00', 1, 7, 0, '现金'),"
        "       ('0301000000030001', null, '2026-12-08 12:00:00', 1, 1, 0, '现金'),"
        "       ('0301000000010002', '', '2026-12-08 13:00:00', 1, 2, 0, '现金');"
        "insert into returninfo (returnid, returndate, returncount) "
        "values ('03010000000100010001', '2026-12-09 09:00:00', 1),"
        "       ('03010000000200010001', '2026-12-09 09:10:00', 1);");

    EXPECT_EQ(Shown(Click<frmUserReport>(0)),
              (Rows{R({"1", "会员", "ABC001", "大写", "2次", "￥12.00", "", "￥30.00",
                       "2026-12-08 11:00:00"}),
                    R({"2", "会员", "000001", "张三", "0次", "￥0.00", "", "￥0.00", "未借过"}),
                    R({"3", "会员", "000002", "李四", "0次", "￥0.00", "", "￥0.00", "未借过"}),
                    R({"4", "零租用户", "", "", "2次", "￥3.00", "", "", "2026-12-08 13:00:00"}),
                    R({"", "合计", "", "", "4次", "￥15.00", "￥0.00", "￥30.00", ""})}));

    EXPECT_EQ(Shown(Click<frmEarnReport>(kEarnLink)),
              (Rows{R({"无间道", "会员", "大写", "￥7.00", "9:10", "2026-12-08 11:00:00"}),
                    R({"英雄", "会员", "大写", "￥5.00", "9:0", "2026-12-08 10:00:00"}),
                    R({"合计", "", "", "￥12.00", "", ""})}));
    frmBorrowReport& rentals = Click<frmBorrowReport>(kBorrowLink);
    Pick(rentals, 1);
    EXPECT_EQ(Shown(rentals), (Rows{R({"英雄", "零租用户", "", "￥2.00", "￥0.00", "13:0"}),
                                    R({"花样年华", "零租用户", "", "￥1.00", "￥0.00", "12:0"}),
                                    R({"无间道", "会员", "大写", "￥7.00", "￥0.00", "11:0"}),
                                    R({"英雄", "会员", "大写", "￥5.00", "￥0.00", "10:0"}),
                                    R({"合计", "", "", "￥15.00", "￥0.00", ""})}));
}

// Times are ordered and shown by their value: a "T" between date and time sorts after a
// blank as a text, not as a time.
TEST_F(StoredFormsTest, TimesAreOrderedAndShownByTheirValue) {
    OpenShop();
    Sql("insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money, foregift, "
        "CredenceType) "
        "values ('0301000000010001', 'W1', '2026-12-08T08:00:00', 1, 1, 0, '现金'),"
        "       ('0301000000020001', 'W1', '2026-12-08 10:15:00', 1, 2, 0, '现金'),"
        "       ('0301000000030001', 'W2', '2026-12-07T20:00:00', 1, 4, 0, '现金');"
        "insert into sellinfo (sellid, name, selldate, money) "
        "values ('0301000000010002', 'W1', '2026-12-08 10:15:00', 3),"
        "       ('0301000000020002', 'W1', '2026-12-08T08:00:00', 5);");

    const Rows customers = Shown(Click<frmUserReport>(0));
    ASSERT_EQ(customers.size(), 5u);
    EXPECT_EQ(customers[2],
              R({"3", "零租用户", "", "W2", "1次", "￥4.00", "", "", "2026-12-07 20:00:00"}));
    EXPECT_EQ(customers[3],
              R({"4", "零租用户", "", "W1", "2次", "￥3.00", "", "", "2026-12-08 10:15:00"}));

    frmBorrowReport& rentals = Click<frmBorrowReport>(kBorrowLink);
    Pick(rentals, 3);
    EXPECT_EQ(Shown(rentals),
              (Rows{R({"无间道", "零租用户", "W1", "￥2.00", "￥0.00", "2026-12-08 10:15:00"}),
                    R({"英雄", "零租用户", "W1", "￥1.00", "￥0.00", "2026-12-08 08:00:00"}),
                    R({"花样年华", "零租用户", "W2", "￥4.00", "￥0.00", "2026-12-07 20:00:00"}),
                    R({"合计", "", "", "￥7.00", "￥0.00", ""})}));
    frmSellEarnInfo& sales = Click<frmSellEarnInfo>(kSellEarnLink);
    Pick(sales, 1);
    EXPECT_EQ(Shown(sales), (Rows{R({"无间道", "非会员", "W1", "￥5.00", "2026-12-08 08:00:00"}),
                                  R({"英雄", "非会员", "W1", "￥3.00", "2026-12-08 10:15:00"}),
                                  R({"合计", "", "", "￥8.00", ""})}));
}

// No rent recorded counts 0 wherever rent is ranked: between a rent received and a
// negative one.
TEST_F(StoredFormsTest, NoRentRecordedRanksAsZero) {
    OpenShop();
    Sql("insert into cdinfo (cdid, name, count, price, buydate) "
        "values ('030100000011', '甲', 1, 1, '2026-02-01'),"
        "       ('030100000012', '乙', 1, 1, '2026-03-01'),"
        "       ('030100000013', '丙', 1, 1, '2026-04-01');"
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money) "
        "values ('0301000000110001', 'W1', '2026-12-08 10:00:00', 1, null),"
        "       ('0301000000120001', 'W2', '2026-12-08 10:00:00', 1, -2),"
        "       ('0301000000130001', 'W3', '2026-12-08 10:00:00', 1, 5);");

    EXPECT_EQ(PurchasesOfThisYear(),
              (Rows{R({"丙", "2026年4月1日", "￥1.00", "￥5.00", ""}),
                    R({"甲", "2026年2月1日", "￥1.00", "￥0.00", ""}),
                    R({"乙", "2026年3月1日", "￥1.00", "-￥2.00", ""}),
                    R({"英雄", "2026年1月5日", "￥60.00", "￥0.00", ""}),
                    R({"大话西游", "2026年12月7日", "￥20.00", "￥0.00", ""}),
                    R({"合计", "", "￥83.00", "￥3.00", ""})}));

    const Rows hot = Shown(Click<frmHotCDInfo>(kHotLink));
    ASSERT_EQ(hot.size(), 3u);
    EXPECT_EQ(QStringList({hot[0][1], hot[1][1], hot[2][1]}), QStringList({"丙", "甲", "乙"}));

    const Rows customers = Shown(Click<frmUserReport>(0));
    ASSERT_EQ(customers.size(), 6u);
    EXPECT_EQ(QStringList({customers[2][3], customers[3][3], customers[4][3]}),
              QStringList({"W3", "W1", "W2"}));
}

// The lines dated in another form are found in each table's own index of them: the
// reports' condition and the index's are the same word for word.
TEST_F(StoredFormsTest, TheOddDatesAreFoundInTheirIndexes) {
    OpenShop();
    const std::pair<const char*, const char*> dates[] = {{"borrowinfo", "borrowdate"},
                                                         {"returninfo", "returndate"},
                                                         {"sellinfo", "selldate"},
                                                         {"cdinfo", "buydate"},
                                                         {"userinfo", "JoinDate"}};
    for (const auto& [table, column] : dates) {
        Recordset plan;
        plan.Open(QString("explain query plan select 1 from %1 where %2")
                      .arg(table, OddDates::Rows("rowid", table, column)),
                  gConn, adLockReadOnly);
        QStringList steps;
        for (; !plan.AtEOF(); plan.MoveNext()) steps << plan["detail"].ToString();
        EXPECT_TRUE(steps.join('\n').contains(QString("%1_odd_dates").arg(table)))
            << qPrintable(steps.join('\n'));
    }
}
