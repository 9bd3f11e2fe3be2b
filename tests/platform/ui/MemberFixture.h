#pragma once
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "tests/platform/ui/UiTestSupport.h"
#include "tests/support/TestSupport.h"

// A shop database with three members and the program's connection and an optimistic
// member recordset open on it, ordered by number.
class MemberFixture : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        Sql("INSERT INTO userinfo (userid, username, money, JoinDate, telephone, ispay) VALUES"
            " ('000001', '张三', 12.5, '2024-01-05', '111', 0),"
            " ('000002', '李四', 0, '2024-02-06', '222', 1),"
            " ('000003', '王五', 1234.5, '2024-03-07', '333', 0)");
        conn.OpenFile(DbPath());
        Open();
    }
    void TearDown() override {
        rs.reset();
        conn.Close();
        ShopTest::TearDown();
    }
    void Open(LockTypeEnum lock = adLockOptimistic) {
        rs = std::make_unique<Recordset>();
        rs->Open("select * from userinfo order by userid", conn, lock);
    }
    QString NameInFile(const QString& userid) {
        return Query1(QString("select username from userinfo where userid='%1'").arg(userid));
    }

    Connection conn;
    std::unique_ptr<Recordset> rs;
};
