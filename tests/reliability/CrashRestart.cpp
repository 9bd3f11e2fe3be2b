#include "tests/reliability/CrashRestart.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QDataStream>
#include <algorithm>
#include <cstdlib>

#include "core/CopyList.h"
#include "core/OpenBaskets.h"
#include "core/ShelfCopies.h"
#include "core/mdlMain.h"
#include "counter/LeftOpenBaskets.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/db/Recordset.h"
#include "platform/db/Statement.h"
#include "platform/ui/MsgBox.h"
#include "returns/ReturnPage.h"
#include "shell/Startup.h"
#include "tests/reliability/CrashAction.h"
#include "tests/reliability/CrashInvariants.h"
#include "tests/reliability/CrashShop.h"
#include "tests/support/DatabaseDump.h"
#include "tests/support/Pipes.h"

namespace {
constexpr int kStartedExit = 0;
constexpr int kStartFailedExit = 72;  // start-up raised, or its report did not go through
constexpr int kCdidLength = 12;

const char* const kOpenBaskets =
    "select kind, basketno, name from openbasket order by kind, basketno";
const char* const kRentalLinesOf =
    "select b.borrowid, coalesce(c.name, ''), b.borrowlst from borrowinfo as b "
    "left join cdinfo as c on c.cdid = substr(b.borrowid, 1, 12) "
    "where substr(b.borrowid, -4) = ?1";
const char* const kSaleLinesOf =
    "select s.sellid, coalesce(c.name, ''), s.selllst from sellinfo as s "
    "left join cdinfo as c on c.cdid = substr(s.sellid, 1, 12) where substr(s.sellid, -4) = ?1";
const char* const kLineIds =
    "select borrowid from borrowinfo union all select sellid from sellinfo";
// The lines a statement that leaves open baskets out counts (%1 its condition).
const char* const kRentalLinesSeen = "select count(*) from borrowinfo as b where %1";
const char* const kSaleLinesSeen = "select count(*) from sellinfo as s where %1";
const char* const kRentalLineSeen =
    "select count(*) from borrowinfo as b where b.borrowid = ?1 and %1";
const char* const kSaleLineSeen = "select count(*) from sellinfo as s where s.sellid = ?1 and %1";
const char* const kAllRentalLines = "select count(*) from borrowinfo";
const char* const kAllSaleLines = "select count(*) from sellinfo";
// Rental and sale lines share their ids' form: a basket's line is looked for in its table.
const char* const kRentalLineLeft = "select count(*) from borrowinfo where borrowid = ?1";
const char* const kSaleLineLeft = "select count(*) from sellinfo where sellid = ?1";
const char* const kStillOpen = "select count(*) from openbasket";

QString RentalCondition() {
    return OpenBaskets::NotInRentalBasket("b");
}

QString SaleCondition() {
    return OpenBaskets::NotInSaleBasket("s");
}

// The start-up's clock: the harness's day, after the shop closed.
QDateTime StartTime() {
    return QDateTime(CrashShop::Today(), QTime(19, 0));
}

QString What(const CrashRestart::Basket& b) {
    return QStringLiteral("the %1 basket %2").arg(b.rental ? "rental" : "sale", b.no);
}

int Count(Connection& conn, const QString& sql, const Params& params = {}) {
    return static_cast<int>(conn.Scalar(sql, params).ToInt());
}

// The lines the return page lists in its widest period.
std::set<QString> ReturnPageLines(Connection& conn) {
    const ReturnPage::ListStatement list = ReturnPage::ListOf(0, CrashShop::Today());
    Recordset rows;
    rows.Open(list.sql, conn, adLockReadOnly, list.params);
    std::set<QString> ids;
    for (; !rows.AtEOF(); rows.MoveNext()) ids.insert(rows["borrowid"].ToString());
    return ids;
}

// In the child: the boxes shown, every question answered no.
[[noreturn]] void StartInChild(const QString& dir, int reportTo) {
    CrashRestart::Boxes boxes;
    try {
        ResetGlobalState();
        SetAppPath(dir);
        SetNow(StartTime());
        SetMsgBoxResponder([&boxes](const MsgBoxCall& call) {
            boxes.titles << call.title;
            boxes.prompts << call.prompt;
            return (call.buttons & 7) == vbYesNo ? vbNo : vbOK;
        });
        boxes.started = PrepareShop();
    } catch (...) {
        std::_Exit(kStartFailedExit);
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << boxes.started << boxes.titles << boxes.prompts;
    const bool sent = write(reportTo, bytes.constData(), bytes.size()) == bytes.size();
    std::_Exit(sent ? kStartedExit : kStartFailedExit);
}

// What the operator is told names every basket rolled back: its kind, its customer and
// the titles of its lines.
QStringList CheckTold(const QString& prompt, const std::vector<CrashRestart::Basket>& open) {
    QStringList broken;
    for (const CrashRestart::Basket& b : open) {
        if (b.lines.empty()) continue;
        if (!prompt.contains(QString(b.rental ? "出租" : "出售") + "　") ||
            !prompt.contains(b.customer))
            broken << QStringLiteral("the message does not name %1 of %2").arg(What(b), b.customer);
        for (const CrashRestart::Line& line : b.lines)
            if (!prompt.contains(line.title))
                broken << QStringLiteral("the message does not name %1 of %2")
                              .arg(line.title, What(b));
    }
    return broken;
}
}  // namespace

std::vector<CrashRestart::Basket> CrashRestart::OpenIn(const QString& file) {
    std::vector<Basket> open;
    Connection conn;
    conn.OpenFile(file);
    Statement baskets(conn, kOpenBaskets);
    while (baskets.Step())
        open.push_back({baskets.Column(0).ToString() == "borrow",
                        baskets.Column(1).ToString(),
                        baskets.Column(2).ToString(),
                        {}});
    for (Basket& b : open) {
        Statement lines(conn, b.rental ? kRentalLinesOf : kSaleLinesOf);
        lines.Bind({b.no});
        while (lines.Step())
            b.lines.push_back({lines.Column(0).ToString(), lines.Column(1).ToString(),
                               lines.Column(2).ToString()});
    }
    return open;
}

int CrashRestart::OpenKinds(const QString& file) {
    int kinds = kNoneOpen;
    for (const Basket& b : OpenIn(file)) kinds |= b.rental ? kRentalOpen : kSaleOpen;
    return kinds;
}

std::set<QString> CrashRestart::LineIds(const QString& file) {
    std::set<QString> ids;
    Connection conn;
    conn.OpenFile(file);
    Statement rows(conn, kLineIds);
    while (rows.Step()) ids.insert(rows.Column(0).ToString());
    return ids;
}

QStringList CrashRestart::CheckKilled(const QString& file, const std::vector<Basket>& open,
                                      const std::set<QString>& preparedLines) {
    QStringList broken;
    std::set<QString> openLines;
    Connection conn;
    conn.OpenFile(file);
    const std::set<QString> listed = ReturnPageLines(conn);
    for (const Basket& b : open) {
        const QString seen = QString::fromUtf8(b.rental ? kRentalLineSeen : kSaleLineSeen)
                                 .arg(b.rental ? RentalCondition() : SaleCondition());
        for (const Line& line : b.lines) {
            openLines.insert(line.id);
            if (Count(conn, seen, {line.id}) != 0)
                broken << QStringLiteral("before the restart the reports count %1 of %2")
                              .arg(line.id, What(b));
            if (listed.count(line.id))
                broken << QStringLiteral("before the restart the return page lists %1 of %2")
                              .arg(line.id, What(b));
        }
    }
    for (const QString& id : LineIds(file))
        if (!preparedLines.count(id) && !openLines.count(id))
            broken
                << QStringLiteral("line %1 was written without its basket stored as open").arg(id);
    return broken;
}

std::optional<CrashRestart::Boxes> CrashRestart::Start(const QString& dir) {
    int report[2];
    if (pipe(report) != 0) return std::nullopt;
    const pid_t pid = fork();
    if (pid == 0) {
        close(report[0]);
        StartInChild(dir, report[1]);
    }
    close(report[1]);
    if (pid < 0) {
        close(report[0]);
        return std::nullopt;
    }
    const QByteArray bytes = ReadToEnd(report[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != kStartedExit) return std::nullopt;
    Boxes boxes;
    QDataStream in(bytes);
    in >> boxes.started >> boxes.titles >> boxes.prompts;
    return boxes;
}

QStringList CrashRestart::CheckStarted(const QString& file, const std::vector<Basket>& open,
                                       const Boxes& boxes) {
    QStringList broken;
    if (!boxes.started) broken << QStringLiteral("the program did not start");
    const QString integrity = IntegrityCheck(file);
    if (integrity != QStringLiteral("ok"))
        broken << QStringLiteral("after the restart integrity_check says %1").arg(integrity);

    Connection conn;
    conn.OpenFile(file);
    if (Count(conn, kStillOpen) != 0) broken << QStringLiteral("a basket is still stored as open");
    bool anyLine = false;
    for (const Basket& b : open) {
        for (const Line& line : b.lines) {
            anyLine = true;
            if (Count(conn, b.rental ? kRentalLineLeft : kSaleLineLeft, {line.id}) != 0)
                broken << QStringLiteral("line %1 of %2 is still there").arg(line.id, What(b));
            const std::optional<ShelfCopies> shelf =
                ShelfCopies::OfTitle(conn, line.id.left(kCdidLength));
            for (int copy : CopyList::Numbers(line.copies))
                if (shelf && std::find(shelf->Copies.begin(), shelf->Copies.end(), copy) ==
                                 shelf->Copies.end())
                    broken << QStringLiteral("copy %1 of %2 (%3) is not back on the shelf")
                                  .arg(copy)
                                  .arg(line.id, What(b));
        }
    }
    if (Count(conn, QString::fromUtf8(kRentalLinesSeen).arg(RentalCondition())) !=
            Count(conn, kAllRentalLines) ||
        Count(conn, QString::fromUtf8(kSaleLinesSeen).arg(SaleCondition())) !=
            Count(conn, kAllSaleLines))
        broken << QStringLiteral("after the restart a statement still leaves lines out");
    for (const QString& rule : CrashInvariants::Broken(conn))
        broken << QStringLiteral("after the restart: ") + rule;

    const int told = static_cast<int>(boxes.titles.count(LeftOpenBaskets::Title()));
    if (told != (anyLine ? 1 : 0))
        broken << QStringLiteral("the operator was told %1 times of the baskets left open (%2)")
                      .arg(told)
                      .arg(boxes.prompts.join(" | "));
    else if (anyLine && boxes.titles.first() != LeftOpenBaskets::Title())
        broken << QStringLiteral("the baskets left open were not the first thing told");
    else if (anyLine)
        broken << CheckTold(boxes.prompts.first(), open);
    return broken;
}
