#include "platform/ui/ListView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <functional>

#include "platform/ui/ErrorReport.h"

namespace {
// Tells the list view when the operator (mouse or keyboard) changed a check box: the
// delegate is the only way such a tick reaches the item.
class OperatorCheckDelegate : public QStyledItemDelegate {
  public:
    OperatorCheckDelegate(QObject* parent, std::function<void(const QModelIndex&)> toggled)
        : QStyledItemDelegate(parent), toggled_(std::move(toggled)) {}

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        const QVariant before = index.data(Qt::CheckStateRole);
        const bool handled = QStyledItemDelegate::editorEvent(event, model, option, index);
        if (handled && index.data(Qt::CheckStateRole) != before) toggled_(index);
        return handled;
    }

  private:
    std::function<void(const QModelIndex&)> toggled_;
};
}  // namespace

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0);
    header()->setSectionsMovable(false);
    headerItem()->setText(0, QString());
    setItemDelegate(
        new OperatorCheckDelegate(this, [this](const QModelIndex& i) { OperatorToggled(i); }));
    // A click that ticks a box is a tick, not an item click.
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const bool ticked = tickedByClick_;
        tickedByClick_ = false;
        if (auto* listItem = dynamic_cast<ListItem*>(item); listItem && !ticked) {
            RunReported([&] { emit ItemClick(listItem); });
        }
    });
    connect(this, &QTreeWidget::currentItemChanged, this, &ListView::OnCurrentItemChanged);
}

void ListView::SetCheckboxes(bool on) {
    checkboxes_ = on;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (on && !item->data(0, Qt::CheckStateRole).isValid())
            item->setCheckState(0, Qt::Unchecked);
        if (!on) item->setData(0, Qt::CheckStateRole, QVariant());
    }
}

ListItem* ListView::SelectedItem() const {
    return dynamic_cast<ListItem*>(currentItem());
}

void ListView::SetSelectedItem(ListItem* item) {
    setCurrentItem(item);
    if (item) item->setSelected(true);
}

ListItem* ListView::FindItem(const QString& text, ListFindItemWhere where) const {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        auto* item = dynamic_cast<ListItem*>(topLevelItem(i));
        if (!item) continue;
        if (where == lvwText && item->Text() == text) return item;
        if (where == lvwTag && item->Tag() == text) return item;
        if (where == lvwSubItem) {
            for (int c = 1; c < columnCount(); ++c) {
                if (item->text(c) == text) return item;
            }
        }
    }
    return nullptr;
}

int ListView::ColumnOfKey(const QString& key) const {
    return static_cast<int>(columnKeys_.indexOf(key));
}

void ListView::OperatorToggled(const QModelIndex& index) {
    tickedByClick_ = !keyboardMoving_;
    if (auto* item = dynamic_cast<ListItem*>(itemFromIndex(index)))
        RunReported([&] { emit ItemCheck(item); });
}

void ListView::mousePressEvent(QMouseEvent* e) {
    tickedByClick_ = false;
    QTreeWidget::mousePressEvent(e);
}

void ListView::keyPressEvent(QKeyEvent* e) {
    keyboardMoving_ = true;
    QTreeWidget::keyPressEvent(e);
    keyboardMoving_ = false;
}

void ListView::OnCurrentItemChanged(QTreeWidgetItem* current) {
    if (!keyboardMoving_) return;
    if (auto* item = dynamic_cast<ListItem*>(current)) RunReported([&] { emit ItemClick(item); });
}
