#include <QApplication>

#include "core/mdlMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumtrak"));
    Main();
    if (gQuit) return 0;
    return app.exec();
}
