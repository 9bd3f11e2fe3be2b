#pragma once
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QComboBox;
class QPushButton;
class DataGrid;
class Recordset;
class Value;

// The controls and names of one classification list: the disc formats (table type,
// cdinfo.type) or the movie types (table movietype, cdinfo.movietype).
struct ClassificationListParts {
    QString table;        // the list's table
    QString titleColumn;  // the column of cdinfo that holds an entry's name
    int codeStart;        // where an entry's two-digit code stands in a cdid (from 1)
    QString caption;      // "光盘格式" or "影片类型", for the messages
    DataGrid* grid;
    QPushButton* add;
    QPushButton* remove;
    std::unique_ptr<Recordset>* recordset;  // the settings page's adoType or adoMovieType
    QComboBox* entry;                       // the catalogue entry's combo (no "全部")
    QComboBox* filter;                      // the catalogue filter ("全部" first)
    std::vector<int>* ids;                  // code of each item of the entry combo
};

// One classification list on the settings page: its grid on the table, adding and
// deleting entries, and the combos of the catalogue it fills; the counter's filters
// follow the names it announces.
//
// An entry's code (typeid) is two digits of every disc id, so a new entry takes the lowest
// free code from 1 to 99 and a hundredth entry is refused. The grid's recordset holds its
// edits until a row change or the grid's loss of focus saves them; an entry without a
// name is never written (a new one is dropped, a cleared one keeps its stored name).
// Deleting an entry deletes its titles with their rental history, in one transaction,
// and is refused while one of them has copies out or lines in an open basket. Names may
// repeat (in any case), so an entry's titles are those carrying its exact name and its code.
class ClassificationList : public QObject {
    Q_OBJECT
  public:
    static constexpr int kLastCode = 99;

    ClassificationList(const ClassificationListParts& parts, QObject* parent);

    // Whether filling the list tells the pages that follow its names.
    enum Announcement { Announce, Quiet };
    // Opens the recordset afresh (after saving what is pending), binds the grid and fills
    // the three combos and the codes; the filters show "全部".
    void Fill(Announcement announcement = Announce);
    // Tells the pages that follow the list its stored names, as a fill would, without the
    // settings and catalogue pages: for when they are not built.
    static void AnnounceStored(const QString& table);
    // "增加": a new row with the lowest free code, for the operator to name.
    void Add();
    // "删除": deletes the current entry and every title of it, after the question.
    void Delete();
    // The grid's row or column changed: pending edits are saved (an added row not yet
    // named is dropped once the operator moves off it).
    void SaveRow();
    // The grid lost the focus: pending edits are saved, an added row not yet named dropped.
    void GridLostFocus();
    // Writes every pending edit, dropping the rows without a name.
    void SavePendingEdits();
    // The operator finished editing a cell.
    void CellEdited() { adding_ = false; }

    bool IsAdding() const { return adding_; }
    // The lowest code from 1 to kLastCode that no entry uses; 0 when all are used.
    int LowestFreeCode() const;
    Recordset* List() const { return parts_.recordset->get(); }

  private:
    bool HasCurrentRow() const;
    void DropUnnamedRows();
    // Deletes the stored entry and its titles; false when refused.
    bool DeleteStoredEntry(const QString& name, const Value& code);
    void MoveNear(int position);
    void FillCombos(Announcement announcement);

    ClassificationListParts parts_;
    bool adding_ = false;  // a row was added and no cell edited since
    bool saving_ = false;
};
