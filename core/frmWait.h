#pragma once
#include <QWidget>

class QLabel;

// Shown while the yearly fold runs, so the operator knows the program is working.
class frmWait : public QWidget {
    Q_OBJECT
public:
    static frmWait& instance();
    static bool isLoaded();
    static void unload();

private:
    frmWait();
    QLabel* Label1;
};
