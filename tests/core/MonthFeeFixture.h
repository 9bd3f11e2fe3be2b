#pragma once
#include "tests/core/CoreTest.h"

// A fee of 10 a month; two unpaid members (one with Null money and tax) and one paid this
// month.
class MonthFeeFixture : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        Sql("update pricepercent set tax = 10;"
            "insert into userinfo (userid, username, money, tax, ispay) values "
            "('000001','a',50,20,0);"
            "insert into userinfo (userid, username, money, tax, ispay) values "
            "('000002','b',null,null,0);"
            "insert into userinfo (userid, username, money, tax, ispay) values "
            "('000003','c',5,0,1)");
    }
};
