#pragma once
#include <QObject>

class frmMain;
class ClassificationList;

// The two classification lists of the settings page, the disc formats and the movie
// types, with the six combos of the catalogue and the counter they fill. One lives with
// the main window, made by its first FillTypeLists (the window's load).
class ClassificationLists : public QObject {
    Q_OBJECT
  public:
    static ClassificationLists& Of(frmMain& main);

    // Both lists read afresh into their grids and combos ("全部" selected in the four
    // filters). A catalogue or counter list that was filtered is shown unfiltered, as
    // its filters now say.
    void FillTypeLists();

    void Command7_Click();  // "增加" a format
    void Command8_Click();  // "删除" a format
    void Command4_Click();  // "增加" a movie type
    void Command6_Click();  // "删除" a movie type

    // Both lists' pending edits written (rows without a name dropped).
    void SavePendingEdits();

    bool IsAddType() const;
    bool IsAddMovieType() const;
    ClassificationList& Formats() { return *formats_; }
    ClassificationList& MovieTypes() { return *movieTypes_; }

  private:
    explicit ClassificationLists(frmMain& main);

    frmMain& main_;
    ClassificationList* formats_;
    ClassificationList* movieTypes_;
};
