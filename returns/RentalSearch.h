#pragma once
#include <vector>

class ReturnPage;
class Recordset;

// The return page's search box: Enter finds the first open rental whose customer, the
// customer's initials or the film's search key holds the text; Down finds the next one;
// Up and Down step among the rentals found. Enter on an empty or unchanged box opens the
// return dialog. The walk yields every 30 rows so that Esc can stop it.
class RentalSearch {
  public:
    explicit RentalSearch(ReturnPage& page) : page_(page) {}

    void KeyDown(int& KeyCode, int Shift);
    // The box changed or got the focus: the next Enter searches afresh.
    void BoxChanged() { IsNewFind = true; }
    // The list was refilled: the rentals found belong to the old list.
    void Reset();
    bool Walking() const { return walking_; }

    // Positions (the first row is 0) of the rentals found, in the order found.
    std::vector<int> FindList;
    int FindCount = 0;
    int FindIndex = 0;
    int FindPos = 0;
    bool IsNewFind = false;

  private:
    enum class WalkEnd { Hit, NoHit, Abandoned };
    void Enter();
    void Down();
    void Up();
    void Begin();
    WalkEnd Walk();
    void EndSearch(bool newest);
    bool Matches(const Recordset& rs) const;
    void MoveTo(int position);
    Recordset* List() const;

    ReturnPage& page_;
    bool walking_ = false;
};
