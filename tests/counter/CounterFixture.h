#pragma once
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/ShopEvents.h"
#include "counter/CounterPage.h"
#include "counter/CounterSearch.h"
#include "platform/ui/Controls.h"
#include "tests/core/CoreTest.h"
#include "tests/core/PageHost.h"

// The counter page on a page host, on a shop database in a temporary program folder with
// the program's connection open; the classification lists offer the formats DVD and VCD
// and the movie types 动作 and 科幻. Tests fill the database before Open().
class CounterFixture : public CoreTest {
  protected:
    static constexpr int kRentalButton = 0;
    static constexpr int kSaleButton = 6;

    void SetUp() override {
        CoreTest::SetUp();
        SetToday(2026, 12, 8);
    }
    void TearDown() override {
        delete host_;
        host_ = nullptr;
        Settle();
        CoreTest::TearDown();
    }

    // A title for sale and rent with 2 copies on the shelf, bought 2026-01-10, its search
    // key the pinyin initials of its name followed by its disc number, as the catalogue
    // makes it.
    ShopData::Title Title(const QString& cdid, const QString& id, const QString& name) {
        return std::move(ShopData::Title(cdid, name)
                             .Id(id)
                             .Key(KeyOf(name) + id.toLower())
                             .Type("DVD")
                             .MovieType("动作")
                             .Prices(20, 3, 30)
                             .BoughtOn("2026-01-10")
                             .Sold(0)
                             .Bad(false));
    }
    void Add(const ShopData::Row& row) { Data().Add(row); }
    void Add(const ShopData::Rental& rental) { Data().Add(rental); }

    // The lower-case initials of a name, a character at a time.
    static QString KeyOf(const QString& name) {
        QString key;
        for (const QChar ch : name) key += GetPYChar(QString(ch)).toLower();
        return key;
    }

    // The window's load, then the page button of the mode; the window shown and active.
    CounterPage& Open(int button = kRentalButton) {
        host_ = new PageHost;
        page_ = new CounterPage;
        host_->AddPage(page_);
        host_->SetTypeLists([] {
            ShopEvents::AnnounceClassificationRead("type", {"DVD", "VCD"});
            ShopEvents::AnnounceClassificationRead("movietype", {"动作", "科幻"});
        });
        host_->Load();
        EXPECT_TRUE(ShowActive(host_));
        Press(button);
        return *page_;
    }
    void Press(int button) {
        host_->CounterMode = button == kSaleButton ? 2 : 1;
        host_->Activate(page_, button);
        Settle();
    }

    // The operator picks an entry of a filter box.
    void Pick(QComboBox* filter, const QString& text) {
        const int index = filter->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        filter->setCurrentIndex(index);
        emit filter->activated(index);
        Settle();
    }

    // A column of the list, from the first row to the last.
    QStringList Column(const QString& field) {
        QStringList out;
        Recordset& rs = *page_->adoDispCDInfo;
        const int f = rs.FieldIndex(field);
        for (int row = 1; row <= rs.RecordCount(); ++row) out << rs.ValueAt(row, f).ToString();
        return out;
    }
    QStringList ShelfList() {
        QStringList out;
        for (int i = 1; i <= page_->ListView1->ListItems().Count(); ++i)
            out << page_->ListView1->ListItems()(i)->Text();
        return out;
    }
    // The disc number of the title the list stands on.
    QString Current() {
        Recordset& rs = *page_->adoDispCDInfo;
        return rs.HasCurrentRow() ? rs["id"].ToString() : QString("(none)");
    }

    PageHost& Host() { return *host_; }
    CounterPage& Page() { return *page_; }
    CounterSearch& Search() { return *page_->Search; }

  private:
    PageHost* host_ = nullptr;
    CounterPage* page_ = nullptr;
};
