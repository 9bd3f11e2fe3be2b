#include "printout/frmProgress.h"

#include <QCoreApplication>
#include <QProgressBar>

#include "platform/ui/Twips.h"

frmProgress::frmProgress()
    : FormOf<frmProgress>(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName("frmProgress");
    setWindowTitle(QStringLiteral("正在导出"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(true);
    ProgressBar1->setAlignment(Qt::AlignCenter);
    ProgressBar1->setFormat(QStringLiteral("已写入 %v / %m 行"));
    MoveTwips(ProgressBar1, 0, 0, 6255, 495);
    setFixedSize(ProgressBar1->size());
}

void frmProgress::Start(QWidget* owner, int rows) {
    // The bar is full when the last row is written (a report without rows: at once).
    ProgressBar1->setMaximum(qMax(1, rows));
    ProgressBar1->setValue(1);
    Show(vbModeless, owner);
    Refresh();
}

void frmProgress::Advance(int rows) {
    ProgressBar1->setValue(rows);
    Refresh();
}

// The window is mapped, exposed and painted now, by the events that do so; the operator's
// clicks and keys (and a request to close a window) wait until the export has ended.
void frmProgress::Refresh() {
    if (!isVisible()) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
