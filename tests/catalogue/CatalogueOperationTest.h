#pragma once
#include <QString>

#include "tests/core/CoreTest.h"

// A shop database with two formats (DVD 3, VCD 5) and two movie types (动作 1, 科幻 12), and
// no window: the catalogue's operations are driven on the file as the program's connection.
class CatalogueOperationTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        Sql("insert into type values (3, 'DVD'), (5, 'VCD');"
            "insert into movietype values (1, '动作'), (12, '科幻')");
    }

    void AddTitle(const QString& cdid, const QString& name, const QString& type = "DVD",
                  const QString& movietype = "动作", bool bad = false) {
        Sql(QString("insert into cdinfo (cdid, id, name, type, movietype, count, restcount, "
                    "station, issell, isabandon) values ('%1', '%1', '%2', '%3', '%4', 2, 2, "
                    "'未借出', 0, %5)")
                .arg(cdid, name, type, movietype)
                .arg(bad ? 1 : 0));
    }
    // A rental line (with its return row when returned) and a sale line of the title.
    void AddRental(const QString& cdid, const QString& no, bool returned) {
        Sql(QString("insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, "
                    "isreturnall) values ('%1%2', '000001', '2026-12-01 10:00:00', 1, '&1#', %3)")
                .arg(cdid, no)
                .arg(returned ? 1 : 0));
        if (returned)
            Sql(QString("insert into returninfo (returnid, returndate, returncount, returnlst) "
                        "values ('%1%2%2', '2026-12-03 10:00:00', 1, '&1#')")
                    .arg(cdid, no));
    }
    void AddSale(const QString& cdid, const QString& no) {
        Sql(QString("insert into sellinfo (sellid, name, selldate, sellcount, selllst) values "
                    "('%1%2', '000001', '2026-12-02 10:00:00', 1, '&1#')")
                .arg(cdid, no));
    }

    int Count(const QString& sql) { return Query1(sql).toInt(); }
    QString Titles() {
        return Query1("select group_concat(cdid) from (select cdid from cdinfo order by cdid)");
    }
};
