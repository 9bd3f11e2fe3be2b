#pragma once
#include <QDir>
#include <QFile>

#include "members/MemberPage.h"
#include "members/frmDispUser.h"
#include "members/frmUserBorrowLst.h"
#include "members/frmUserSellLst.h"
#include "platform/excel/SheetPrinter.h"
#include "platform/ui/Controls.h"
#include "tests/core/CoreTest.h"
#include "tests/core/PageHost.h"

// The member page on a page host, beside another page, on a shop database in a temporary
// program folder with the program's connection open. Tests fill the database, then open
// the page with its button.
class MembersFixture : public CoreTest {
  protected:
    static constexpr int kMemberButton = 5;

    void SetUp() override {
        CoreTest::SetUp();
        SetToday(2026, 12, 8);
    }

    void TearDown() override {
        for (Form* w : std::initializer_list<Form*>{
                 frmDispUser::isLoaded() ? &frmDispUser::instance() : nullptr,
                 frmUserBorrowLst::isLoaded() ? &frmUserBorrowLst::instance() : nullptr,
                 frmUserSellLst::isLoaded() ? &frmUserSellLst::instance() : nullptr})
            delete w;
        delete host_;
        host_ = nullptr;
        Settle();
        SetPrintToPdfDir(QString());
        CoreTest::TearDown();
    }

    void AddMember(const QString& userid, const QString& name, double money = 0) {
        Data().Add(ShopData::Member(userid, name).Money(money));
    }
    void AddTitle(const QString& cdid, const QString& name, double rent = 3,
                  const QString& per = QStringLiteral("每天")) {
        Data().Add(ShopData::Title(cdid, name).Prices(20, rent, 30).RentPer(per));
    }

    // The host shown and active, the member page opened with its button.
    MemberPage& OpenPage() {
        if (!host_) {
            host_ = new PageHost;
            page_ = new MemberPage;
            other_ = new ShopPage;
            other_->setObjectName("OtherPage");
            host_->AddPage(other_);
            host_->AddPage(page_);
            host_->Load();
            EXPECT_TRUE(ShowActive(host_));
        }
        host_->Activate(page_, kMemberButton);
        Settle();
        return *page_;
    }
    // Another page button: true when the member page let the operator go.
    bool LeavePage() {
        const bool left = host_->ShowPage(other_);
        Settle();
        return left;
    }
    MemberPage& Page() { return *page_; }
    Recordset& Members() { return *page_->adoUser; }
    PageHost& Host() { return *host_; }

    // The operator clicks a member in the grid (by position, from 1).
    void ClickRow(int position) {
        DataGrid* grid = page_->DataGrid1;
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(position - 1, 1));
        Settle();
    }
    void Click(QPushButton* button) {
        button->click();
        Settle();
    }
    void SetText(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->setText(text);
        Settle();
    }
    // Types an amount into the amount box and leaves it for the find box.
    void TypeAmount(const QString& text) { TypeAndLeave(page_->MebAddMoney, text, page_->Text3); }
    // The operator empties a box and types into it key by key (full-width and Chinese
    // characters too), leaving the focus there.
    void TypeKeys(QLineEdit* box, const QString& text) {
        Clear(box);
        Type(box, text);
    }
    // A real click of the mouse: the button takes the focus, so the box the operator
    // typed into loses it (and runs its LostFocus) before the button's handler.
    void Press(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
    void Find(const QString& text) {
        SetText(page_->Text3, text);
        QTest::keyClick(page_->Text3, Qt::Key_Return);
        Settle();
    }

    QString Stored(const QString& userid, const QString& column) {
        return Query1(QString("select %1 from userinfo where userid='%2'").arg(column, userid));
    }
    int MemberCount() { return Count("select count(*) from userinfo"); }

    // The card's template beside the program; pages go to PDF files.
    void ShipCardTemplate() {
        const QString support = QDir(Dir()).filePath("support");
        QDir().mkpath(support);
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMTRAK_SOURCE_DIR "/support/Card.xltx"),
                                QDir(support).filePath("Card.xltx")));
        SetPrintToPdfDir(PdfDir());
    }
    QString PdfDir() const { return QDir(Dir()).filePath("pdf"); }

  private:
    PageHost* host_ = nullptr;
    MemberPage* page_ = nullptr;
    ShopPage* other_ = nullptr;
};
