// Test entry point: widgets run on the offscreen platform, with Chinese fonts and Qt's own
// texts in Chinese as the program shows them, and no message box ever waits for a click (an
// unexpected one fails the test).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>

#include "platform/app/HashSeed.h"
#include "platform/ui/QtTranslation.h"
#include "tests/support/TestSupport.h"

int main(int argc, char** argv) {
    UseFixedHashSeed();
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::temp().filePath(QString("lumtrak-runtime-%1").arg(getuid()));
        QDir().mkpath(dir);
        QFile::setPermissions(
            dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", dir.toLocal8Bit().constData(), 1);
    }
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    InstallQtTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LumtrakTestEnvironment);
    return RUN_ALL_TESTS();
}
