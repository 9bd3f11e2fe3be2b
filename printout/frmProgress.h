#pragma once
#include "platform/ui/FormOf.h"

class QProgressBar;

// The progress of an export: the rows laid into the workbook so far, on the bar and as a
// count. The export does not wait for the event loop, so the window paints itself each
// time it is told of more rows.
class frmProgress : public FormOf<frmProgress> {
    Q_OBJECT
    friend class FormOf<frmProgress>;

  public:
    QProgressBar* ProgressBar1;

    // Shows the window over owner for an export of rows rows, the first being written.
    void Start(QWidget* owner, int rows);
    // rows rows are written: the bar and the count show it on the screen at once.
    void Advance(int rows);

  private:
    frmProgress();
    void Refresh();
};
