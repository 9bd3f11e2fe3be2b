#include "platform/ui/ColumnHeader.h"

#include <QHeaderView>

#include "platform/ui/ListView.h"
#include "platform/ui/Twips.h"

QString ColumnHeader::Key() const {
    return view_->ColumnKeys().value(index_ - 1);
}

QString ColumnHeader::Text() const {
    return view_->headerItem()->text(index_ - 1);
}

void ColumnHeader::SetText(const QString& text) {
    view_->headerItem()->setText(index_ - 1, text);
}

int ColumnHeader::Width() const {
    const int column = index_ - 1;
    return view_->isColumnHidden(column) ? 0 : PixelsToTwips(view_->columnWidth(column));
}

void ColumnHeader::SetWidth(int twips) {
    const int column = index_ - 1;
    view_->setColumnHidden(column, twips <= 0);
    if (twips > 0) view_->setColumnWidth(column, TwipsToPixels(twips));
}
