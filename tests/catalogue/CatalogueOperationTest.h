#pragma once
#include <QString>

#include "tests/core/CoreTest.h"

// A shop database with two formats (DVD 3, VCD 5) and two movie types (动作 1, 科幻 12), and
// no window: the catalogue's operations are driven on the file as the program's connection.
class CatalogueOperationTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        Data().AddDiscClassifications();
    }

    void AddTitle(const QString& cdid, const QString& name, const QString& type = "DVD",
                  const QString& movietype = "动作", bool bad = false) {
        Data().Add(ShopData::Title(cdid, name).Type(type).MovieType(movietype).Sold(0).Bad(bad));
    }
    // A rental line (with its return row when returned) and a sale line of the title.
    void AddRental(const QString& cdid, const QString& no, bool returned) {
        Data().Add(ShopData::Rental(cdid, no).Returned(returned));
    }
    void AddSale(const QString& cdid, const QString& no) { Data().Add(ShopData::Sale(cdid, no)); }

    QString Titles() {
        return Query1("select group_concat(cdid) from (select cdid from cdinfo order by cdid)");
    }
};
