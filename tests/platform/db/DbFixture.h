#pragma once
#include <sqlite3.h>

#include <QString>
#include <ostream>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "tests/support/TestSupport.h"

// A shop database in its own folder with the program's connection open on it.
class DbTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        conn.OpenFile(DbPath());
    }
    void TearDown() override {
        conn.Close();
        ShopTest::TearDown();
    }

    // Titles "000100000001"... named "片1"..., count = i, price = i + 0.5.
    void AddTitles(int n) {
        for (int i = 1; i <= n; ++i)
            conn.Execute(QStringLiteral("INSERT INTO cdinfo (cdid, name, count, price, buydate) "
                                        "VALUES (?1, ?2, ?3, ?4, ?5)"),
                         {Cdid(i), QStringLiteral("片%1").arg(i), i, i + 0.5,
                          QStringLiteral("2024-01-%1").arg(i, 2, 10, QLatin1Char('0'))});
    }
    static QString Cdid(int i) { return QStringLiteral("0001%1").arg(i, 8, 10, QLatin1Char('0')); }

    // Changes the file through a connection of its own, as another program would.
    void Elsewhere(const QString& sql) { Sql(sql); }

    // What the operator reads when another program holds the file.
    QString LockedSentence() const {
        return "数据库文件“" + DbPath() + "”正被其他程序使用，请稍后再试。";
    }

    Connection conn;
};

// The error a call raises, or an empty text when it raises none.
template <typename F>
QString ErrorOf(F&& f) {
    try {
        f();
    } catch (const DbError& e) {
        return e.Description().isEmpty() ? QStringLiteral("<empty>") : e.Description();
    }
    return QString();
}
