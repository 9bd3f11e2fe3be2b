#include "core/frmWait.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
frmWait* gWaitInstance = nullptr;
}

frmWait::frmWait() : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName("frmWait");
    setWindowTitle(QStringLiteral("请稍候"));
    Label1 = new QLabel(QStringLiteral("正在汇总两年以前的出租和出售记录，请稍候……"), this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(Label1);
    setFixedSize(sizeHint());
}

frmWait& frmWait::instance() {
    if (!gWaitInstance) gWaitInstance = new frmWait();
    return *gWaitInstance;
}

bool frmWait::isLoaded() { return gWaitInstance != nullptr; }

void frmWait::unload() {
    delete gWaitInstance;
    gWaitInstance = nullptr;
}
