#pragma once
#include <vector>

class ListView;

// The copy list of a check-out dialog: one item per copy that can go, "第n张盘" (copied
// from the counter's shelf list) or "第n张" (a basket line's), with a check box.
class CopyChecks {
  public:
    // The copy numbers of the checked items, in the list's order.
    static std::vector<int> Checked(ListView* list);
    // The counter's shelf list copied item by item, each checked.
    static void CopyAllChecked(ListView* from, ListView* to);
    // A basket line's copies (checked) among the title's shelf copies (unchecked), every
    // copy once, in ascending order.
    static void FillForLine(ListView* list, const std::vector<int>& shelf,
                            const std::vector<int>& line);
    // The copies that can go as the file stands, in rising order, checked where they were
    // checked before: "第n张" for a line edit, else "第n张盘".
    static void ShowAvailable(ListView* list, const std::vector<int>& available,
                              const std::vector<int>& checked, bool lineEdit);
    // Ctrl+A checks from the first item up to the first one already checked; Ctrl+D clears
    // from the first up to the first one not checked. Other keys do nothing.
    static void KeyUp(ListView* list, int KeyCode, int Shift);
};
