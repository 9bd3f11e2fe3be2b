#pragma once
#include <QObject>

class CataloguePage;
class ClassificationList;
class SettingsPage;

// The two classification lists of the settings page, the disc formats and the movie
// types, with the four combos of the catalogue they fill (the counter follows the lists
// through ShopEvents). One lives with the settings page, made by the first call of Of
// (when the main window builds the settings and catalogue pages).
class ClassificationLists : public QObject {
    Q_OBJECT
  public:
    static ClassificationLists& Of(SettingsPage& settings, CataloguePage& catalogue);

    // Both lists read afresh into their grids and combos ("全部" selected in the
    // filters). A catalogue that was filtered is shown unfiltered, as its filters now say.
    void FillTypeLists();
    // Both lists read into the grids and combos of pages just built; the pages that follow
    // the lists are not told again what they have already been told.
    void FillNewPages();
    // The stored names of both lists told to the pages that follow them, while the settings
    // and catalogue pages are not built.
    static void AnnounceStoredLists();

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
    ClassificationLists(SettingsPage& settings, CataloguePage& catalogue);

    CataloguePage& catalogue_;
    ClassificationList* formats_;
    ClassificationList* movieTypes_;
};
