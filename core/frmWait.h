#pragma once
#include "platform/ui/FormOf.h"

class QLabel;

// Shown while the yearly fold runs, so the operator knows the program is working.
class frmWait : public FormOf<frmWait> {
    Q_OBJECT
    friend class FormOf<frmWait>;

  private:
    frmWait();
    QLabel* Label1;
};
