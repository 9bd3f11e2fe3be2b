#pragma once
#include <QString>
#include <vector>

// The copies of one title that a rental, return or sale line covers, stored as text:
// one item "&" n "#" per copy, in the order they were added ("&1#&3#" is copies 1 and 3).
class CopyList {
  public:
    static QString Item(int copy);
    static QString Of(const std::vector<int>& copies);
    // The copy numbers of a list, in their order (a copy named twice appears twice).
    static std::vector<int> Numbers(const QString& list);
    static bool Contains(const QString& list, int copy);
    // Removes every item of that copy; "&1#&11#" without copy 1 is "&11#".
    static QString Remove(const QString& list, int copy);
    // Removes from list every copy named in other.
    static QString RemoveAll(const QString& list, const QString& other);

    // How a copy is shown to the operator: "第3张盘", or "第3张" in the dialogs' lists.
    static QString CopyText(int copy);
    static QString ShortCopyText(int copy);
    // The copy number of such a text: the characters from the second up to the first
    // "张" (0 when there is none).
    static int CopyOfText(const QString& text);
};
