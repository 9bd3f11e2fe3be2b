#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

// The workbook's table of texts: text cells refer to it by index. Texts read from the
// package keep their formatted runs when the table is written back.
class SharedStrings {
  public:
    void Load(const QByteArray& xml);
    int Count() const { return static_cast<int>(items_.size()); }
    // The plain text of an entry; the empty text for an index out of range.
    const QString& At(int index) const;
    // The index of a plain entry with this text, added when there is none yet.
    int Add(const QString& text);
    // The part, with references the number of text cells that point into it.
    QByteArray ToXml(qint64 references) const;

  private:
    struct Item {
        QString text;
        QByteArray rawXml;  // the <si> element as read, or empty for a plain text
    };
    std::vector<Item> items_;
    QHash<QString, int> plainIndex_;
};
