// Every place of every window where the operator can type gets every kind of bad input:
// the program goes on, shows no database text, keeps a sound file, and writes nothing
// it refused.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <functional>
#include <iostream>

#include "catalogue/CataloguePage.h"
#include "catalogue/frmFind.h"
#include "catalogue/frmSelPrint.h"
#include "core/frmWait.h"
#include "core/mdlMain.h"
#include "counter/CounterPage.h"
#include "counter/RentalBasketPanel.h"
#include "counter/SaleBasketPanel.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "counter/frmUseTaxPay.h"
#include "members/MemberPage.h"
#include "members/frmDispUser.h"
#include "members/frmUserBorrowLst.h"
#include "members/frmUserSellLst.h"
#include "platform/app/Clock.h"
#include "platform/excel/SheetPrinter.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "reports/StatisticsPage.h"
#include "reports/frmBorrowReport.h"
#include "reports/frmBuyReport.h"
#include "reports/frmEarnReport.h"
#include "reports/frmHotCDInfo.h"
#include "reports/frmReport.h"
#include "reports/frmSellEarnInfo.h"
#include "reports/frmSellHotCDInfo.h"
#include "reports/frmUserReport.h"
#include "returns/ReturnPage.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "shell/Startup.h"
#include "shell/frmMain.h"
#include "tests/reliability/ProgramWindows.h"
#include "tests/reliability/SweepControls.h"
#include "tests/support/DatabaseDump.h"
#include "tests/support/TestSupport.h"

namespace {
struct BadInput {
    const char* what;
    QString text;
};

const std::vector<BadInput>& BadInputs() {
    static const std::vector<BadInput> inputs{
        {"单引号", "'"},
        {"双引号", "\""},
        {"百分号", "%"},
        {"下划线", "_"},
        {"反斜杠", "\\"},
        {"表情符号", QString::fromUtf8("\xF0\x9F\x98\x80")},
        {"一万个字符", QString(QStringLiteral("长文本")).repeated(3334).left(10000)},
        {"前后空格", "  前后空格  "},
        {"空文本", ""},
        {"负一", "-1"},
        {"字母", "abc"},
        {"带单位", "12元"},
        {"逗号", "1,2,3"},
        {"极大指数", "1e308"},
        {"十四位数", "99999999999999"},
        {"零", "0"},
    };
    return inputs;
}

// The main window on one of its pages, as the page button shows it.
QWidget* Page(int button) {
    frmMain& main = frmMain::instance();
    main.Image3_Click(button);
    Settle();
    return &main;
}

// A window of the program, shown and active in front of the main window.
QWidget* Active(QWidget* window) {
    ShowActive(window);
    Settle();
    return window;
}

// The return dialog, opened from the return page for the renter of its first row.
frmControlBack& ReturnDialog() {
    static_cast<frmMain*>(Page(1))->Returns()->Command5_Click();
    Settle();
    return frmControlBack::instance();
}

CataloguePage& Catalogue() {
    return *static_cast<frmMain*>(Page(2))->Catalogue();
}

// A report window, opened by its link on the statistics page.
template <class W>
QWidget* Report(int link) {
    static_cast<frmMain*>(Page(3))->Statistics()->LblReport_Click(link);
    return Active(&W::instance());
}

// The counter in rental (button 0) or sale mode (button 6), its list on its first title.
CounterPage& Counter(int button) {
    return *static_cast<frmMain*>(Page(button))->Counter;
}

frmControlBorrow& RentalCheckOut() {
    Counter(0).RentalBasket->CmdBorrow_Click();
    Settle();
    return frmControlBorrow::instance();
}

frmControlSell& SaleCheckOut() {
    Counter(6).SaleBasket->Command15_Click();
    Settle();
    return frmControlSell::instance();
}

// The counter with a basket holding the first title's copies: the basket panel's boxes
// take input.
QWidget* WithRentalBasket() {
    RentalCheckOut().Command1->click();
    return Active(&frmMain::instance());
}

QWidget* WithSaleBasket() {
    SaleCheckOut().Command1->click();
    return Active(&frmMain::instance());
}

// The settlement dialogs as the basket panels open them, shown without waiting for them.
QWidget* DepositSettlement() {
    WithRentalBasket();
    frmUseTaxPay& dialog = frmUseTaxPay::instance();
    dialog.Prepare(frmUseTaxPay::Credence::Read(Counter(0).TxtCredence->text()), false);
    return Active((dialog.Show(vbModeless, &frmMain::instance()), &dialog));
}

QWidget* SalePayment() {
    WithSaleBasket();
    frmSellPay& dialog = frmSellPay::instance();
    dialog.Prepare(Yuan(30), Counter(6).LblSellUserName->Caption());
    return Active((dialog.Show(vbModeless, &frmMain::instance()), &dialog));
}

MemberPage& Members() {
    return *static_cast<frmMain*>(Page(5))->Members();
}

struct SweepWindow {
    const char* name;
    std::function<QWidget*()> open;
    // Keys the operator presses in a box of the window after typing, before leaving it
    // (a search box's Enter, Down and Up); none for most windows.
    std::vector<Qt::Key> keys = {};
};

// The counter's search box searches on Enter and walks the matches with Down and Up.
const std::vector<Qt::Key> kSearchKeys{Qt::Key_Return, Qt::Key_Down, Qt::Key_Up};

// How each window is opened; the sweep finds its controls. A new window adds one line.
const std::vector<SweepWindow>& Windows() {
    static const std::vector<SweepWindow> windows{
        {"出租服务", [] { return Page(0); }, kSearchKeys},
        {"归还服务", [] { return Page(1); }},
        {"光盘管理", [] { return Page(2); }},
        {"数据统计", [] { return Page(3); }},
        {"系统维护", [] { return Page(4); }},
        {"会员管理", [] { return Page(5); }},
        {"出售服务", [] { return Page(6); }, kSearchKeys},
        {"查找",
         [] { return Active((frmFind::instance().ShowFor(Catalogue()), &frmFind::instance())); }},
        {"选择打印格式",
         [] {
             return Active(
                 (frmSelPrint::CmdPrintStore_Click(Catalogue()), &frmSelPrint::instance()));
         }},
        {"本店的客户信息", [] { return Report<frmUserReport>(0); }},
        {"本店收入及支出信息", [] { return Report<frmReport>(1); }},
        {"显示光盘购买情况", [] { return Report<frmBuyReport>(2); }},
        {"本店光盘归还情况", [] { return Report<frmEarnReport>(3); }},
        {"出租情况", [] { return Report<frmBorrowReport>(4); }},
        {"显示出租最热门的光盘", [] { return Report<frmHotCDInfo>(5); }},
        {"本店光盘出售情况", [] { return Report<frmSellEarnInfo>(6); }},
        {"显示出售最热门的光盘", [] { return Report<frmSellHotCDInfo>(7); }},
        {"归还登记", [] { return Active(&ReturnDialog()); }},
        {"归还付款（会费）",
         [] {
             ReturnDialog();
             frmPayMoney::instance().Prepare("000001", Yuan(80), Money(), "身份证'复印件");
             return Active((frmPayMoney::instance().Show(vbModeless, &frmControlBack::instance()),
                            &frmPayMoney::instance()));
         }},
        {"归还付款（现金）",
         [] {
             ReturnDialog();
             frmPayMoney::instance().Prepare("散客", Yuan(6), Money(), "");
             return Active((frmPayMoney::instance().Show(vbModeless, &frmControlBack::instance()),
                            &frmPayMoney::instance()));
         }},
        {"出租登记", [] { return Active(&RentalCheckOut()); }},
        {"出租信息", [] { return WithRentalBasket(); }},
        {"押金结算", [] { return DepositSettlement(); }},
        {"出售登记", [] { return Active(&SaleCheckOut()); }},
        {"出售信息", [] { return WithSaleBasket(); }},
        {"付款", [] { return SalePayment(); }},
        {"会员信息",
         [] {
             return Active(
                 (frmMain::instance().ShowMemberInfo("000001", false), &frmDispUser::instance()));
         }},
        {"出租光盘列表",
         [] { return Active((Members().Command18_Click(), &frmUserBorrowLst::instance())); }},
        {"购买光盘列表",
         [] { return Active((Members().Command17_Click(), &frmUserSellLst::instance())); }},
        {"请稍候",
         [] {
             return Active((frmWait::instance().Show(vbModeless, &frmMain::instance()),
                            &frmWait::instance()));
         }},
    };
    return windows;
}

// SQLite's own words, which the operator must never read.
const char* const kRawDatabaseTexts[] = {"SQL", "syntax error", "near \"", "no such", "sqlite"};

bool ShowsRawDatabaseText(const MsgBoxCall& box) {
    for (const char* raw : kRawDatabaseTexts)
        if (box.prompt.contains(QLatin1String(raw), Qt::CaseInsensitive) ||
            box.title.contains(QLatin1String(raw), Qt::CaseInsensitive))
            return true;
    return false;
}

// An English sentence (two words or more in a row) anywhere but inside the quotes “…” that
// hold what the operator typed or a file's name.
bool ShowsEnglish(const MsgBoxCall& box) {
    static const QRegularExpression quoted(QStringLiteral("“[^”]*”"));
    static const QRegularExpression words(QStringLiteral("[A-Za-z]+[ ,:']+[A-Za-z]+"));
    for (QString text : {box.prompt, box.title})
        if (text.remove(quoted).contains(words)) return true;
    return false;
}

// A message quotes what was typed cut to its first 20 characters: never more of it.
bool QuotesMoreThanTwentyCharacters(const MsgBoxCall& box, const QString& typed) {
    const QString text = typed.trimmed();
    return text.size() > 20 && box.prompt.contains(text.left(21));
}

// A box that tells the operator something was not done: a hint ("提示"), a warning or an error.
bool IsRefusal(const MsgBoxCall& box) {
    const int icon = box.buttons & 0x70;
    return box.title == QStringLiteral("提示") || icon == vbCritical || icon == vbExclamation;
}

QString FirstDifference(const QStringList& before, const QStringList& after) {
    for (const QString& line : after)
        if (!before.contains(line)) return QStringLiteral("+ ") + line.left(160);
    for (const QString& line : before)
        if (!after.contains(line)) return QStringLiteral("- ") + line.left(160);
    return QString();
}

// Presses the button; a modal window the press opens (the return dialog's payment) is closed
// with its close box, as by an operator who thinks better of it, so that the press ends.
void PressClosingModals(QPushButton* button) {
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(10);
    button->click();
}

class BadInputSweepTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        ResetGlobalState();
        SetNow(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        SetPrintToPdfDir(QDir(Dir()).filePath("pdf"));
        FillShop();
        // Start-up's jobs run once here, so that every later start finds nothing to do.
        StartProgram();
        CloseProgram();
        QFile::copy(DbPath(), PristinePath());
    }

    void TearDown() override {
        CloseProgram();
        SetPrintToPdfDir(QString());
        ShopTest::TearDown();
    }

    // Titles of two formats and two movie types, members, a returned rental, a rental
    // still out and a sale.
    void FillShop() {
        Sql("insert into type values (3, 'DVD'), (5, 'VCD');"
            "insert into movietype values (1, '动作'), (12, '科幻');"
            "insert into cdinfo (cdid, id, name, actor, type, movietype, [key], count, restcount, "
            "price, borrowprice, sellprice, memberborrowprice, membersellprice, buydate, "
            "borrowpricetype, born, location, station, issell, isabandon) values "
            "('030100000001', 'A1', '英雄', '李连杰', 'DVD', '动作', 'a1 yx', 2, 2, 20, 3, 30, 3, "
            "30, '2004-03-07', '每天', '香港', 'A架', '未借出', 0, 0),"
            "('051200000001', 'B2', '星球大战', '', 'VCD', '科幻', 'b2 xqdz', 1, 1, 10, 2, 15, 2, "
            "15, '2005-06-01', '每次', '美国', 'B架', '未借出', 0, 0);"
            "insert into userinfo (userid, username, money, ispay) values ('000001', '张三', 50, "
            "1),"
            "('000002', '李四', 0, 0);"
            "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, "
            "isnotpaylst, CredenceType, isreturnall) values ('0301000000010001', '000001', "
            "'2026-12-01 10:00:00', 1, '&1#', '', '现金', 1);"
            "insert into returninfo (returnid, returndate, returncount, returnlst) values "
            "('03010000000100010001', '2026-12-03 10:00:00', 1, '&1#');"
            "insert into sellinfo (sellid, name, selldate, sellcount, selllst) values "
            "('0512000000010001', '000002', '2026-12-02 10:00:00', 1, '&1#');"
            // A rental still out, for the return page and its dialogs.
            "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, "
            "isnotpaylst, CredenceType, foregift, isreturnall) values ('0301000000010002', "
            "'000001', '2026-12-06 10:00:00', 1, '&2#', '&2#', '现金', 20, 0);"
            "update cdinfo set station = '借出部分' where cdid = '030100000001'");
    }

    QString PristinePath() const { return QDir(Dir()).filePath("pristine.mdb"); }

    void StartProgram() {
        Main();
        ASSERT_FALSE(gQuit) << "start-up refused the shop";
        ShowActive(&frmMain::instance());
        Settle();
    }

    // The shop as it was before the sweep, and the window opened afresh on it.
    QWidget* Reopen(const SweepWindow& window) {
        CloseProgram();
        QFile::remove(DbPath());
        QFile::copy(PristinePath(), DbPath());
        StartProgram();
        ++resets_;
        return window.open();
    }

    // One bad input into one control: typed, left, and the default button pressed.
    void Try(const SweepWindow& window, const SweepTarget& target, const BadInput& input) {
        if (!IsOpen()) open_ = Reopen(window);
        const QString where = QStringLiteral("%1 / %2 / %3")
                                  .arg(QString::fromUtf8(window.name), target.Describe(),
                                       QString::fromUtf8(input.what));
        QPointer<QWidget> control = FindTarget(open_, target);
        if (!control) {
            Fail(where, QStringLiteral("控件不能输入"));
            return;
        }
        const QStringList before = DatabaseDump(DbPath());
        MsgBoxLog::Get().Reset();
        ++tried_;
        if (!TypeInto(control, target, input.text)) Fail(where, QStringLiteral("没有打开输入"));
        for (const Qt::Key key : window.keys) {
            if (!control) break;
            QTest::keyClick(control, key);
            Settle();
        }
        if (open_ && control) LeaveControl(open_, control);
        if (open_) {
            if (QPushButton* button = DefaultButton(open_)) {
                PressClosingModals(button);
                Settle();
            }
        }
        Check(where, before, input.text);
    }

    void Check(const QString& where, const QStringList& before, const QString& typed) {
        if (!frmMain::isLoaded() || gQuit) Fail(where, QStringLiteral("主窗口关闭了"));
        bool refused = false;
        for (const MsgBoxCall& box : MsgBoxLog::Get().Calls()) {
            if (ShowsRawDatabaseText(box))
                Fail(where, QStringLiteral("消息含数据库原文：") + box.prompt);
            if (ShowsEnglish(box)) Fail(where, QStringLiteral("消息含英文：") + box.prompt);
            if (QuotesMoreThanTwentyCharacters(box, typed))
                Fail(where, QStringLiteral("消息引用了超过20个字的输入：") + box.prompt.left(60));
            refused = refused || IsRefusal(box);
        }
        const QString integrity = IntegrityCheck(DbPath());
        if (integrity != QStringLiteral("ok"))
            Fail(where, QStringLiteral("文件检查：") + integrity);
        const QStringList after = DatabaseDump(DbPath());
        if (refused && after != before) {
            Fail(where,
                 QStringLiteral("拒绝了却写入了：%1（%2）")
                     .arg(FirstDifference(before, after), MsgBoxLog::Get().Calls()[0].prompt));
        }
        dirty_ = dirty_ || after != before || !MsgBoxLog::Get().Calls().empty() || !IsOpen();
        if (qEnvironmentVariableIsSet("LUMTRAK_SWEEP_LOG")) {
            std::cout << where.toStdString() << ": " << (after != before ? "written" : "unchanged");
            for (const MsgBoxCall& box : MsgBoxLog::Get().Calls())
                std::cout << " [" << box.title.toStdString() << "] "
                          << box.prompt.left(90)
                                 .replace(QLatin1Char('\n'), QLatin1Char(' '))
                                 .toStdString();
            std::cout << std::endl;
        }
    }

    void Fail(const QString& where, const QString& what) {
        failures_ << where + QStringLiteral("：") + what.left(300);
    }

    // The window and the program are still there to take the next input.
    bool IsOpen() const { return open_ && open_->isVisible() && frmMain::isLoaded() && !gQuit; }

    // The inputs of one control follow one another on the same window, each checked against
    // the file as it stood right before it. The next control starts on the shop and the
    // window afresh when an input wrote, showed a message or closed the window.
    void Sweep(const SweepWindow& window) {
        open_ = Reopen(window);
        dirty_ = false;
        const std::vector<SweepTarget> targets = FindTargets(open_);
        ++windows_;
        controls_ += static_cast<int>(targets.size());
        for (const SweepTarget& target : targets) {
            if (dirty_) open_ = Reopen(window);
            dirty_ = false;
            for (const BadInput& input : BadInputs()) Try(window, target, input);
        }
    }

    QPointer<QWidget> open_;
    bool dirty_ = false;
    int windows_ = 0;
    int controls_ = 0;
    int tried_ = 0;
    int resets_ = 0;
    QStringList failures_;
};
}  // namespace

namespace {
// A window with the faults the sweep is there to catch: a box whose LostFocus writes what was
// typed and then refuses it, a box that shows the database's own words, and one that quotes
// the whole text typed.
class PlantedFaults : public Form {
  public:
    PlantedFaults() {
        setObjectName("PlantedFaults");
        auto* layout = new QVBoxLayout(this);
        auto* writesRefused = Named<QLineEdit>("WritesRefused");
        auto* showsRawText = Named<QLineEdit>("ShowsRawText");
        auto* quotesAll = Named<QLineEdit>("QuotesAll");
        layout->addWidget(writesRefused);
        layout->addWidget(showsRawText);
        layout->addWidget(quotesAll);
        layout->addWidget(Named<QPushButton>("Elsewhere", QStringLiteral("别处")));
        OnLostFocus(writesRefused, this, [writesRefused] {
            gConn.Execute("update pricepercent set tax = tax + 1");
            MsgBox(QStringLiteral("“%1”不对").arg(writesRefused->text().left(8)), vbOKOnly,
                   QStringLiteral("提示"));
        });
        OnLostFocus(showsRawText, this, [] {
            MsgBox(QStringLiteral("数据库操作失败：near \"x\": syntax error"), vbCritical);
        });
        OnLostFocus(quotesAll, this, [quotesAll] {
            MsgBox(QStringLiteral("“%1”不对").arg(quotesAll->text()), vbOKOnly,
                   QStringLiteral("提示"));
        });
    }
};
}  // namespace

TEST_F(BadInputSweepTest,
       TheSweepCatchesARefusedInputThatWasWrittenTheDatabasesWordsAndAWholeQuote) {
    Sweep({"planted", [] { return Active(new PlantedFaults); }});
    EXPECT_EQ(controls_, 3);
    // Each input fails its control (the first move into the second box may also leave the first).
    EXPECT_GE(failures_.filter(QStringLiteral("WritesRefused")).size(), BadInputs().size());
    EXPECT_GE(failures_.filter(QStringLiteral("ShowsRawText")).size(), BadInputs().size());
    EXPECT_TRUE(
        failures_.filter(QStringLiteral("WritesRefused")).first().contains("拒绝了却写入了"));
    EXPECT_TRUE(
        failures_.filter(QStringLiteral("ShowsRawText")).first().contains("消息含数据库原文"));
    EXPECT_FALSE(failures_.filter(QStringLiteral("ShowsRawText")).filter("消息含英文").isEmpty());
    const QStringList wholeQuotes =
        failures_.filter(QStringLiteral("QuotesAll")).filter("消息引用了超过20个字的输入");
    ASSERT_EQ(wholeQuotes.size(), 1) << failures_.join('\n').toStdString();
    EXPECT_TRUE(wholeQuotes[0].contains("一万个字符")) << wholeQuotes[0].toStdString();
}

TEST_F(BadInputSweepTest, EveryControlOfEveryWindowTakesEveryBadInputSafely) {
    for (const SweepWindow& window : Windows()) Sweep(window);
    std::cout << "[ sweep    ] windows " << windows_ << ", controls visited " << controls_
              << ", inputs tried " << tried_ << ", failures " << failures_.size() << ", restarts "
              << resets_ << std::endl;
    EXPECT_GT(controls_, 20) << "the sweep found the controls of the pages";
    EXPECT_EQ(tried_, controls_ * static_cast<int>(BadInputs().size()));
    EXPECT_TRUE(failures_.isEmpty()) << failures_.mid(0, 40).join('\n').toStdString();
}
