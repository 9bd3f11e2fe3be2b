#pragma once
#include "platform/ui/FormOf.h"

class QProgressBar;

// The progress of an export: the rows laid into the workbook so far.
class frmProgress : public FormOf<frmProgress> {
    Q_OBJECT
    friend class FormOf<frmProgress>;

  public:
    QProgressBar* ProgressBar1;

  private:
    frmProgress();
};
