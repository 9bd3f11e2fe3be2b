#include "counter/CheckOutLayout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "counter/CustomerFrames.h"

#include <QGroupBox>
#include <QLineEdit>
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"

void CheckOutLayout::Arrange(QWidget* window, const Parts& p) {
    auto* title = new QGridLayout;
    title->addWidget(new QLabel(p.idCaption), 0, 0);
    title->addWidget(p.id, 0, 1);
    title->addWidget(new QLabel(QStringLiteral("影片名称")), 1, 0);
    title->addWidget(p.movieName, 1, 1);
    title->addWidget(p.cdid, 2, 1);
    title->setColumnStretch(1, 1);
    p.cdid->setVisible(false);

    auto* left = new QVBoxLayout;
    left->addWidget(p.customer->Frame2);
    left->addWidget(p.customer->Frame3);
    left->addWidget(new QLabel(QStringLiteral("备注")));
    left->addWidget(p.remark);
    left->addLayout(title);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(p.copiesCaption));
    right->addWidget(p.copies, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(p.confirm);
    buttons->addWidget(p.cancel);

    auto* layout = new QGridLayout(window);
    layout->addLayout(left, 0, 0);
    layout->addLayout(right, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    window->resize(580, 360);
}
