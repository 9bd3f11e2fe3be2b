#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "core/mdlMain.h"
#include "platform/app/SaveTarget.h"
#include "platform/excel/SheetRenderer.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/SaveFileDialog.h"
#include "printout/ReportExport.h"
#include "printout/frmProgress.h"
#include "tests/platform/excel/ExcelTestKit.h"
#include "tests/printout/ReportFixture.h"
#include "tests/printout/SampleReport.h"

namespace {
QString Name(int i) {
    return QString("影片%1").arg(i, 3, 10, QChar('0'));
}

bool ActionsEnabled(const ReportWindow& w) {
    return w.Combo1->isEnabled() && w.CmdOutput->isEnabled() && w.CmdPrint->isEnabled();
}

bool ActionsDisabled(const ReportWindow& w) {
    return !w.Combo1->isEnabled() && !w.CmdOutput->isEnabled() && !w.CmdPrint->isEnabled();
}
}  // namespace

// The frame of the report windows on a shop of `titles` titles (and the totals row).
class ReportWindowTest : public ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        gShopName = "星光";
        SetNow(QDateTime(QDate(2026, 3, 5), QTime(10, 0)));
    }
    void TearDown() override {
        frmSampleReport::unload();
        frmProgress::unload();
        Settle();
        ClearSaveFileResponder();
        gConn.Close();
        gShopName.clear();
        ReportFixture::TearDown();
    }

    frmSampleReport& Open(int titles) {
        QStringList rows;
        for (int i = 1; i <= titles; ++i)
            rows << QString("('%1', 'A%2', '%3', 'DVD', 1, 1, 20, '2026-03-01')")
                        .arg(QString::number(i).rightJustified(12, '0'))
                        .arg(i)
                        .arg(Name(i));
        if (!rows.isEmpty())
            Sql("insert into cdinfo (cdid, id, name, type, count, restcount, price, buydate) "
                "values " +
                rows.join(','));
        gConn.OpenFile(DbPath());
        frmSampleReport& w = frmSampleReport::instance();
        w.Show();
        return w;
    }

    // The save dialog answers path, after recording what it proposed.
    void SaveAnswers(const QString& path) {
        SetSaveFileResponder([this, path](const SaveFileCall& call) {
            proposed_ = call;
            return path;
        });
    }
    QString Target(const QString& name = "out.xlsx") const { return QDir(Dir()).filePath(name); }

    SaveFileCall proposed_;
};

TEST_F(ReportWindowTest, ExportLaysPagesFromTheTemplateAndTellsWhereTheFileIs) {
    frmSampleReport& w = Open(32);  // 33 body rows: a second page for the totals row
    ASSERT_EQ(w.BodyGrid()->Rows(), 33);
    SaveAnswers(Target());
    w.CmdOutput_Click();

    EXPECT_EQ(proposed_.filter, "Excel (*.xlsx)");
    EXPECT_EQ(proposed_.fileName, QDir(Dir()).filePath("BuyReport202635.xlsx"));
    ASSERT_EQ(Prompts(), std::vector<QString>{"请查看" + Target() + "文件"});
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
    EXPECT_FALSE(frmProgress::isLoaded()) << "the progress window goes with the row loop";
    EXPECT_TRUE(ActionsEnabled(w));

    const QJsonObject book = ReadWithOpenpyxl(Target());
    ASSERT_FALSE(book.contains("error")) << book["error"].toString().toStdString();
    const QJsonObject out = SheetOf(book, 0);
    const QJsonObject cells = out["cells"].toObject();
    EXPECT_EQ(cells["A4"].toString(), Name(1));
    EXPECT_EQ(cells["C4"].toString(), "20") << "the grid's text, as shown";
    EXPECT_EQ(cells["A35"].toString(), Name(32));
    EXPECT_EQ(cells["A36"].toString(), "第1页");
    EXPECT_EQ(cells["A40"].toString(), "合计") << "page 2 starts at row 37, data from row 40";
    EXPECT_EQ(cells["A72"].toString(), "第2页");
    EXPECT_EQ(cells["A37"].toString(), "星光全部光盘") << "every page carries the frame's title";
    EXPECT_EQ(cells["A39"].toString(), "影片名称");
    EXPECT_EQ(out["row_breaks"].toArray(), (QJsonArray{36, 72}));
    EXPECT_EQ(out["col_breaks"].toArray(), QJsonArray{5}) << "a break after column E";
    const QJsonObject heights = out["heights"].toObject();
    EXPECT_DOUBLE_EQ(heights["37"].toDouble(), 33);
    EXPECT_DOUBLE_EQ(heights["38"].toDouble(), 20);
    EXPECT_DOUBLE_EQ(heights["39"].toDouble(), 33);
    EXPECT_DOUBLE_EQ(heights["72"].toDouble(), 22);
    EXPECT_NEAR(out["widths"].toObject()["A"].toDouble(), StoredWidth(31), 0.01);
    const QJsonObject frame = SheetOf(book, 1)["cells"].toObject();
    EXPECT_EQ(frame["A1"].toString(), "星光全部光盘");
    EXPECT_EQ(frame["A3"].toString(), "影片名称");
    EXPECT_FALSE(frame["A2"].toString().contains("2026")) << "the export writes no print date";
}

// A spreadsheet program prints the workbook one page block to a sheet of paper: its data
// columns scaled to the paper's width, the blocks as print area, the frame sheet hidden.
TEST_F(ReportWindowTest, TheWorkbookPrintsEachPageBlockOnOneSheetOfPaper) {
    frmSampleReport& w = Open(32);
    SaveAnswers(Target());
    w.CmdOutput_Click();
    const QJsonObject book = ReadWithOpenpyxl(Target());
    ASSERT_FALSE(book.contains("error")) << book["error"].toString().toStdString();
    const QJsonObject out = SheetOf(book, 0);
    EXPECT_EQ(out["state"].toString(), "visible");
    EXPECT_TRUE(out["fit_to_page"].toBool());
    EXPECT_EQ(out["fit_to_width"].toInt(), 1) << "one page wide";
    EXPECT_EQ(out["fit_to_height"].toInt(), 0) << "as many pages down as there are blocks";
    EXPECT_EQ(out["print_area"].toString(), "$A$1:$E$72");
    EXPECT_EQ(out["row_breaks"].toArray(), (QJsonArray{36, 72}));
    const QJsonObject frame = SheetOf(book, 1);
    EXPECT_EQ(frame["name"].toString(), "页面格式");
    EXPECT_EQ(frame["state"].toString(), "hidden") << "kept, but not printed";

    // The pages as the program itself lays the saved sheet out on paper.
    auto saved = Workbook::Open(Target());
    EXPECT_EQ(SheetRenderer(saved->Worksheets(1)).Pages(),
              (std::vector<CellRect>{{1, 1, 36, 5}, {37, 1, 72, 5}}));
    EXPECT_FALSE(saved->Worksheets(2).Visible());
}

TEST_F(ReportWindowTest, CancelAndNoDiscardTheWorkbookWithoutAWord) {
    frmSampleReport& w = Open(3);
    SaveAnswers(QString());
    w.CmdOutput_Click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_TRUE(QDir(Dir()).entryList({"*.xlsx"}).isEmpty());

    QFile old(Target());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the earlier workbook");
    old.close();
    SaveAnswers(Target());
    MsgBoxLog::Get().QueueAnswer(vbNo);
    w.CmdOutput_Click();
    ASSERT_EQ(Prompts(), std::vector<QString>{Target() + "已存在，替换吗？"});
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].buttons, vbYesNo + vbQuestion);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
    EXPECT_EQ(Bytes(Target()), QByteArray("the earlier workbook"));

    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    w.CmdOutput_Click();
    EXPECT_EQ(Prompts(),
              (std::vector<QString>{Target() + "已存在，替换吗？", "请查看" + Target() + "文件"}));
    EXPECT_EQ(SheetOf(ReadWithOpenpyxl(Target()), 0)["cells"].toObject()["A4"].toString(), Name(1));
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files | QDir::Hidden).filter(".xlsx").size(), 1)
        << "no temporary file left beside it";
}

// The templates, under any spelling of their path (a link to one, a hard link, "." and
// ".."), anything else in support/, the database's journal and the program itself are
// refused before any question, naming the file; nothing is written and the export ends.
TEST_F(ReportWindowTest, NoFileOfTheProgramIsASaveTargetWhateverItsSpelling) {
    frmSampleReport& w = Open(3);
    const QString templ = QDir(SupportDir()).filePath("BuyReport.xltx");
    const QString other = QDir(SupportDir()).filePath("UserInfo.xltx");
    const QByteArray before = Bytes(templ);
    const QByteArray otherBefore = Bytes(other);
    const QString link = Target("link.xlsx");
    ASSERT_TRUE(QFile::link(templ, link));
    const QString hard = Target("hard.xlsx");
    ASSERT_EQ(::link(QFile::encodeName(other).constData(), QFile::encodeName(hard).constData()), 0);
    const QString linkedFolder = Target("parts");
    ASSERT_TRUE(QFile::link(SupportDir(), linkedFolder));
    const QStringList targets{templ,
                              QDir(SupportDir()).filePath("../support/./UserInfo.xltx"),
                              Dir() + "//support///BuyReport.xltx",
                              link,
                              hard,
                              linkedFolder + "/BuyReport.xltx",
                              QDir(SupportDir()).filePath("new.xlsx"),
                              DbPath() + "-journal"};
    for (const QString& target : targets) {
        ForgetPrompts();
        SaveAnswers(target);
        MsgBoxLog::Get().QueueAnswer(vbYes);
        w.CmdOutput_Click();
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u)
            << "no replace question: " << target.toStdString();
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].buttons & 0x70, vbCritical);
        EXPECT_TRUE(Prompts()[0].startsWith(target)) << Prompts()[0].toStdString();
        EXPECT_TRUE(Prompts()[0].contains("不能保存到这个文件上")) << Prompts()[0].toStdString();
        EXPECT_TRUE(ActionsEnabled(w));
    }
    EXPECT_EQ(Bytes(templ), before);
    EXPECT_EQ(Bytes(other), otherBefore);
    EXPECT_FALSE(QFileInfo::exists(QDir(SupportDir()).filePath("new.xlsx")));
    EXPECT_FALSE(QFileInfo::exists(DbPath() + "-journal"));
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link is left as it was";
    EXPECT_TRUE(SaveTarget::Refusal(QCoreApplication::applicationFilePath()).contains("程序文件"));
    EXPECT_TRUE(SaveTarget::Refusal(QDir(Dir()).filePath("Lumtrak")).contains("程序文件"));
    EXPECT_TRUE(SaveTarget::Refusal(Target("support.xlsx")).isEmpty()) << "a name like it is fine";

    ForgetPrompts();
    SaveAnswers(Target());
    w.CmdOutput_Click();
    EXPECT_EQ(Prompts(), std::vector<QString>{"请查看" + Target() + "文件"});
}

// The progress bar is full when the last body row has been written.
TEST_F(ReportWindowTest, TheProgressBarFillsWithTheLastRow) {
    frmSampleReport& w = Open(32);
    QProgressBar* bar = frmProgress::instance().ProgressBar1;
    int last = 0;
    int maximum = 0;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        last = value;
        maximum = bar->maximum();
    });
    SaveAnswers(QString());
    w.CmdOutput_Click();
    EXPECT_EQ(last, 33);
    EXPECT_EQ(maximum, 33) << "the body grid's rows";
}

// While the export lays its rows, the progress window stands over the report window and is
// painted with its bar and its count of rows: looked at from a timer as the export goes.
TEST_F(ReportWindowTest, TheProgressWindowIsPaintedWithItsBarWhileTheExportRuns) {
    frmSampleReport& w = Open(299);  // 300 body rows
    struct Look {
        bool shown;
        QString title;
        int value;
        QString text;
        QWidget* parent;
    };
    std::vector<Look> looks;
    int paints = 0;
    struct PaintCounter : QObject {
        int* count;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++*count;
            return false;
        }
    } counter;
    counter.count = &paints;
    frmProgress::instance().ProgressBar1->installEventFilter(&counter);
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (!frmProgress::isLoaded()) return;
        frmProgress& p = frmProgress::instance();
        looks.push_back({p.isVisible(), p.windowTitle(), p.ProgressBar1->value(),
                         p.ProgressBar1->text(), p.parentWidget()});
    });
    ticker.start(0);
    SaveAnswers(QString());
    w.CmdOutput_Click();
    ticker.stop();
    ASSERT_GT(looks.size(), 10u) << "the window was looked at as the rows went in";
    for (const Look& l : looks) {
        EXPECT_TRUE(l.shown);
        EXPECT_EQ(l.title, "正在导出");
        EXPECT_EQ(l.text, QString("已写入 %1 / 300 行").arg(l.value));
        EXPECT_EQ(l.parent, &w) << "over the report window";
    }
    EXPECT_LT(looks.front().value, 50);
    EXPECT_GT(looks.back().value, 250) << "the bar went on with the rows";
    EXPECT_GT(paints, 10) << "painted as it went, not only at the end";
    EXPECT_FALSE(frmProgress::isLoaded()) << "gone before the save dialog";
}

// Choosing an existing file in the real save dialog: the dialog itself asks nothing, the
// program asks once, in its own words; a file of the program is refused without a question.
TEST_F(ReportWindowTest, TheSaveDialogLeavesTheReplaceQuestionToTheProgram) {
    frmSampleReport& w = Open(3);
    QFile old(Target());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the earlier workbook");
    old.close();
    ClearSaveFileResponder();
    QStringList shownByQt;
    bool dontConfirm = false;
    QString choice;
    // Drives whatever modal window the export shows: the dialog chooses `choice`; a box
    // of Qt's own is recorded and answered Yes, so that the export goes on.
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shownByQt << box->text();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                QTimer::singleShot(0, yes, &QAbstractButton::click);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (dialog->property("driven").toBool()) return;
            dialog->setProperty("driven", true);
            dontConfirm = dialog->testOption(QFileDialog::DontConfirmOverwrite);
            // What the operator types into the dialog's name box.
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(choice);
            QTimer::singleShot(0, dialog, &QDialog::accept);
        }
    });
    driver.start(20);

    choice = Target();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    w.CmdOutput_Click();
    EXPECT_TRUE(dontConfirm);
    EXPECT_TRUE(shownByQt.isEmpty()) << shownByQt.join(" | ").toStdString();
    EXPECT_EQ(Prompts(),
              (std::vector<QString>{Target() + "已存在，替换吗？", "请查看" + Target() + "文件"}));
    EXPECT_EQ(SheetOf(ReadWithOpenpyxl(Target()), 0)["cells"].toObject()["A4"].toString(), Name(1));

    ForgetPrompts();
    choice = QDir(SupportDir()).filePath("BuyReport.xltx");
    const QByteArray templ = Bytes(choice);
    w.CmdOutput_Click();
    driver.stop();
    EXPECT_TRUE(shownByQt.isEmpty()) << shownByQt.join(" | ").toStdString();
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("support文件夹")) << Prompts()[0].toStdString();
    EXPECT_EQ(Bytes(choice), templ);
}

// Each reason a file cannot be written is told in its own Chinese sentence, never in the file
// system's English; nothing is written and no question is asked.
TEST_F(ReportWindowTest, AFolderThatCannotTakeTheFileIsToldAndNothingIsWritten) {
    frmSampleReport& w = Open(3);
    const QString missing = QDir(Dir()).filePath("nosuchfolder/out.xlsx");
    const QString underAFile = QDir(Dir()).filePath("notes.txt/out.xlsx");  // "Not a directory"
    QFile notes(QDir(Dir()).filePath("notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    const QString readOnly = "/proc/out.xlsx";  // read-only even for the superuser
    const QString folder = QDir(Dir()).filePath("earlier.xlsx");
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::vector<std::pair<QString, QString>> refusals{
        {missing, "所在的文件夹不存在。"},
        {underAFile, "所在的文件夹不存在。"},
        {readOnly, "所在的文件夹不能写入（它是只读的，或者没有写入的权限）。"},
        {folder, "是一个文件夹，不能作为文件使用。"},
    };
    for (const auto& [target, why] : refusals) {
        ForgetPrompts();
        SaveAnswers(target);
        w.CmdOutput_Click();
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u) << target.toStdString();
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
        EXPECT_EQ(Prompts()[0], "导出没有完成：文件“" + target + "”" + why);
        EXPECT_FALSE(QFileInfo(target).isFile());
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(Dir()).filePath("nosuchfolder")));
    EXPECT_TRUE(QDir(folder).isEmpty());
    EXPECT_TRUE(ActionsEnabled(w));
}

TEST_F(ReportWindowTest, AMissingOrBrokenTemplateEndsTheExportWithOneBox) {
    frmSampleReport& w = Open(3);
    bool asked = false;
    SetSaveFileResponder([&](const SaveFileCall&) {
        asked = true;
        return Target();
    });
    const QString templ = QDir(SupportDir()).filePath("BuyReport.xltx");
    QFile broken(templ);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a workbook");
    broken.close();
    w.CmdOutput_Click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_TRUE(Prompts()[0].startsWith("导出没有完成")) << Prompts()[0].toStdString();
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");

    ForgetPrompts();
    ASSERT_TRUE(QFile::remove(templ));
    w.CmdPrint_Click();
    w.CmdOutput_Click();
    const QString missing = "丢失" + templ + "模板";
    EXPECT_EQ(Prompts(), (std::vector<QString>{missing, missing}));
    EXPECT_FALSE(asked) << "no save dialog after a failed template";
    EXPECT_FALSE(QFileInfo::exists(Target()));
    EXPECT_FALSE(frmProgress::isLoaded());
    EXPECT_TRUE(ActionsEnabled(w));
}

TEST_F(ReportWindowTest, PrintSendsEachPageWithTitleHeadingDateAndNumber) {
    frmSampleReport& w = Open(32);
    w.CmdPrint_Click();
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1) << "one printout, one file";
    const QStringList pages = PdfPagesText(jobs[0]);
    ASSERT_EQ(pages.size(), 2);
    const QString first = pages[0];
    const QString second = pages[1];
    for (const QString& page : {first, second}) {
        EXPECT_TRUE(page.contains("星光全部光盘"));
        EXPECT_TRUE(page.contains("影片名称"));
        EXPECT_TRUE(page.contains("打印日期：2026年3月5日"));
    }
    EXPECT_TRUE(first.contains(Name(32)) && first.contains("第1页"));
    EXPECT_TRUE(second.contains("合计") && second.contains("第2页"));
    EXPECT_FALSE(second.contains(Name(1)));
    EXPECT_TRUE(ActionsEnabled(w));
}

// While a print yields, its window refuses another refill, export or print, and the
// print goes on over the rows it started with.
TEST_F(ReportWindowTest, APrintRunsOnItsSnapshotWithTheActionsDisabled) {
    frmSampleReport& w = Open(40);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        checked = true;
        EXPECT_TRUE(w.Running());
        EXPECT_TRUE(ActionsDisabled(w));
        Sql("delete from cdinfo");
        w.Combo1_Click();  // a refill to no rows would end the loop early
        w.CmdPrint_Click();
        w.CmdOutput_Click();
        EXPECT_EQ(w.BodyGrid()->Rows(), 41) << "no refill while it prints";
    });
    w.CmdPrint_Click();
    EXPECT_TRUE(checked);
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1);
    const QStringList pages = PdfPagesText(jobs[0]);
    ASSERT_EQ(pages.size(), 2) << "one print, both pages";
    EXPECT_TRUE(pages[1].contains(Name(40)));
    EXPECT_TRUE(ActionsEnabled(w));
    w.Combo1_Click();
    EXPECT_EQ(w.BodyGrid()->Rows(), 1) << "refills again once the print is over";
}

TEST_F(ReportWindowTest, ClosingTheWindowStopsItsPrintAtTheNextRow) {
    frmSampleReport& w = Open(40);
    int rows = 0;
    // Every row's yield runs this; the window closes on the second page.
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++rows == 35 && frmSampleReport::isLoaded()) frmSampleReport::instance().Unload();
    });
    ticker.start(0);
    w.CmdPrint_Click();
    ticker.stop();
    EXPECT_FALSE(frmSampleReport::isLoaded());
    ASSERT_EQ(PdfFiles(PdfDir()).size(), 1);
    EXPECT_EQ(PdfPagesText(PdfFiles(PdfDir())[0]).size(), 1)
        << "the first page was printed, the second not";
    Settle();
}

TEST_F(ReportWindowTest, AFailingQueryIsToldOnceAndLeavesTheBodyEmpty) {
    frmSampleReport& w = Open(3);
    w.Combo1->setCurrentIndex(1);
    w.Combo1_Click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
    EXPECT_EQ(Prompts()[0], "数据库命令执行出错（错误代码 1）。")
        << "never the database's own words";
    EXPECT_EQ(w.BodyGrid()->Rows(), 0);
    EXPECT_TRUE(ActionsEnabled(w));
}

TEST_F(ReportWindowTest, ARefillStopsWhenItsWindowClosesWhileItYields) {
    frmSampleReport& w = Open(5);
    w.onRow = [](int row) {
        if (row == 2) QTimer::singleShot(0, [] { frmSampleReport::instance().Unload(); });
        return frmSampleReport::instance().YieldRefill();
    };
    w.Combo1_Click();
    EXPECT_FALSE(frmSampleReport::isLoaded());
    Settle();
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}
