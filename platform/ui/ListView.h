#pragma once
#include <QStringList>
#include <QTreeWidget>

#include "platform/ui/ColumnHeaderList.h"
#include "platform/ui/ListItem.h"
#include "platform/ui/ListItemList.h"

enum ListFindItemWhere { lvwText = 0, lvwSubItem = 1, lvwTag = 2 };

// A list view in report style: keyed columns (ColumnHeaders), rows with keys, sub-items
// by column key, optional check boxes. Events:
// - ItemClick(item): the operator clicked a row (not its check box) or moved to it with
//   the keyboard (code that selects a row raises nothing);
// - ItemCheck(item): the operator ticked or unticked a row's box (item already in its
//   new state); SetChecked from code raises nothing;
// - focus, key and mouse events as every control (ControlEvents: OnMouseDown(lvw, ...)).
class ListView : public QTreeWidget {
    Q_OBJECT
  public:
    explicit ListView(QWidget* parent = nullptr);

    ColumnHeaderList ColumnHeaders() { return ColumnHeaderList(this); }
    ListItemList ListItems() { return ListItemList(this); }

    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool on);

    ListItem* SelectedItem() const;
    void SetSelectedItem(ListItem* item);  // raises no ItemClick
    // The first row whose text (or a sub-item, or the tag) equals `text`; nullptr if none.
    ListItem* FindItem(const QString& text, ListFindItemWhere where = lvwText) const;

    // Column keys, 0-based by Qt column (used by the collections and items).
    const QStringList& ColumnKeys() const { return columnKeys_; }
    int ColumnOfKey(const QString& key) const;  // -1 when no column has the key
    static constexpr int kDefaultColumnTwips = 1440;

  signals:
    void ItemClick(ListItem* item);
    void ItemCheck(ListItem* item);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    friend class ColumnHeaderList;
    friend class ColumnHeader;
    void OperatorToggled(const QModelIndex& index);
    void OnCurrentItemChanged(QTreeWidgetItem* current);

    QStringList columnKeys_;
    bool checkboxes_ = false;
    bool keyboardMoving_ = false;
    bool tickedByClick_ = false;
};
