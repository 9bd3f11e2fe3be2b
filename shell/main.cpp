#include "core/mdlMain.h"
#include "platform/app/HashSeed.h"
#include "platform/ui/Application.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/QtTranslation.h"
#include "shell/Startup.h"

int main(int argc, char** argv) {
    UseFixedHashSeed();
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Lumtrak"));
    ApplyCjkFonts();
    InstallQtTranslation();
    Main();
    if (gQuit) return 0;
    return app.exec();
}
