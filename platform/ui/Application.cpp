#include "platform/ui/Application.h"

#include "platform/ui/ErrorReport.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunReported([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
