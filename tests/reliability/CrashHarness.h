#pragma once
#include <QString>
#include <QStringList>
#include <set>
#include <vector>

#include "tests/reliability/CrashAction.h"

// Proves one action all or nothing. The action runs in child processes on copies of one
// prepared shop file: first with counting only, to learn how many writing statements it
// runs (N) and what it leaves; then once for every n from 1 to N, the child ending at once
// before its n-th writing statement; then once to the end, the child ending after its last
// commit without closing anything. After each child the file is opened again and must pass
// integrity_check, equal the state before or after the action (after each of its steps,
// for an action of several), and keep the shop's rules about copies (CrashInvariants).
//
// A basket action is also started again after every kill point, as the program is after a
// crash (CrashRestart): the baskets found stored as open must be rolled back and told once,
// and the file must equal the state before or after the action as a start makes it.
class CrashHarness {
  public:
    struct Outcome {
        int killPoints = 0;    // children ended: one per writing statement, plus the end
        int restarts = 0;      // starts of the program after a kill point
        QStringList failures;  // one entry per kill point that broke something
    };

    CrashHarness(const CrashAction& action, const QString& dir);
    Outcome Run();

  private:
    struct Child {
        int exitCode = -1;  // -1 when it did not end by exiting
        int written = 0;    // writing statements it ran, when it ran to the end
    };

    QString PreparedFile() const;
    QString WorkFile() const;
    QString AcceptedFile(size_t steps) const;
    QStringList Prepare();
    void FreshCopy() const;
    void CopyToWork(const QString& file) const;
    // Runs the first `steps` steps of the action on the work file in a child process.
    Child RunChild(int crashAt, size_t steps) const;
    static void RunInChild(const CrashAction& action, const QString& file, int crashAt,
                           size_t steps, int reportTo);
    static QStringList StateOf(const QString& file);
    QString Check(const QString& label, const Child& child, int expectedExit,
                  const std::vector<QStringList>& accepted) const;
    bool Restarts() const;
    // The states before the action and after each of its steps, each as a start makes it.
    std::vector<QStringList> RestartedStates(size_t steps) const;
    // The program started again on the work file as the kill left it.
    QString CheckRestart(const QString& label, const std::vector<QStringList>& restarted) const;

    const CrashAction& action_;
    QString dir_;
    std::set<QString> preparedLines_;  // the rental and sale lines of the prepared shop
};
