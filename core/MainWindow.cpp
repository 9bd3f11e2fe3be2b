#include "core/MainWindow.h"

namespace {
MainWindow* gLoaded = nullptr;
}

MainWindow* MainWindow::Get() {
    return gLoaded;
}

void MainWindow::Register(MainWindow* window) {
    gLoaded = window;
}
