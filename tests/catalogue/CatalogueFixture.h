#pragma once
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "catalogue/CataloguePage.h"
#include "platform/ui/Controls.h"
#include "tests/catalogue/CataloguePagesTest.h"

// The catalogue and settings pages on a shop database with two formats (DVD 3, VCD 5) and
// two movie types (动作 1, 科幻 12), for the tests of the catalogue page, its save,
// discarding and finding.
class CatalogueFixture : public CataloguePagesTest {
  protected:
    void SetUp() override {
        CataloguePagesTest::SetUp();
        Data().AddDiscClassifications();
    }

    // A title with 2 copies, rent 3 a day, sale price 30, purchase price 20, bought 2004-03-07;
    // its key holds its disc number unless another key is given.
    void AddTitle(const QString& cdid, const QString& id, const QString& name,
                  const QString& type = "DVD", const QString& movietype = "动作",
                  const QString& key = "") {
        Data().Add(ShopData::Title(cdid, name)
                       .Id(id)
                       .Type(type)
                       .MovieType(movietype)
                       .Key(key.isEmpty() ? id.toLower() : key)
                       .Prices(20, 3, 30)
                       .BoughtOn("2004-03-07")
                       .RentPer("每天")
                       .Sold(0)
                       .Bad(false));
    }

    // The pages as start-up leaves them, shown and active on the catalogue page.
    CataloguePage& ShowCatalogue() {
        StartPages();
        ShowCataloguePage();
        return Page();
    }

    CataloguePage& Page() { return CatalogueTab(); }
    Recordset& Catalogue() { return *Page().adoCDInfo; }

    void MovePointerOverGrid() {
        MoveMouse(Page().dgCDInfo->viewport(), QPoint(30, 10));
        Settle();
    }
};
