// Makes a demo or benchmark shop database:
//   lumtrak-demodata <small|large|fold> <database file> [--seed N] [--today yyyy-mm-dd]
// An existing file is never overwritten.
#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <cstdio>
#include <optional>

#include "tools/demodata/ShopGenerator.h"

namespace {
struct Arguments {
    DemoOptions options;
    QString path;
};

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s <small|large|fold> <database file> [--seed N] [--today yyyy-mm-dd]\n",
                 program);
    return 2;
}

std::optional<Arguments> Parse(int argc, char** argv) {
    if (argc < 3 || (argc - 3) % 2 != 0) return std::nullopt;
    const std::optional<DemoSize> size = DemoSizeNamed(argv[1]);
    if (!size) return std::nullopt;
    Arguments a{{*size, 1, QDate::currentDate()}, QString::fromLocal8Bit(argv[2])};
    for (int i = 3; i < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        bool ok = false;
        if (option == "--seed") {
            a.options.seed = value.toULongLong(&ok);
        } else if (option == "--today") {
            a.options.today = QDate::fromString(value, "yyyy-MM-dd");
            ok = a.options.today.isValid() && a.options.today.year() >= 1900;
        }
        if (!ok) return std::nullopt;
    }
    return a;
}
}  // namespace

int main(int argc, char** argv) {
    const std::optional<Arguments> arguments = Parse(argc, argv);
    if (!arguments) return Usage(argv[0]);
    QElapsedTimer timer;
    timer.start();
    ShopGenerator generator(arguments->options);
    QString error;
    if (!generator.Generate(arguments->path, &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    const DemoCounts& c = generator.Counts();
    std::printf(
        "%d titles, %d members, %d rental lines (%d in the fold year), %d return rows, "
        "%d sale lines in %.2f s\n",
        c.titles, c.members, c.rentalLines, c.foldRentalLines, c.returnRows, c.saleLines,
        static_cast<double>(timer.elapsed()) / 1000.0);
    return 0;
}
