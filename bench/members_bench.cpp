// The member page on the large shop (5,000 members, 300,000 rentals):
//  - opening page 5: the member recordset read afresh, the grid and the fields bound, the
//    account panel filled (goal: under 16 ms);
//  - a row change of the grid: the save of the row left (nothing pending) and the account
//    panel of the new member (goal: under 16 ms);
//  - the number of a new member: the highest six-digit number of the members and of every
//    rental and sale line's customer (goal: under 50 ms, once per "新会员(&N)"); and, once
//    999999 is taken, the lowest number still unused (the same goal).
#include <benchmark/benchmark.h>

#include "bench/BenchMain.h"
#include "bench/BenchProgram.h"

#include <QTabWidget>

#include "core/mdlMain.h"
#include "members/MemberNumber.h"
#include "members/MemberPage.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MsgBox.h"

namespace {
// The member page in a shown window, as the main window holds it, on the large shop.
MemberPage& Page() {
    static QWidget* window = nullptr;
    static MemberPage* page = nullptr;
    if (!page) {
        SetNow(QDateTime(kBenchToday, QTime(9, 0)));
        PrintAndAcceptMessages();
        gConn.OpenFile(BenchShop("large"));
        window = new QTabWidget;
        page = new MemberPage;
        static_cast<QTabWidget*>(window)->addTab(page, "会员管理");
        window->resize(1240, 820);
        window->show();
        page->Activate(5);
        QApplication::processEvents();
    }
    return *page;
}

void BM_OpenMemberPage(benchmark::State& state) {
    MemberPage& page = Page();
    for (auto _ : state) {
        page.Activate(5);
        QApplication::processEvents();
    }
    state.counters["members"] = page.adoUser->RecordCount();
}
BENCHMARK(BM_OpenMemberPage)->Unit(benchmark::kMillisecond);

// Rows of the busiest members, clicked in turn in the grid.
void BM_RowChange(benchmark::State& state) {
    MemberPage& page = Page();
    page.Activate(5);
    DataGrid* grid = page.DataGrid1;
    const int rows = page.adoUser->RecordCount();
    int n = 0;
    for (auto _ : state) {
        const int row = (++n * 997) % rows;
        grid->setCurrentIndex(grid->model()->index(row, 1));
        QApplication::processEvents();
    }
    state.counters["members"] = rows;
    if (page.adoUser->AbsolutePosition() == 0) state.SkipWithError("no member became current");
}
BENCHMARK(BM_RowChange)->Unit(benchmark::kMillisecond);

void BM_NewMemberNumber(benchmark::State& state) {
    Page();  // the large shop open
    QString number;
    for (auto _ : state) number = MemberNumber::Next(gConn).value_or(QString());
    if (number.isEmpty()) state.SkipWithError("no number left");
}
BENCHMARK(BM_NewMemberNumber)->Unit(benchmark::kMillisecond);

// The same once a member numbered 999999 by hand has taken the last number: the lowest
// number no member holds and no line carries (the member is taken out again afterwards).
void BM_NewMemberNumberAfterTheLast(benchmark::State& state) {
    Page();
    Transaction t(gConn);
    gConn.Execute("insert into userinfo (userid, username) values ('999999', '手工编号')");
    QString number;
    for (auto _ : state) number = MemberNumber::Next(gConn).value_or(QString());
    if (number.isEmpty()) state.SkipWithError("no number left");
    state.counters["number"] = number.toDouble();
}
BENCHMARK(BM_NewMemberNumberAfterTheLast)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
