#include "tests/catalogue/CatalogueFixture.h"

namespace {
// Texts that are no whole number of copies from 0 to 9999 ("%2" must be shown as typed
// in the message, not taken for a place of it).
const char* const kNoCopies[] = {"abc", "-5",  "😀",   "12元",  "3张",
                                 "1.5", "1,2", "50%", "10000", "%2"};

class CopiesInputTest : public CatalogueFixture {
  protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        AddTitle("030100000001", "A1", "英雄");  // 2 copies
    }

    // The one box shown: a hint naming what was typed.
    static void ExpectRefused(const QString& typed) {
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u) << typed.toStdString();
        const MsgBoxCall& box = MsgBoxLog::Get().Calls()[0];
        EXPECT_EQ(box.title, "提示");
        EXPECT_EQ(box.prompt,
                  "光盘个数“" + typed + "”不是正确的个数，请输入 0 到 9999 之间的整数，例如 3！");
    }

    QString Stored() {
        return Query1(
            "select count || '/' || restcount || '/' || coalesce(remark, '') from cdinfo");
    }
};
}  // namespace

TEST_F(CopiesInputTest, LeavingTheBoxRefusesWhatIsNoWholeNumberAndShowsTheStoredCopies) {
    CataloguePage& page = ShowCatalogue();
    for (const QString typed : kNoCopies) {
        ForgetPrompts();
        page.MebCount->setFocus();
        Settle();
        page.MebCount->SetText(typed);
        Leave(page.MebCount, page.TxtRemark);
        ExpectRefused(typed);
        EXPECT_EQ(page.MebCount->Text(), "2") << typed.toStdString();
        EXPECT_EQ(page.TxtCount->text(), "2");
        EXPECT_EQ(Catalogue()["restcount"].ToInt(), 2);
        EXPECT_FALSE(page.HasPendingEdit());
    }

    // Read as an amount box reads: groups of thousands and blanks around are fine.
    ForgetPrompts();
    page.MebCount->setFocus();
    Settle();
    page.MebCount->SetText(" 1,200 ");
    Leave(page.MebCount, page.TxtRemark);
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(page.MebCount->Text(), "1200");
    EXPECT_EQ(Catalogue()["restcount"].ToInt(), 1200);
    page.CmdSave_Click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Stored(), "1200/1200/");
}

TEST_F(CopiesInputTest, SavingRefusesWhatIsNoWholeNumberAndWritesNothing) {
    CataloguePage& page = ShowCatalogue();
    Clear(page.TxtRemark);
    Type(page.TxtRemark, "备注");
    for (const QString typed : kNoCopies) {
        ForgetPrompts();
        page.MebCount->SetText(typed);  // typed, not yet left
        page.CmdSave_Click();
        ExpectRefused(typed);
        EXPECT_EQ(Stored(), "2/2/") << typed.toStdString();
    }

    ForgetPrompts();
    page.MebCount->SetText("1,200");
    page.CmdSave_Click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Stored(), "1200/1200/备注");
}
