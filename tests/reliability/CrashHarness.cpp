#include "tests/reliability/CrashHarness.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdlib>

#include "core/mdlMain.h"
#include "platform/db/CrashInjection.h"
#include "tests/reliability/CrashInvariants.h"
#include "tests/reliability/CrashRestart.h"
#include "tests/support/DatabaseDump.h"
#include "tools/CreateDatabase.h"

namespace {
constexpr int kCrashExit = 70;  // what SetCrashAtStatement ends the process with
constexpr int kFinishedExit = 0;
constexpr int kActionFailedExit = 71;  // the action raised or could not start

// SQLite's side files: a hot journal left by a killed child belongs to its copy only.
const char* const kSideFiles[] = {"-journal", "-wal", "-shm"};

QString Describe(const QStringList& lines) {
    return lines.isEmpty() ? QString() : QStringLiteral("\n    ") + lines.join("\n    ");
}
}  // namespace

CrashHarness::CrashHarness(const CrashAction& action, const QString& dir)
    : action_(action), dir_(dir) {}

QString CrashHarness::PreparedFile() const {
    return QDir(dir_).filePath("prepared.mdb");
}

QString CrashHarness::WorkFile() const {
    return QDir(dir_).filePath("cdmanage.mdb");
}

// The file the action left after its first steps (0: the prepared shop).
QString CrashHarness::AcceptedFile(size_t steps) const {
    return steps == 0 ? PreparedFile()
                      : QDir(dir_).filePath(QStringLiteral("after%1.mdb").arg(steps));
}

// The shop before the action; a fixture that breaks the rules is reported at once.
QStringList CrashHarness::Prepare() {
    QString error;
    if (!CreateDatabase(PreparedFile(), &error)) return {QStringLiteral("prepare: ") + error};
    Connection conn;
    conn.OpenFile(PreparedFile());
    action_.fill(conn);
    QStringList broken = CrashInvariants::Broken(conn);
    conn.Close();
    for (QString& line : broken) line.prepend(QStringLiteral("prepared shop: "));
    return broken;
}

void CrashHarness::FreshCopy() const {
    CopyToWork(PreparedFile());
}

void CrashHarness::CopyToWork(const QString& file) const {
    for (const char* side : kSideFiles) QFile::remove(WorkFile() + side);
    QFile::remove(WorkFile());
    QFile::copy(file, WorkFile());
}

// The child uses the database layer only (no widget) and never returns into the test.
void CrashHarness::RunInChild(const CrashAction& action, const QString& file, int crashAt,
                              size_t steps, int reportTo) {
    try {
        ResetGlobalState();
        gConn.OpenFile(file);
        SetCrashAtStatement(crashAt);
        for (size_t i = 0; i < steps; ++i) action.steps[i]();
    } catch (...) {
        std::_Exit(kActionFailedExit);
    }
    const int written = WritingStatementsRun();
    if (write(reportTo, &written, sizeof written) != sizeof written) std::_Exit(kActionFailedExit);
    std::_Exit(kFinishedExit);
}

CrashHarness::Child CrashHarness::RunChild(int crashAt, size_t steps) const {
    Child child;
    int report[2];
    if (pipe(report) != 0) return child;
    const pid_t pid = fork();
    if (pid == 0) {
        close(report[0]);
        RunInChild(action_, WorkFile(), crashAt, steps, report[1]);
    }
    close(report[1]);
    if (pid < 0) {
        close(report[0]);
        return child;
    }
    if (read(report[0], &child.written, sizeof child.written) != sizeof child.written)
        child.written = 0;
    close(report[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) child.exitCode = WEXITSTATUS(status);
    return child;
}

// Opening the file again is what the next start does: a hot journal is rolled back here.
QStringList CrashHarness::StateOf(const QString& file) {
    Connection conn;
    conn.OpenFile(file);
    conn.Close();
    return DatabaseDump(file);
}

QString CrashHarness::Check(const QString& label, const Child& child, int expectedExit,
                            const std::vector<QStringList>& accepted) const {
    if (child.exitCode != expectedExit)
        return QStringLiteral("%1: the child ended with %2, not %3")
            .arg(label)
            .arg(child.exitCode)
            .arg(expectedExit);
    Connection conn;
    conn.OpenFile(WorkFile());
    const QStringList broken = CrashInvariants::Broken(conn);
    conn.Close();
    const QString integrity = IntegrityCheck(WorkFile());
    const QStringList state = DatabaseDump(WorkFile());
    if (integrity != QStringLiteral("ok"))
        return QStringLiteral("%1: integrity_check says %2").arg(label, integrity);
    if (std::find(accepted.begin(), accepted.end(), state) == accepted.end())
        return QStringLiteral(
                   "%1: the file is neither before nor after the action; against "
                   "the state after it:\n%2")
            .arg(label, DumpDifference(accepted.back(), state));
    if (!broken.isEmpty()) return label + QStringLiteral(": rules broken") + Describe(broken);
    return QString();
}

bool CrashHarness::Restarts() const {
    return action_.openAfter != kNoRestart;
}

std::vector<QStringList> CrashHarness::RestartedStates(size_t steps) const {
    std::vector<QStringList> restarted;
    for (size_t s = 0; s <= steps; ++s) {
        CopyToWork(AcceptedFile(s));
        if (CrashRestart::Start(dir_)) restarted.push_back(DatabaseDump(WorkFile()));
    }
    return restarted;
}

QString CrashHarness::CheckRestart(const QString& label,
                                   const std::vector<QStringList>& restarted) const {
    const std::vector<CrashRestart::Basket> open = CrashRestart::OpenIn(WorkFile());
    QStringList broken = CrashRestart::CheckKilled(WorkFile(), open, preparedLines_);
    const std::optional<CrashRestart::Boxes> boxes = CrashRestart::Start(dir_);
    if (!boxes) {
        broken << QStringLiteral("the program did not start again");
    } else {
        broken << CrashRestart::CheckStarted(WorkFile(), open, *boxes);
        const QStringList state = DatabaseDump(WorkFile());
        if (broken.isEmpty() && !restarted.empty() &&
            std::find(restarted.begin(), restarted.end(), state) == restarted.end())
            broken << QStringLiteral(
                          "the file is neither the state before nor after the action as a start "
                          "makes it; against the state after:\n") +
                          DumpDifference(restarted.back(), state);
    }
    if (broken.isEmpty()) return QString();
    return label + QStringLiteral(", then started again:") + Describe(broken);
}

CrashHarness::Outcome CrashHarness::Run() {
    Outcome outcome;
    outcome.failures = Prepare();
    if (!outcome.failures.isEmpty()) return outcome;
    if (Restarts()) preparedLines_ = CrashRestart::LineIds(PreparedFile());

    // The state before, and after each step (counting only, so nothing ends early).
    std::vector<QStringList> accepted{StateOf(PreparedFile())};
    int writes = 0;
    for (size_t steps = 1; steps <= action_.steps.size(); ++steps) {
        FreshCopy();
        const Child learned = RunChild(0, steps);
        if (learned.exitCode != kFinishedExit) {
            outcome.failures << QStringLiteral("the action did not run to its end (exit %1)")
                                    .arg(learned.exitCode);
            return outcome;
        }
        writes = learned.written;
        accepted.push_back(StateOf(WorkFile()));
        if (Restarts()) QFile::copy(WorkFile(), AcceptedFile(steps));
    }
    if (writes == 0) outcome.failures << QStringLiteral("the action wrote nothing");
    // A dump that could not read the file would make every state look alike.
    if (accepted.front() == accepted.back() || accepted.front().first().startsWith("cannot open"))
        outcome.failures << QStringLiteral(
                                "the state after the action is not told from the "
                                "state before:\n") +
                                accepted.front().mid(0, 3).join('\n');

    const size_t all = action_.steps.size();
    std::vector<QStringList> restarted;
    if (Restarts()) {
        if (CrashRestart::OpenKinds(AcceptedFile(all)) != action_.openAfter)
            outcome.failures << QStringLiteral(
                "after the action the baskets stored as open are not those "
                "it should leave open");
        restarted = RestartedStates(all);
    }
    // Each kill point, then (a basket action) the program started again on what it left.
    const auto killAt = [&](const QString& label, int crashAt, int expectedExit,
                            const std::vector<QStringList>& states) {
        FreshCopy();
        QString failure = Check(label, RunChild(crashAt, all), expectedExit, states);
        ++outcome.killPoints;
        if (failure.isEmpty() && Restarts()) {
            failure = CheckRestart(label, restarted);
            ++outcome.restarts;
        }
        if (!failure.isEmpty()) outcome.failures << failure;
    };
    for (int n = 1; n <= writes; ++n)
        killAt(QStringLiteral("killed before writing statement %1 of %2").arg(n).arg(writes), n,
               kCrashExit, accepted);
    killAt(QStringLiteral("ended after the last commit"), 0, kFinishedExit, {accepted.back()});
    return outcome;
}
