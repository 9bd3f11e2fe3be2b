#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>

#include "members/MemberCard.h"
#include "tests/members/MembersFixture.h"

namespace {
QString PdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList GridRow(FlexGrid* grid, int row) {
    QStringList cells;
    for (int c = 1; c < grid->Cols(); ++c) cells << grid->TextMatrix(row, c);
    return cells;
}
}  // namespace

class MemberWindowsTest : public MembersFixture {
  protected:
    // Member 000001 with two titles out (one per day, one per rental) and one partly back.
    void MemberWithRentals() {
        Sql("insert into userinfo (userid, username, JoinDate, money, address) values "
            "('000001', '张三', '2024-3-7', 45.5, '北京')");
        AddTitle("010100000001", "英雄", 3);
        AddTitle("010100000002", "功夫", 4, "每次");
        AddTitle("010100000003", "卧虎藏龙", 2);
        // 36 hours before the clock's 2026-12-08 10:00: two days.
        Data().Add(ShopData::Rental("010100000001", "0001")
                       .On("2026-12-06 22:00:00")
                       .Set("borrowcount", 2)
                       .Set("borrowlst", "&1#&2#"));
        Data().Add(ShopData::Rental("010100000002", "0001").Set("borrowcount", 3));
        Data().Add(ShopData::Rental("010100000003", "0002").Money(6).Set("borrowcount", 2));
        Data().Add(ShopData::Return("0101000000030002", "0001"));
    }
};

TEST_F(MemberWindowsTest, TheInformationWindowShowsAMembersOpenRentalsWithTheRentDue) {
    MemberWithRentals();
    // The window prices every line at the normal rent, whatever members pay.
    Sql("update cdinfo set memberborrowprice = borrowprice / 2");
    frmDispUser::Open("000001", false, nullptr);
    frmDispUser& w = frmDispUser::instance();
    EXPECT_EQ(w.LblUserID->Caption(), "000001");
    EXPECT_EQ(w.LblUserName->Caption(), "张三");
    EXPECT_EQ(w.LblJoinDate->Caption(), "2024-03-07");
    EXPECT_EQ(w.LblMoney->Caption(), "￥45.50");
    EXPECT_EQ(w.LblUserType->Caption(), "会员");
    EXPECT_EQ(w.LblAddress->Caption(), "北京");
    EXPECT_EQ(w.LblTel->Caption(), "");
    EXPECT_EQ(w.LblBorrowCount->Caption(), "3次");
    EXPECT_EQ(w.LblAllMoney->Caption(), "￥6.00");
    FlexGrid* grid = w.MSHFlexGrid1;
    ASSERT_EQ(grid->Rows(), 4);
    EXPECT_EQ(GridRow(grid, 0), QStringList({"影片名称", "出租日期", "应付租金"}));
    QStringList due{GridRow(grid, 1).join('|'), GridRow(grid, 2).join('|')};
    due.sort();
    EXPECT_EQ(
        due, QStringList({"功夫|2026-12-01 10:00:00|￥12.00", "英雄|2026-12-06 22:00:00|￥12.00"}));
    EXPECT_EQ(GridRow(grid, 3), QStringList({"合计", "", "￥24.00"}));
    grid->SetRow(3);
    grid->SetCol(1);
    EXPECT_TRUE(grid->CellFontBold());
    EXPECT_TRUE(grid->isVisibleTo(&w));
}

TEST_F(MemberWindowsTest, AWalkInShowsOnlyTheNameInAShortWindow) {
    AddMember("000001", "张三");
    Sql("insert into userinfo (userid) values ('000002')");  // no name, no money
    frmDispUser::Open("20261208001", false, nullptr);
    frmDispUser& w = frmDispUser::instance();
    EXPECT_EQ(w.LblUserType->Caption(), "零租用户");
    EXPECT_EQ(w.LblUserName->Caption(), "20261208001");
    EXPECT_EQ(w.LblUserID->Caption(), "");
    EXPECT_FALSE(w.MSHFlexGrid1->isVisibleTo(&w));
    EXPECT_EQ(w.height(), TwipsToPixels(frmDispUser::kWalkInHeightTwips));

    // Opened again for a member, it reads the key afresh.
    frmDispUser::Open("000002", false, nullptr);
    EXPECT_EQ(w.LblUserType->Caption(), "会员");
    EXPECT_EQ(w.LblUserName->Caption(), "");
    EXPECT_EQ(w.LblMoney->Caption(), "￥0.00");
    EXPECT_EQ(w.MSHFlexGrid1->Rows(), 2);
    EXPECT_EQ(GridRow(w.MSHFlexGrid1, 1), QStringList({"合计", "", "￥0.00"}));
}

TEST_F(MemberWindowsTest, TheHistoryWindowsListTheMembersLinesAndFollowTheMember) {
    MemberWithRentals();
    AddMember("000002", "李四");
    Data().Add(ShopData::Sale("010100000001", "0001").Money(30));
    Data().Add(ShopData::Sale("010100000003", "0002").Money(12.5));
    MemberPage& page = OpenPage();
    Click(page.Command18);
    frmUserBorrowLst& rentals = frmUserBorrowLst::instance();
    EXPECT_EQ(rentals.windowTitle(), "张三出租光盘列表");
    EXPECT_EQ(rentals.UserID, "000001");
    ASSERT_EQ(rentals.MSHFlexGrid1->Rows(), 4);  // the partly returned line is not listed
    EXPECT_EQ(GridRow(rentals.MSHFlexGrid1, 0), QStringList({"影片名称", "出租日期", "已付租金"}));
    EXPECT_EQ(GridRow(rentals.MSHFlexGrid1, 3), QStringList({"合计", "", "￥0.00"}));

    Click(page.Command17);
    frmUserSellLst& sales = frmUserSellLst::instance();
    EXPECT_EQ(sales.windowTitle(), "张三购买光盘列表");
    ASSERT_EQ(sales.MSHFlexGrid1->Rows(), 4);
    EXPECT_EQ(GridRow(sales.MSHFlexGrid1, 0), QStringList({"影片名称", "出售日期", "购买金额"}));
    EXPECT_EQ(GridRow(sales.MSHFlexGrid1, 3), QStringList({"合计", "", "￥42.50"}));
    sales.MSHFlexGrid1->SetRow(3);
    sales.MSHFlexGrid1->SetCol(2);
    EXPECT_FALSE(sales.MSHFlexGrid1->CellFontBold());
    sales.MSHFlexGrid1->SetCol(3);
    EXPECT_TRUE(sales.MSHFlexGrid1->CellFontBold());

    // Still open, the windows follow the next member: caption, number and grid together.
    ClickRow(2);
    Click(page.Command18);
    Click(page.Command17);
    EXPECT_EQ(rentals.windowTitle(), "李四出租光盘列表");
    EXPECT_EQ(rentals.UserID, "000002");
    EXPECT_EQ(rentals.MSHFlexGrid1->Rows(), 2);
    EXPECT_EQ(sales.MSHFlexGrid1->Rows(), 2);
    EXPECT_EQ(GridRow(sales.MSHFlexGrid1, 1), QStringList({"合计", "", "￥0.00"}));
}

TEST_F(MemberWindowsTest, TheCardCarriesTheMemberAndTheShopOnTwoPages) {
    ShipCardTemplate();
    gShopName = "星光影碟";
    gShopTel = "010-1234";
    SetToday(2005, 3, 7);
    Sql("insert into userinfo (userid, username, JoinDate) values ('000001', '张三', "
        "'2004-11-20')");
    MemberPage& page = OpenPage();
    const QByteArray before = [&] {
        QFile f(QDir(Dir()).filePath("support/Card.xltx"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    Click(page.CmdPrint);
    EXPECT_TRUE(Prompts().empty());
    const QStringList pdfs = QDir(PdfDir()).entryList({"*.pdf"});
    ASSERT_EQ(pdfs.size(), 1);
    const QString text = PdfText(QDir(PdfDir()).filePath(pdfs[0]));
    for (const char* word :
         {"星光影碟", "000001", "张三", "2004-11-20", "010-1234", "2005年03月07日"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
    EXPECT_EQ(text.count('\f'), 2);
    QFile f(QDir(Dir()).filePath("support/Card.xltx"));
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), before);
}

// The card prints as its template lays it out: its preview has no page setup and no
// orientation buttons, and the operator prints from it or closes it.
TEST_F(MemberWindowsTest, TheCardsPreviewOffersNoPageSetupAndNoOrientation) {
    ShipCardTemplate();
    AddMember("000001", "张三");
    MemberPage& page = OpenPage();
    SetPrintToPdfDir(QString());
    QStringList shown;
    QString title;
    WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
        title = preview.windowTitle();
        shown = ShownToolButtons(&preview);
    });
    Click(page.CmdPrint);
    EXPECT_EQ(title, "打印预览");
    EXPECT_TRUE(shown.contains("打印")) << shown.join(" | ").toStdString();
    for (const char* change : {"打印设置", "纵向", "横向"})
        EXPECT_FALSE(shown.contains(QString::fromUtf8(change))) << change;
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(MemberWindowsTest, AMissingCardTemplateIsToldWithItsPath) {
    AddMember("000001", "张三");
    MemberPage& page = OpenPage();
    Click(page.CmdPrint);
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(
        Prompts()[0],
        "丢失" + QDir::toNativeSeparators(QDir(Dir()).filePath("support/Card.xltx")) + "模板");
}

TEST_F(MemberWindowsTest, ABrokenCardTemplateIsToldOnceAndNothingIsWritten) {
    QDir().mkpath(QDir(Dir()).filePath("support"));
    QFile broken(QDir(Dir()).filePath("support/Card.xltx"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a workbook");
    broken.close();
    SetPrintToPdfDir(PdfDir());
    EXPECT_FALSE(MemberCard::Print({"000001", "张三", "2024-01-01"}));
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].startsWith("打印没有完成"));
    EXPECT_TRUE(QDir(PdfDir()).entryList({"*.pdf"}).isEmpty());
}
