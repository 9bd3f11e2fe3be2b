#include "counter/MainWindowWait.h"

#include "core/MainWindow.h"
#include "platform/ui/MsgBox.h"

namespace {
constexpr int kMostYields = 50;
}  // namespace

bool MainWindowWait::UntilActive() {
    for (int i = 0; i < kMostYields && MainWindow::IsLoaded() && !MainWindow::Get()->IsActive; ++i)
        DoEvents();
    return MainWindow::IsLoaded();
}
