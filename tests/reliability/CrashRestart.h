#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <set>
#include <vector>

// The program started again on a shop file after a kill, as the operator starts it after a
// crash: start-up (PrepareShop, what Main() runs before the main window) in a child process,
// every question answered no. What it must make of the baskets it finds stored as open:
// each rolled back before anything counts it, the operator told once which they were, and
// no line of them left anywhere.
class CrashRestart {
  public:
    // A basket stored as open in a file, with what its lines hold.
    struct Line {
        QString id;  // borrowid or sellid
        QString title;
        QString copies;  // its copy list
    };
    struct Basket {
        bool rental = true;
        QString no;
        QString customer;
        std::vector<Line> lines;
    };
    // The boxes the start-up showed.
    struct Boxes {
        bool started = false;
        QStringList titles;
        QStringList prompts;
    };

    static std::vector<Basket> OpenIn(const QString& file);
    // The kinds stored as open (kRentalOpen, kSaleOpen bits).
    static int OpenKinds(const QString& file);
    // Every rental and sale line id of a file.
    static std::set<QString> LineIds(const QString& file);

    // Before the restart, on the killed file: no statement that leaves open baskets out sees
    // a line of one (the return page's list, the reports' and member windows' conditions),
    // and every line written since the prepared shop belongs to a basket stored as open.
    static QStringList CheckKilled(const QString& file, const std::vector<Basket>& open,
                                   const std::set<QString>& preparedLines);
    // Starts the program on the file in dir (cdmanage.mdb) in a child process; nothing when
    // the child did not run to its end.
    static std::optional<Boxes> Start(const QString& dir);
    // After the restart: no basket stored as open, none of their lines left and their copies
    // back on the shelf, every statement sees every line, the shop's rules hold, the file is
    // sound, and the operator was told once, first, of exactly these baskets.
    static QStringList CheckStarted(const QString& file, const std::vector<Basket>& open,
                                    const Boxes& boxes);
};
