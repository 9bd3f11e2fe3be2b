#include "printout/frmProgress.h"

#include <QProgressBar>

#include "platform/ui/Twips.h"

frmProgress::frmProgress()
    : FormOf<frmProgress>(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName("frmProgress");
    setWindowTitle(QString());
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    MoveTwips(ProgressBar1, 0, 0, 6255, 495);
    setFixedSize(ProgressBar1->size());
}
