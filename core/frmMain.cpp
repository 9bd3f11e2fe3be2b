#include "core/frmMain.h"

namespace {
frmMain* gMainInstance = nullptr;
}

frmMain::frmMain() {
    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("Vadrin光盘出租出售"));
    resize(1024, 720);
}

frmMain& frmMain::instance() {
    if (!gMainInstance) gMainInstance = new frmMain();
    return *gMainInstance;
}

bool frmMain::isLoaded() { return gMainInstance != nullptr; }

void frmMain::unload() {
    delete gMainInstance;
    gMainInstance = nullptr;
}
