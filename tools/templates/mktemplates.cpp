// Writes the workbook templates of every printout into a folder (support/ of the
// source tree when run through the "templates" build target).
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "tools/templates/TemplateSpec.h"
#include "tools/templates/TemplateWriter.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    for (const TemplateSpec& spec : AllTemplates()) {
        QString error;
        if (!TemplateWriter::WriteFile(spec, folder, &error)) {
            std::fprintf(stderr, "%s.xltx: %s\n", qPrintable(spec.name), qPrintable(error));
            return 1;
        }
        std::printf("%s\n", qPrintable(QDir(folder).filePath(spec.name + ".xltx")));
    }
    return 0;
}
