#pragma once
#include "platform/ui/FormOf.h"

class QLabel;

// Shown while the yearly fold runs, or while start-up brings an older shop file up, so the
// operator knows the program is working.
class frmWait : public FormOf<frmWait> {
    Q_OBJECT
    friend class FormOf<frmWait>;

  public:
    // What the program is doing, in place of the fold's sentence.
    void Say(const QString& text);

  private:
    frmWait();
    QLabel* Label1;
};
