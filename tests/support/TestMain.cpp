// Test entry point: widgets run on the offscreen platform, on the work area of a 1366 x 768
// laptop screen less a 40-pixel panel, with Chinese fonts and Qt's own texts in Chinese as the
// program shows them, and no message box ever waits for a click (an unexpected one fails the
// test).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSaveFile>
#include <cstdlib>

#include "platform/app/HashSeed.h"
#include "platform/ui/QtTranslation.h"
#include "tests/support/TestSupport.h"

namespace {
// The offscreen platform's one screen, as its configuration file describes it (the platform
// has no panels: the screen is the work area).
const char* const kLaptopScreen =
    R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 728,)"
    R"( "logicalDpi": 96}]})";

// Test binaries start side by side: each replaces the file whole, never half-written.
QString LaptopScreenFile() {
    const QString path = QDir::temp().filePath(QString("lumtrak-screen-%1.json").arg(getuid()));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(kLaptopScreen);
        file.commit();
    }
    return path;
}
}  // namespace

int main(int argc, char** argv) {
    UseFixedHashSeed();
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::temp().filePath(QString("lumtrak-runtime-%1").arg(getuid()));
        QDir().mkpath(dir);
        QFile::setPermissions(
            dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", dir.toLocal8Bit().constData(), 1);
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || qstrcmp(platform, "offscreen") == 0) {
        const QString screen = LaptopScreenFile();
        setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).toLocal8Bit().constData(), 1);
    }
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    InstallQtTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LumtrakTestEnvironment);
    return RUN_ALL_TESTS();
}
