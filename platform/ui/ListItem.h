#pragma once
#include <QTreeWidgetItem>

class ListView;

// One row of a ListView: its text (first column), key, check box, and sub-items by the
// key of their column (or by number, 1 for the second column). Index() counts from 1.
class ListItem : public QTreeWidgetItem {
  public:
    ListItem(const QString& key, const QString& text);

    ListView* View() const;
    int Index() const;  // 1-based position, 0 when not in a list
    QString Key() const { return key_; }
    QString Text() const { return text(0); }
    void SetText(const QString& text) { setText(0, text); }

    // Code that ticks an item raises no ItemCheck; only the operator's ticks do.
    bool Checked() const { return checkState(0) == Qt::Checked; }
    void SetChecked(bool checked);

    QString SubItem(const QString& columnKey) const;
    void SetSubItem(const QString& columnKey, const QString& text);
    QString SubItems(int index) const { return text(index); }

    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }

  private:
    int ColumnOf(const QString& columnKey) const;

    QString key_;
    QString tag_;
};
