#include "tests/platform/db/DbFixture.h"

using RecordsetValues = DbTest;

TEST_F(RecordsetValues, EveryKindReadsBackAsTheDatabaseHoldsIt) {
    Recordset rs;
    rs.Open("SELECT 42, -7.25, NULL, '', '片名 é', x'616263', 9223372036854775807", conn);
    EXPECT_TRUE(rs.GetValue(0).IsInteger());
    EXPECT_EQ(rs.GetValue(0).ToInt(), 42);
    EXPECT_TRUE(rs.GetValue(1).IsDouble());
    EXPECT_EQ(rs.GetValue(1).ToDouble(), -7.25);
    EXPECT_TRUE(rs.GetValue(2).IsNull());
    EXPECT_TRUE(rs.GetValue(3).IsText());
    EXPECT_TRUE(rs.GetValue(3).ToString().isEmpty());
    EXPECT_FALSE(rs.GetValue(3).ToString().isNull());  // an empty text is not Null
    EXPECT_EQ(rs.GetValue(4).ToString(), QStringLiteral("片名 é"));
    EXPECT_EQ(rs.GetValue(5).ToString(), "abc");  // a blob reads as text
    EXPECT_EQ(rs.GetValue(6).ToInt(), 9223372036854775807LL);
}

TEST_F(RecordsetValues, ThousandsOfRowsKeepTheirOwnValues) {
    // Enough rows, some with long texts, that the snapshot spans many blocks of memory.
    Transaction t(conn);
    for (int i = 1; i <= 3000; ++i)
        conn.Execute("INSERT INTO cdinfo (cdid, name, count, Content) VALUES (?1, ?2, ?3, ?4)",
                     {Cdid(i), QStringLiteral("片%1").arg(i), i,
                      i % 500 == 0 ? QString(100000, QChar(u'长')) : QString()});
    t.Commit();
    Recordset rs;
    rs.Open("SELECT cdid, name, count, Content FROM cdinfo ORDER BY cdid", conn, adLockReadOnly);
    ASSERT_EQ(rs.RecordCount(), 3000);
    for (int i = 1; i <= 3000; ++i) {
        ASSERT_EQ(rs.ValueAt(i, 0).ToString(), Cdid(i));
        ASSERT_EQ(rs.ValueAt(i, 1).ToString(), QStringLiteral("片%1").arg(i));
        ASSERT_EQ(rs.ValueAt(i, 2).ToInt(), i);
        ASSERT_EQ(rs.ValueAt(i, 3).ToString().size(), i % 500 == 0 ? 100000 : 0);
    }
}

TEST_F(RecordsetValues, AWideQueryReadsEveryField) {
    AddTitles(2);
    QStringList columns;
    for (int i = 0; i < 100; ++i) columns << QStringLiteral("count + %1").arg(i);
    Recordset rs;
    rs.Open("SELECT " + columns.join(", ") + ", name FROM cdinfo ORDER BY cdid", conn);
    ASSERT_EQ(rs.FieldCount(), 101);
    rs.MoveLast();
    EXPECT_EQ(rs.GetValue(0).ToInt(), 2);
    EXPECT_EQ(rs.GetValue(99).ToInt(), 101);
    EXPECT_EQ(rs.GetValue(100).ToString(), "片2");
}

TEST_F(RecordsetValues, AnEditedRowKeepsWhatWasReadUntilItIsWritten) {
    AddTitles(3);
    Recordset rs;
    rs.Open("SELECT cdid, name, count, remark FROM cdinfo ORDER BY cdid", conn,
            adLockBatchOptimistic);
    rs.Move(1);
    rs.Fields("name") = Value("改名");
    EXPECT_EQ(rs["name"].ToString(), "改名");
    EXPECT_EQ(rs.Fields("name").OriginalValue().ToString(), "片2");
    EXPECT_EQ(rs["count"].ToInt(), 2);  // fields not set still read as read
    EXPECT_TRUE(rs["remark"].IsNull());
    rs.CancelBatch();
    EXPECT_EQ(rs["name"].ToString(), "片2");
    rs.Fields("count") = Value(20);
    rs.UpdateBatch();
    EXPECT_EQ(conn.Scalar("SELECT count FROM cdinfo WHERE cdid = ?1", {Cdid(2)}).ToInt(), 20);
    EXPECT_EQ(rs.Fields("count").OriginalValue().ToInt(), 20);
    EXPECT_EQ(rs["name"].ToString(), "片2");
}
