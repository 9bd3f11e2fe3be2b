#include "core/frmWait.h"

#include <QLabel>
#include <QVBoxLayout>

frmWait::frmWait() : FormOf<frmWait>(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
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

void frmWait::Say(const QString& text) {
    Label1->setText(text);
    setFixedSize(sizeHint());
}
