#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "platform/db/Connection.h"

class QAbstractItemModel;
class RecordsetModel;

enum LockTypeEnum {
    adLockReadOnly = 1,
    adLockOptimistic = 3,       // an edited row is written when the cursor leaves it, or on Update
    adLockBatchOptimistic = 4,  // edits wait for UpdateBatch
};
enum AffectEnum { adAffectCurrent = 1, adAffectAll = 3 };
enum SearchDirectionEnum { adSearchBackward = -1, adSearchForward = 1 };
enum EditModeEnum { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2 };
enum CursorLocationEnum { adUseServer = 2, adUseClient = 3 };

// Identifies a row for the life of the snapshot (survives moves, edits and deletes of
// other rows). 0 is no row.
using Bookmark = qint64;

class Recordset;

// One field of the current row.
class FieldRef {
  public:
    FieldRef(Recordset* rs, int index) : rs_(rs), index_(index) {}
    QString Name() const;
    int Index() const { return index_; }
    Value GetValue() const;
    operator Value() const { return GetValue(); }
    FieldRef& operator=(const Value& v);
    // rs.Fields("a") = other.Fields("b") copies the value, as it reads.
    FieldRef& operator=(const FieldRef& other) { return *this = other.GetValue(); }
    FieldRef(const FieldRef&) = default;
    Value OriginalValue() const;  // as read from the database (before pending edits)

  private:
    Recordset* rs_;
    int index_;
};

// A client-side static snapshot of a query, in the manner of an ADO recordset:
// every row is read at Open, RecordCount is exact, and reading never touches the
// database again (a read-only recordset on the server side reads its rows as they are
// asked for instead: see SetCursorLocation). Edits are written back to the base table of
// each field (found through SQLite's column metadata) by the table's primary key; a write
// that finds its row gone or changed raises DbError and leaves the snapshot's edit pending.
//
// Position: AbsolutePosition runs 1..RecordCount; BOF is before the first row and EOF
// after the last. An empty recordset is at both. MoveNext at EOF and MovePrevious at
// BOF raise DbError, as does reading or writing a field with no current row.
class Recordset : public QObject {
    Q_OBJECT
  public:
    explicit Recordset(QObject* parent = nullptr);
    ~Recordset() override;

    // Where the rows wait until they are read; set before Open. adUseClient (the default)
    // reads every row at Open. adUseServer, for a read-only recordset, reads the first rows
    // and counts the rest (RecordCount stays exact); the rest are read a moment later, once
    // the event loop has shown the first, or at once at an earlier need (a view asking for a
    // row further down, a move there, a search). A long list then shows at the cost of a
    // screenful and a count. The rest is read before the connection writes, so that the
    // rows all come from one state of the file, and no longer once it closes (the recordset
    // then ends at the rows read). A query that sorts is read whole at once, as its sorting
    // has read every row already. Other lock types read every row at Open.
    void SetCursorLocation(CursorLocationEnum location);
    // The statement that counts the rows the query gives, with the same parameters, for
    // reading on demand; set before Open, it serves every Open and Requery until set again.
    // Whoever builds a query knows how to count its rows cheaply (without its ORDER BY, say);
    // without one the rows are counted as the query stands, "select count(*) from (query)".
    void SetCountStatement(const QString& sql);

    void Open(const QString& sql, Connection& conn, LockTypeEnum lock = adLockOptimistic,
              const Params& params = {});
    void Close();  // pending edits are discarded
    bool IsOpen() const;
    // Runs the query again with its parameters; an optimistic pending edit is written
    // first, batch edits are discarded. Positions on the first row.
    void Requery();
    LockTypeEnum LockType() const;
    const QString& Source() const;
    Connection* ActiveConnection() const;

    bool AtEOF() const;
    bool AtBOF() const;
    // Open and on a row: neither before the first nor past the last.
    bool HasCurrentRow() const { return IsOpen() && !AtBOF() && !AtEOF(); }
    int RecordCount() const;
    int AbsolutePosition() const;  // 1-based; 0 at BOF or EOF or when empty
    void SetAbsolutePosition(int position);

    // Each move first writes an optimistic pending edit of the row being left; if the
    // write fails the move does not happen.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void Move(int numRecords);

    Bookmark GetBookmark() const;  // of the current row; DbError at BOF/EOF
    void SetBookmark(Bookmark b);  // makes that row current
    bool HasBookmark(Bookmark b) const;
    int PositionOf(Bookmark b) const;  // 1-based position, 0 when gone
    Bookmark BookmarkAt(int position) const;

    // ADO-style criteria on one field: "name = 'x'", "count > 3", "name like 'ab*'",
    // "buydate >= #2024-01-01#". Text comparison ignores case. From the current row
    // (plus skipRecords) or from start; not found: EOF (forward) or BOF (backward).
    bool Find(const QString& criteria, int skipRecords = 0,
              SearchDirectionEnum direction = adSearchForward, Bookmark start = 0);
    bool FindIf(const std::function<bool(const Recordset&)>& match, int skipRecords = 0,
                SearchDirectionEnum direction = adSearchForward);

    int FieldCount() const;
    QString FieldName(int index) const;
    int FieldIndex(const QString& name) const;  // case-insensitive; -1 when absent
    FieldRef Fields(const QString& name);       // DbError when absent
    FieldRef Fields(int index);
    Value operator[](const QString& name) const;  // current row
    Value GetValue(int index) const;
    void SetValue(int index, const Value& v);
    void SetValue(const QString& name, const Value& v);
    bool IsUpdatable(int index) const;  // the field maps to a column of a base table with a key

    // Rows by position, for views (the current row is untouched).
    Value ValueAt(int position, int index) const;

    void AddNew();
    void Update();        // optimistic: writes the current row's edit; batch: ends the edit
    void CancelUpdate();  // drops the current row's edit (a new row disappears)
    void Delete();        // optimistic: deletes in the database at once; batch: on UpdateBatch
    void UpdateBatch(AffectEnum affect = adAffectAll);  // one transaction, all or nothing
    void CancelBatch(AffectEnum affect = adAffectAll);
    EditModeEnum EditMode() const;

    // Returns the current row to what it was when the guard was made, unless Keep() is
    // called: for a save that sets fields and then writes, so that a failed write leaves
    // the row, its edit and the grid as they were before the attempt.
    class RowAttempt {
      public:
        explicit RowAttempt(Recordset& rs);
        ~RowAttempt();
        RowAttempt(const RowAttempt&) = delete;
        RowAttempt& operator=(const RowAttempt&) = delete;
        void Keep() { kept_ = true; }

      private:
        Recordset& rs_;
        struct State;
        std::unique_ptr<State> state_;
        bool kept_ = false;
    };
    bool HasPendingChanges() const;  // any row edited, added or deleted and not yet written
    // The rows edited or added and not yet written (deleted rows aside), in order; whether
    // one was added; and dropping one row's pending changes wherever the cursor stands (an
    // added row disappears, the cursor staying on its own row), so that a save can decide
    // row by row what it writes.
    std::vector<Bookmark> PendingRows() const;
    bool IsNewRow(Bookmark b) const;
    void CancelRow(Bookmark b);
    // A field of a row as the file held it when read, before the row's pending edits (Null
    // for an added row or a bookmark that is gone).
    Value OriginalOf(Bookmark b, int index) const;

    // The table Delete removes a row from when the query joins several updatable
    // tables; by default the table of the first updatable field. A join never
    // deletes from all its tables.
    void SetUniqueTable(const QString& table);
    QString UniqueTable() const;

    // A Qt item model of the rows (one column per field), kept in step with the snapshot;
    // the data grid and bound text boxes use it. Owned by the recordset.
    QAbstractItemModel* Model();

  signals:
    // After the current row changed (moves, Open, Requery, AddNew, Delete, bookmarks).
    void MoveComplete();
    // After a field of the current row was set.
    void FieldChangeComplete(int index);
    // After a row was written, added, deleted or cancelled.
    void RecordChangeComplete();
    // After the set of rows was replaced (Open, Requery, Close).
    void RecordsetChangeComplete();

  private:
    friend class RecordsetModel;
    friend class FieldRef;
    struct Impl;
    std::unique_ptr<Impl> d;
};
