#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class DataGrid;
class Label;
class Recordset;

// The counter's search by pinyin initials or disc number: the matches found so far in the
// disc list and the scan that finds the next one. The scan looks at the list's records by
// ordinal (0 = first record), highlights each match in the grid, and yields to the event
// loop every 30 records so that Esc (the main window's SearchCancel) can stop it; the list
// moves once, when the scan is over.
//
// While a scan runs, Enter, Up and Down are ignored, and a refill of the list stops it
// for good: the scan leaves without touching the new list.
class CounterSearch : public QObject {
    Q_OBJECT
  public:
    // What the search needs of its page.
    struct Page {
        DataGrid* grid;                         // shows the list; its selected rows are the matches
        Label* hitsLabel;                       // "找到n个光盘"
        std::function<Recordset*()> list;       // the list of now (a refill replaces it)
        std::function<void(bool)> showButtons;  // the check-out buttons after a search
        std::function<void()> checkOut;         // Enter with nothing to search
    };
    explicit CounterSearch(Page page, QObject* parent = nullptr);

    // Ordinals of the matches found so far, in the order found; {-1} when there is none.
    std::vector<int> SearchHits{-1};
    int SearchHitCount = 0;
    int SearchHitIndex = -1;  // the match shown; -1 when none
    int SearchPos = 0;        // the record the scan looks at
    bool SearchTextChanged = false;

    // A scan runs: the list's row moves do not refresh the panel. The flag is the main
    // window's, one for every page's search, set while this page's scan runs.
    bool Searching() const;

    // The search box's events. The keys return false when ignored (a scan runs).
    void TextChanged() { SearchTextChanged = true; }
    bool Enter(const QString& text);
    bool Up();
    bool Down(const QString& text);

    // The list was refilled (or requeried) and shows its first record: a running scan
    // stops, the matches are forgotten. SearchTextChanged stays as it is.
    void Forget();

  private:
    void SetSearching(bool on);
    bool scanning_ = false;  // this page's scan runs
    enum class Ended { Done, Abandoned };
    Ended Scan(const QString& text);
    void Finish(bool afterEnter);
    void Found();
    void MoveTo(int ordinal);
    int OrdinalAfterCurrent() const;

    Page page_;
    unsigned scanRun_ = 0;  // a refill starts a new run: the old scan is abandoned
};
