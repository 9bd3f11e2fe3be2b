#pragma once
#include <QApplication>

// The program's application object: an error that escapes an event handler is shown in a
// message box instead of ending the program.
class Application : public QApplication {
    Q_OBJECT
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
