// Starts the program on a shop database under the offscreen platform and writes a
// picture of the main window for each page and counter mode, of the report and member
// windows, and of Qt's own windows as the operator meets them (the export's save dialog, the
// member card's preview) and of the box that tells a database held by another program, with
// the titles and tool button names of these windows, which their pictures do not show:
//   lumtrak-screenshots <program folder with cdmanage.mdb> <output folder>
// Questions asked at start (fee, fold) are answered No.
#include <sqlite3.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <cstdio>
#include <functional>

#include "core/mdlMain.h"
#include "members/MemberPage.h"
#include "members/frmDispUser.h"
#include "members/frmUserBorrowLst.h"
#include "members/frmUserSellLst.h"
#include "platform/app/AppPath.h"
#include "platform/app/HashSeed.h"
#include "platform/db/DbError.h"
#include "platform/ui/Application.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/QtTranslation.h"
#include "printout/ReportWindow.h"
#include "reports/StatisticsPage.h"
#include "shell/Startup.h"
#include "shell/frmMain.h"

namespace {
struct Shot {
    int button;  // the page button pressed before the picture
    const char* file;
};
constexpr Shot kShots[] = {
    {0, "1-counter-rental.png"}, {6, "2-counter-sale.png"}, {1, "3-returns.png"},
    {2, "4-catalogue.png"},      {3, "5-statistics.png"},   {4, "6-settings.png"},
    {5, "7-members.png"},
};

// The report windows, opened by their links on the statistics page, each period shown
// (-1: a window without periods).
struct ReportShot {
    int link;
    const char* window;
    int period;
    const char* file;
};
constexpr ReportShot kReportShots[] = {
    {0, "frmUserReport", -1, "8-customers.png"},
    {1, "frmReport", 0, "9-income-years.png"},
    {1, "frmReport", 1, "9-income-months.png"},
    {1, "frmReport", 2, "9-income-days.png"},
    {2, "frmBuyReport", 0, "10-purchases-week.png"},
    {2, "frmBuyReport", 1, "10-purchases-month.png"},
    {2, "frmBuyReport", 2, "10-purchases-year.png"},
};

void Settle() {
    for (int i = 0; i < 5; ++i) DoEvents();
}

ReportWindow* ShownReport(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return qobject_cast<ReportWindow*>(w);
    }
    return nullptr;
}

// The member with the most rentals still out, current on the member page.
QString BusiestMember(MemberPage& page) {
    const QString member =
        gConn
            .Scalar(
                "select name from borrowinfo where isreturnall = 0 and name in "
                "(select userid from userinfo) group by name order by count(*) desc limit 1")
            .ToString();
    for (int p = 1; p <= page.adoUser->RecordCount(); ++p)
        if (page.adoUser->ValueAt(p, page.adoUser->FieldIndex("userid")).ToString() == member)
            page.adoUser->SetAbsolutePosition(p);
    return member;
}

bool Save(QWidget* window, const QDir& out, const char* file) {
    const QString path = out.filePath(file);
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
}
// What a picture of a window without its frame does not show: its title, and the names of
// the buttons of its tool bars that show only an icon (a print preview's), so that one can
// read that they too are in Chinese.
void TellUnseenTexts(QWidget* window) {
    std::printf("  title: %s\n", window->windowTitle().toUtf8().constData());
    QStringList buttons;
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        for (QAction* action : bar->actions())
            if (action->isVisible() && !action->text().isEmpty()) buttons << action->text();
    if (!buttons.isEmpty())
        std::printf("  buttons: %s\n", buttons.join(QStringLiteral(" | ")).toUtf8().constData());
}

// Pictures the modal window of type W that `open` shows (at least `size` large), then closes
// it. False when none showed or the picture could not be written.
template <class W>
bool SaveModal(const QDir& out, const char* file, const std::function<void()>& open,
               QSize size = QSize()) {
    bool saved = false;
    std::function<void(int)> look = [&](int tries) {
        QTimer::singleShot(50, [&, tries] {
            auto* shown = qobject_cast<W*>(QApplication::activeModalWidget());
            if (!shown) {
                if (tries > 0) look(tries - 1);
                return;
            }
            if (size.isValid()) shown->resize(shown->size().expandedTo(size));
            Settle();
            saved = Save(shown, out, file);
            TellUnseenTexts(shown);
            shown->close();
        });
    };
    look(100);
    open();
    Settle();
    return saved;
}

// Another program writing the shop's file: the program's own write waits a moment, then
// tells the operator.
bool SaveLockedDatabaseBox(const QDir& out) {
    sqlite3* other = nullptr;
    sqlite3_open_v2(gConn.DataSource().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE,
                    nullptr);
    sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    const int wait = gConn.BusyTimeout();
    gConn.SetBusyTimeout(50);
    const bool saved = SaveModal<QMessageBox>(out, "32-database-locked.png", [] {
        RunReported([] { gConn.Execute("update pricepercent set tax = tax"); });
    });
    gConn.SetBusyTimeout(wait);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    return saved;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <program folder> <output folder>\n", argv[0]);
        return 2;
    }
    UseFixedHashSeed();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    ApplyCjkFonts();
    InstallQtTranslation();
    SetAppPath(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());
    SetMsgBoxResponder([](const MsgBoxCall& call) {
        std::fprintf(stderr, "box: %s\n", call.prompt.toUtf8().constData());
        return (call.buttons & 7) == vbYesNo ? vbNo : vbOK;
    });
    Main();
    if (gQuit) return 1;
    frmMain& main = frmMain::instance();
    // One size for the pictures, whatever screen the platform stands for.
    main.setWindowState(Qt::WindowNoState);
    main.resize(1280, 860);
    Settle();
    for (const Shot& shot : kShots) {
        main.Image3_Click(shot.button);
        Settle();
        if (!Save(&main, out, shot.file)) return 1;
    }
    main.Image3_Click(3);
    for (const ReportShot& shot : kReportShots) {
        main.Statistics()->LblReport_Click(shot.link);
        Settle();
        ReportWindow* report = ShownReport(shot.window);
        if (!report) return 1;
        if (shot.period >= 0) {
            report->Combo1->setCurrentIndex(shot.period);
            report->Combo1_Click();
            Settle();
        }
        if (!Save(report, out, shot.file)) return 1;
    }
    main.Image3_Click(5);
    Settle();
    MemberPage& members = *main.Members();
    const QString member = BusiestMember(members);
    Settle();
    if (!Save(&main, out, "20-member-page-busiest.png")) return 1;
    main.ShowMemberInfo(member, false);
    Settle();
    if (!Save(&frmDispUser::instance(), out, "21-member-info.png")) return 1;
    members.Command18_Click();
    members.Command17_Click();
    Settle();
    if (!Save(&frmUserBorrowLst::instance(), out, "22-member-rentals.png")) return 1;
    if (!Save(&frmUserSellLst::instance(), out, "23-member-purchases.png")) return 1;

    // Qt's own windows and a failure box, shown for real: no answers scripted.
    ClearMsgBoxResponder();
    if (!SaveModal<QPrintPreviewDialog>(
            out, "31-member-card-preview.png", [&] { members.CmdPrint_Click(); }, QSize(900, 640)))
        return 1;
    main.Image3_Click(3);
    main.Statistics()->LblReport_Click(2);
    Settle();
    ReportWindow* purchases = ShownReport("frmBuyReport");
    if (!purchases || !SaveModal<QFileDialog>(out, "30-export-save-dialog.png",
                                              [&] { purchases->CmdOutput_Click(); }))
        return 1;
    if (!SaveLockedDatabaseBox(out)) return 1;
    return 0;
}
