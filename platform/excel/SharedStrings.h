#pragma once
#include <QByteArray>
#include <QString>
#include <unordered_map>
#include <vector>

// The workbook's table of texts: text cells refer to it by index. Texts read from the
// package keep their formatted runs when the table is written back.
class SharedStrings {
  public:
    void Load(const QByteArray& xml);
    int Count() const { return static_cast<int>(texts_.size()); }
    // The plain text of an entry; the empty text for an index out of range.
    const QString& At(int index) const;
    // The index of a plain entry with this text, added when there is none yet.
    int Add(const QString& text);
    // The part, with references the number of text cells that point into it.
    QByteArray ToXml(qint64 references) const;

  private:
    struct Slot {
        std::size_t hash = 0;
        int index = -1;  // the entry's index, or -1 for a free slot
    };
    // The index of the plain entry with this text; without one, index is recorded as it.
    int FindOrIndex(const QString& text, int index);
    void Grow();

    std::vector<QString> texts_;
    // The <si> elements with formatted runs, as read, by index: written back as they were.
    std::unordered_map<int, QByteArray> rawXml_;
    std::vector<Slot> slots_;  // a power of two of them, at most three quarters used
    std::size_t indexed_ = 0;
};
