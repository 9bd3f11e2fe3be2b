#include "catalogue/CatalogueTitleWrite.h"
#include "platform/db/Recordset.h"
#include "tests/catalogue/CatalogueOperationTest.h"

namespace {
// The catalogue as the page reads it, with no window: a recordset on cdinfo.
class CatalogueTitleWriteTest : public CatalogueOperationTest {
  protected:
    void OpenCatalogue() {
        catalogue_.Open("select * from cdinfo where issell<2 order by cdid", gConn,
                        adLockOptimistic);
    }
    // A new title typed by the operator: its bound texts are in the row, the rest waits.
    void NewTitle(const QString& id, const QString& name) {
        catalogue_.AddNew();
        catalogue_.Fields("id") = id;
        catalogue_.Fields("name") = name;
    }
    static CatalogueTitleWrite::Request DvdAction(bool needsNewId) {
        CatalogueTitleWrite::Request request;
        request.fields = {Yuan(3), Yuan(30),     Yuan(2.5), Yuan(28), Yuan(20),
                          2,       "2026-12-01", "DVD",     "动作"};
        request.needsNewId = needsNewId;
        request.typeCode = 3;
        request.movieTypeCode = 1;
        return request;
    }
    CatalogueTitleWrite::Result Write(const CatalogueTitleWrite::Request& request) {
        return CatalogueTitleWrite(gConn, catalogue_).Run(request);
    }
    QString Stored(const QString& cdid) {
        return Query1(
            "select id||'|'||name||'|'||type||'|'||movietype||'|'||borrowprice||'|'||"
            "sellprice||'|'||memberborrowprice||'|'||membersellprice||'|'||price||'|'||"
            "count||'|'||restcount||'|'||buydate||'|'||station from cdinfo where cdid='" +
            cdid + "'");
    }

    Recordset catalogue_;
};
}  // namespace

TEST_F(CatalogueTitleWriteTest, ANewTitleGetsTheNextIdOfItsCodesAndIsWrittenWhole) {
    AddTitle("030100000007", "英雄");
    OpenCatalogue();
    NewTitle("N1", "新片");
    const CatalogueTitleWrite::Result written = Write(DvdAction(true));
    EXPECT_EQ(written.outcome, CatalogueTitleWrite::Outcome::Written);
    EXPECT_EQ(written.cdid, "030100000008");
    EXPECT_EQ(Stored("030100000008"),
              "N1|新片|DVD|动作|3.0|30.0|2.5|28.0|20.0|2|2|2026-12-01|未借出");
    EXPECT_FALSE(catalogue_.HasPendingChanges());
    EXPECT_EQ(catalogue_["cdid"].ToString(), "030100000008");
    EXPECT_EQ(catalogue_.RecordCount(), 2);
}

TEST_F(CatalogueTitleWriteTest, AnEditKeepsTheIdAndAnotherFormatGivesANewOne) {
    AddTitle("030100000001", "英雄");
    AddRental("030100000001", "0001", true);
    OpenCatalogue();
    catalogue_.Fields("name") = "英雄（修复版）";
    EXPECT_EQ(Write(DvdAction(false)).cdid, "030100000001");
    EXPECT_EQ(Stored("030100000001"),
              "030100000001|英雄（修复版）|DVD|动作|3.0|30.0|2.5|28.0|20.0|2|2|2026-12-01|未借出");

    CatalogueTitleWrite::Request vcd = DvdAction(true);
    vcd.fields.type = "VCD";
    vcd.typeCode = 5;
    EXPECT_EQ(Write(vcd).cdid, "050100000001");
    EXPECT_EQ(Titles(), "050100000001") << "the row keeps its place under the new id";
    EXPECT_EQ(Count("select count(*) from borrowinfo where borrowid like '030100000001%'"), 1)
        << "the old history keeps the old id";
}

TEST_F(CatalogueTitleWriteTest, AReclassificationOfATitleInUseIsRefusedWithTheRowAsItWas) {
    AddTitle("030100000001", "英雄");
    AddRental("030100000001", "0001", false);
    OpenCatalogue();
    catalogue_.Fields("remark") = "改了";
    CatalogueTitleWrite::Request vcd = DvdAction(true);
    vcd.fields.type = "VCD";
    vcd.typeCode = 5;
    EXPECT_EQ(Write(vcd).outcome, CatalogueTitleWrite::Outcome::InUse);
    EXPECT_EQ(catalogue_["type"].ToString(), "DVD");
    EXPECT_EQ(catalogue_["remark"].ToString(), "改了") << "the operator's edit waits";
    EXPECT_TRUE(catalogue_.HasPendingChanges());
    EXPECT_EQ(Titles(), "030100000001");
    EXPECT_EQ(Query1("select ifnull(remark, '') from cdinfo"), "");

    // The same edit without another classification goes through.
    EXPECT_EQ(Write(DvdAction(false)).outcome, CatalogueTitleWrite::Outcome::Written);
    EXPECT_EQ(Query1("select remark from cdinfo"), "改了");
}

TEST_F(CatalogueTitleWriteTest, AUsedUpPrefixIsRefusedAndNothingIsWritten) {
    AddTitle("030199999999", "最后一张");
    OpenCatalogue();
    NewTitle("N1", "新片");
    const CatalogueTitleWrite::Result refused = Write(DvdAction(true));
    EXPECT_EQ(refused.outcome, CatalogueTitleWrite::Outcome::NoIdLeft);
    EXPECT_TRUE(refused.refusal.contains("用完")) << refused.refusal.toStdString();
    EXPECT_EQ(catalogue_.EditMode(), adEditAdd);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 1);
}

TEST_F(CatalogueTitleWriteTest, AFailedWriteLeavesTheNewTitlePendingWithoutAnIdUntilItGoesThrough) {
    Sql("create trigger no_titles before insert on cdinfo "
        "begin select raise(abort, 'disk trouble'); end");
    OpenCatalogue();
    NewTitle("N1", "新片");
    EXPECT_THROW(Write(DvdAction(true)), DbError);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
    EXPECT_EQ(catalogue_.EditMode(), adEditAdd);
    EXPECT_TRUE(catalogue_["cdid"].IsNull());
    EXPECT_EQ(catalogue_["name"].ToString(), "新片");
    EXPECT_EQ(Count("select count(*) from cdinfo"), 0);

    Sql("drop trigger no_titles");
    EXPECT_EQ(Write(DvdAction(true)).cdid, "030100000001");
    EXPECT_EQ(Count("select count(*) from cdinfo"), 1);
    EXPECT_FALSE(catalogue_.HasPendingChanges());
}

// The purchase-amount deposit rule asks what a copy cost: the save writes it with the price.
TEST_F(CatalogueTitleWriteTest, TheSaveWritesWhatACopyCostForTheDepositRule) {
    OpenCatalogue();
    NewTitle("N1", "新片");
    ASSERT_EQ(Write(DvdAction(true)).outcome, CatalogueTitleWrite::Outcome::Written);
    EXPECT_EQ(Query1("select printf('%g',buymoney) from cdinfo where id='N1'"), "20");
    EXPECT_EQ(GetBuyMoney("030100000001").ToDouble(), 20);
    CatalogueTitleWrite::Request dearer = DvdAction(false);
    dearer.fields.price = Yuan(24.5);
    ASSERT_EQ(Write(dearer).outcome, CatalogueTitleWrite::Outcome::Written);
    EXPECT_EQ(GetBuyMoney("030100000001").ToDouble(), 24.5);
    // A save that leaves the price as it was leaves buymoney too.
    Sql("update cdinfo set buymoney = 30");
    catalogue_.Requery();
    CatalogueTitleWrite::Request same = DvdAction(false);
    same.fields.price = Yuan(24.5);
    same.fields.copies = 3;
    ASSERT_EQ(Write(same).outcome, CatalogueTitleWrite::Outcome::Written);
    EXPECT_EQ(GetBuyMoney("030100000001").ToDouble(), 30);

    // Leaving the price box (or its grid cell) writes the price into the row before the
    // save: the save still sees a new price.
    catalogue_.Fields("price") = 26;
    CatalogueTitleWrite::Request typed = DvdAction(false);
    typed.fields.price = Yuan(26);
    ASSERT_EQ(Write(typed).outcome, CatalogueTitleWrite::Outcome::Written);
    EXPECT_EQ(Query1("select quote(buymoney) from cdinfo"), "26.0");
    NewTitle("N2", "又一片");
    catalogue_.Fields("price") = 20;
    ASSERT_EQ(Write(DvdAction(true)).outcome, CatalogueTitleWrite::Outcome::Written);
    EXPECT_EQ(Query1("select quote(buymoney) from cdinfo where id = 'N2'"), "20.0");
}
