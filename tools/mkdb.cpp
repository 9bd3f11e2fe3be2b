// Creates an empty shop database: lumtrak-mkdb <path of cdmanage.mdb>
// An existing file is never overwritten.
#include <QString>
#include <cstdio>

#include "tools/CreateDatabase.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <database file>\n", argv[0]);
        return 2;
    }
    QString error;
    if (!CreateDatabase(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
