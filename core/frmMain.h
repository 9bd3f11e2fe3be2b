#pragma once
#include <QWidget>

// The main window. For now a plain frame; the pages come with the counter program's
// windows.
class frmMain : public QWidget {
    Q_OBJECT
public:
    static frmMain& instance();
    static bool isLoaded();
    static void unload();

    // Start-up enables the catalogue's entry controls and clears both basket panels.
    void EnableCatalogueEntry() {}
    void ResetBasketPanels() {}

private:
    frmMain();
};
