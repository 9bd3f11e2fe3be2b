#include "platform/ui/FieldGrid.h"

#include <QGridLayout>
#include <QLabel>

#include "platform/ui/Label.h"

Label* ValueLabel(const QString& name) {
    auto* label = new Label;
    label->setObjectName(name);
    label->setMinimumWidth(80);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

FieldGrid::FieldGrid(QGridLayout* grid, int pairsPerRow) : grid_(grid), pairsPerRow_(pairsPerRow) {}

QLabel* FieldGrid::Add(const QString& caption, QWidget* control, int span,
                       const QString& captionName) {
    if (pair_ + span > pairsPerRow_) NewRow();
    auto* label = new QLabel(caption);
    if (!captionName.isEmpty()) label->setObjectName(captionName);
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->addWidget(label, row_, pair_ * 2);
    grid_->addWidget(control, row_, pair_ * 2 + 1, 1, span * 2 - 1);
    pair_ += span;
    if (pair_ >= pairsPerRow_) NewRow();
    return label;
}

void FieldGrid::NewRow() {
    if (pair_ == 0) return;
    ++row_;
    pair_ = 0;
}

void FieldGrid::AddWide(QWidget* control) {
    NewRow();
    grid_->addWidget(control, row_, 0, 1, pairsPerRow_ * 2);
    ++row_;
}
