#include "core/MainWindow.h"

namespace {
MainWindow* gLoaded = nullptr;
}

MainWindow* MainWindow::Get() {
    return gLoaded;
}

Form* MainWindow::Owner() {
    return gLoaded ? gLoaded->Window() : nullptr;
}

bool MainWindow::Shows(const QWidget* page) {
    return !gLoaded || gLoaded->IsShowing(page);
}

void MainWindow::Register(MainWindow* window) {
    gLoaded = window;
}
