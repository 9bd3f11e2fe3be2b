#include "platform/db/Recordset.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <optional>

#include <QPointer>
#include <QTimer>

#include "platform/db/FindCriteria.h"
#include "platform/db/RecordsetModel.h"
#include "platform/db/RecordsetSchema.h"
#include "platform/db/Row.h"
#include "platform/db/RowWriter.h"
#include "platform/db/Statement.h"

namespace {

const QString kNotOpen = QStringLiteral("记录集没有打开，不能进行此操作。");
const QString kNoCurrentRow = QStringLiteral("当前记录不存在。");
const QString kReadOnly = QStringLiteral("记录集是只读的，不能修改。");
const QString kAtEOF = QStringLiteral("已经在最后一条记录之后（EOF），不能再向后移动。");
const QString kAtBOF = QStringLiteral("已经在第一条记录之前（BOF），不能再向前移动。");
const QString kBadBookmark = QStringLiteral("书签无效：该记录已不在记录集中。");
const QString kCannotAdd = QStringLiteral("不能添加记录：查询没有选出带主键的可更新的表。");
const QString kCannotDelete = QStringLiteral("不能删除记录：查询没有选出带主键的可更新的表。");

// The rows of a query as a recordset works on them: every row, or (reading on demand)
// the first rows and the number of rows in all.
struct Snapshot {
    RecordsetSchema schema;
    std::vector<Row> rows;
    int total = 0;
};

Row ReadRow(RowValues::Reader& reader, const Statement& st, Bookmark& next) {
    Row r;
    r.values = reader.Read(st.Handle());
    r.bookmark = next++;
    return r;
}

// Reading on demand starts with a screenful or two of rows
constexpr int kFirstRows = 100;
// and reads the rest this long after.
constexpr int kReadRestAfterMs = 250;

// Whether SQLite sorted the rows to give the first: it then holds them all already.
bool Sorted(const Statement& st) {
    return sqlite3_stmt_status(st.Handle(), SQLITE_STMTSTATUS_SORT, 0) > 0;
}

// Counts the rows of a query that gives no statement of its own to count them.
const char* const kCountRows = "select count(*) from (%1)";

// Every row, or (reading on demand) the first rows and the count of all. The count runs
// while the query still holds the file's read lock, so that it counts the rows the query
// gives. A query that had to sort is read whole: the sorting, the greater part of the
// work, is done.
Snapshot ReadSnapshot(Connection& conn, const QString& sql, const QString& countSql,
                      const Params& params, bool onDemand, RowValues::Reader& reader,
                      Bookmark& next) {
    Statement st(conn, sql);
    st.Bind(params);
    Snapshot s;
    s.schema = RecordsetSchema::Read(st.Handle(), conn);
    bool more = st.Step();
    const bool whole = !onDemand || (more && Sorted(st));
    const int wanted = whole ? std::numeric_limits<int>::max() : kFirstRows;
    for (; more; more = static_cast<int>(s.rows.size()) < wanted && st.Step())
        s.rows.push_back(ReadRow(reader, st, next));
    s.total = static_cast<int>(s.rows.size());
    if (!whole && s.total == wanted)
        s.total = static_cast<int>(
            conn.Scalar(countSql.isEmpty() ? QString::fromUtf8(kCountRows).arg(sql) : countSql,
                        params)
                .ToInt());
    return s;
}

}  // namespace

// Rows are kept in bookmark order (new rows are appended with higher bookmarks), so a
// bookmark is found by binary search. cur is an index into rows: -1 is BOF and
// rows.size() is EOF.
struct Recordset::Impl {
    explicit Impl(Recordset* owner) : q(owner) {}

    Recordset* q;
    Connection* conn = nullptr;
    QString source;
    QString countSource;  // counts the rows of source; empty: counted as source stands
    Params params;
    LockTypeEnum lock = adLockOptimistic;
    bool open = false;
    RecordsetSchema schema;
    std::vector<Row> rows;
    std::vector<Row> deleted;  // batch: deleted rows waiting for UpdateBatch
    int cur = -1;
    // An edit of the current row is in progress; backup is the row as it was when the
    // edit began (CancelUpdate returns to it), addSession when it began with AddNew.
    bool editing = false;
    bool addSession = false;
    std::optional<Row> backup;
    Bookmark beforeAdd = 0;
    Bookmark nextBookmark = 1;
    QString uniqueTable;
    RecordsetModel* model = nullptr;
    CursorLocationEnum location = adUseClient;
    RowValues::Reader reader;
    // Reading on demand: rows holds the first of total rows; the rest are read a moment
    // later, or at the first need, or before the connection writes, whichever comes first.
    int total = 0;
    int readBeforeChange = 0;  // the connection's key for that; 0 once every row is read

    // Rows read. While reading on demand the recordset has more: Count().
    int Size() const { return static_cast<int>(rows.size()); }
    bool Partial() const { return readBeforeChange != 0; }
    int Count() const { return Partial() ? total : Size(); }
    bool ReadsOnDemand() const { return location == adUseServer && lock == adLockReadOnly; }
    bool HasRow() const { return cur >= 0 && cur < Size(); }

    void RequireOpen() const {
        if (!open) throw DbError(kNotOpen);
    }
    void RequireWritable() const {
        RequireOpen();
        if (lock == adLockReadOnly) throw DbError(kReadOnly);
    }
    void CheckField(int index) const {
        RequireOpen();
        if (index < 0 || index >= schema.FieldCount())
            throw DbError(QStringLiteral("字段序号 %1 超出范围（0 到 %2）。")
                              .arg(index)
                              .arg(schema.FieldCount() - 1));
    }
    Row& Current() {
        RequireOpen();
        if (!HasRow()) throw DbError(kNoCurrentRow);
        return rows[cur];
    }
    const Row& Current() const { return const_cast<Impl*>(this)->Current(); }

    int IndexOf(Bookmark b) const {
        const auto it = std::lower_bound(rows.begin(), rows.end(), b,
                                         [](const Row& r, Bookmark v) { return r.bookmark < v; });
        return it != rows.end() && it->bookmark == b ? static_cast<int>(it - rows.begin()) : -1;
    }

    void EndEdit() {
        editing = false;
        addSession = false;
        backup.reset();
    }

    // Makes the row at index read (every row for index -1).
    void ReadTo(int index) {
        if (Partial() && (index < 0 || index >= Size())) ReadRest();
    }
    void ReadAll() { ReadTo(-1); }

    // The query runs again and the rows read before are passed over: the order of a query
    // is that of its plan, and the file has not changed since (or the counts disagree).
    // A failure (the file locked by another program, say) leaves the rest to read at the
    // next need, after the rows read so far.
    void ReadRest() {
        Statement st(*conn, source);
        st.Bind(params);
        int skip = Size();
        while (skip > 0 && st.Step()) --skip;
        if (skip == 0)
            while (st.Step()) rows.push_back(ReadRow(reader, st, nextBookmark));
        StopReading(total);
    }

    // Off the connection's list: every row is read, or the rows go.
    void Forget() {
        if (conn && readBeforeChange) conn->ForgetBeforeChange(readBeforeChange);
        readBeforeChange = 0;
    }

    // No more rows are read: every row there is has been read, or the rest cannot be. When
    // the rows are not those counted (another program changed the file meanwhile, or the
    // rest could not be read), the views learn so once they are done asking.
    void StopReading(int counted) {
        Forget();
        if (counted == Size() || !model) return;
        QMetaObject::invokeMethod(
            q,
            [self = QPointer<Recordset>(q)] {
                if (self && self->d->model) {
                    self->d->model->BeginReset();
                    self->d->model->EndReset();
                }
            },
            Qt::QueuedConnection);
    }

    // The rest is read a moment after the first rows, once the operator has them in view:
    // a write that follows then finds nothing left to read. A failure there leaves the rest
    // to the next need, which reports it.
    void ReadLater() {
        QTimer::singleShot(kReadRestAfterMs, q, [this, key = readBeforeChange] {
            if (readBeforeChange != key) return;  // read, requeried or closed meanwhile
            try {
                ReadAll();
            } catch (...) {
            }
        });
    }

    Snapshot Read(Connection& c, const QString& sql, const Params& p) {
        reader = RowValues::Reader();
        return ReadSnapshot(c, sql, countSource, p, ReadsOnDemand(), reader, nextBookmark);
    }

    void Replace(Snapshot s) {
        if (model) model->BeginReset();
        Forget();
        schema = std::move(s.schema);
        rows = std::move(s.rows);
        total = s.total;
        if (total > Size()) {
            readBeforeChange = conn->BeforeChange([this](Connection::Change change) {
                if (change == Connection::Change::Writing)
                    ReadAll();
                else
                    StopReading(total);
            });
            ReadLater();
        }
        deleted.clear();
        cur = rows.empty() ? -1 : 0;
        EndEdit();
        open = true;
        if (model) model->EndReset();
    }

    void RemoveRowAt(int i) {
        if (model) model->BeginRemove(i);
        rows.erase(rows.begin() + i);
        if (i < cur) --cur;  // at i itself the cursor lands on the next row (or EOF)
        if (model) model->EndRemove();
    }

    // Before the cursor leaves the current row: optimistic locking writes its edit
    // (a failure stops the move); batch locking keeps it pending.
    void LeaveRow() {
        if (!editing) return;
        if (lock == adLockBatchOptimistic) {
            EndEdit();
            return;
        }
        WriteRows({cur}, false);
    }

    void MoveTo(int target) {
        LeaveRow();
        cur = target;
        emit q->MoveComplete();
    }

    // The snapshot as it stood before a write, for putting it back when an operation's
    // transaction around the write rolls back.
    struct Before {
        std::vector<Row> rows;     // the written rows as they were (and a removed row)
        std::vector<Row> deleted;  // the batch's deleted rows
        Bookmark current = 0;
        bool editing = false;
        bool addSession = false;
        std::optional<Row> backup;
        Bookmark beforeAdd = 0;
    };

    Before Remember(const std::vector<int>& indexes, bool withDeleted) const {
        Before b;
        for (int i : indexes) b.rows.push_back(rows[i]);
        if (withDeleted) b.deleted = deleted;
        b.current = HasRow() ? rows[cur].bookmark : 0;
        b.editing = editing;
        b.addSession = addSession;
        b.backup = backup;
        b.beforeAdd = beforeAdd;
        return b;
    }

    // Undoes what a write did to the snapshot: rows return as they were (a removed one to
    // its place), with the edit and the position of that moment. The views are told of
    // changed rows, or reset when a row came back; a move is announced only when the
    // current row is another one than before.
    void PutBack(Before b) {
        const Bookmark wasCurrent = HasRow() ? rows[cur].bookmark : 0;
        const bool anyGone = std::any_of(b.rows.begin(), b.rows.end(),
                                         [this](const Row& r) { return IndexOf(r.bookmark) < 0; });
        if (model && anyGone) model->BeginReset();
        std::vector<Bookmark> changed;
        for (Row& r : b.rows) {
            changed.push_back(r.bookmark);
            const int i = IndexOf(r.bookmark);
            if (i >= 0) {
                rows[i] = std::move(r);
                continue;
            }
            const auto at =
                std::lower_bound(rows.begin(), rows.end(), r.bookmark,
                                 [](const Row& x, Bookmark v) { return x.bookmark < v; });
            rows.insert(at, std::move(r));
        }
        for (Row& r : b.deleted) deleted.push_back(std::move(r));
        const int i = IndexOf(b.current);
        if (i >= 0) {
            cur = i;
            editing = b.editing;
            addSession = b.addSession;
            backup = std::move(b.backup);
            beforeAdd = b.beforeAdd;
        }
        if (model && anyGone) model->EndReset();
        if (model && !anyGone)
            for (Bookmark bookmark : changed) model->RowChanged(IndexOf(bookmark));
        emit q->RecordChangeComplete();
        if (anyGone || (HasRow() ? rows[cur].bookmark : 0) != wasCurrent) emit q->MoveComplete();
    }

    // After a write has committed its own savepoint: inside an operation's transaction
    // the snapshot returns to how it was should that transaction roll back.
    void UndoOnRollback(Before before) {
        conn->OnRollback([self = QPointer<Recordset>(q), before = std::move(before)]() mutable {
            if (self && self->d->open) self->d->PutBack(std::move(before));
        });
    }

    // Writes the given rows (and the deleted ones) in one transaction; the snapshot shows
    // what was written once that commits, and shows it again as it was if an operation's
    // transaction around it rolls back.
    void WriteRows(const std::vector<int>& indexes, bool withDeleted) {
        Before before = Remember(indexes, withDeleted);
        std::vector<std::pair<Bookmark, std::vector<Value>>> written;
        std::vector<Bookmark> gone;
        {
            Transaction t(*conn);
            RowWriter writer(*conn, schema);
            if (withDeleted) {
                const int table = schema.DeleteTable(uniqueTable);
                for (const Row& r : deleted) {
                    writer.Delete(r, table);
                    gone.push_back(r.bookmark);
                }
            }
            for (int i : indexes)
                written.emplace_back(rows[i].bookmark, rows[i].state == Row::State::New
                                                           ? writer.Insert(rows[i])
                                                           : writer.Update(rows[i]));
            t.Commit();
        }
        UndoOnRollback(std::move(before));
        Written(std::move(written), gone);
    }

    // What was written: the snapshot shows it.
    void Written(std::vector<std::pair<Bookmark, std::vector<Value>>> written,
                 const std::vector<Bookmark>& gone) {
        std::erase_if(deleted, [&](const Row& r) {
            return std::find(gone.begin(), gone.end(), r.bookmark) != gone.end();
        });
        bool endsEdit = false;
        for (auto& [bookmark, values] : written) {
            const int i = IndexOf(bookmark);
            if (i < 0) continue;
            rows[i].Written(std::move(values));
            if (model) model->RowChanged(i);
            endsEdit = endsEdit || i == cur;
        }
        if (editing && endsEdit) EndEdit();
        emit q->RecordChangeComplete();
    }

    // The index of the first row from `from` (plus skip rows) in the direction that
    // matches; Size() or -1 when none does.
    int Search(const std::function<bool(int)>& matches, int skip, SearchDirectionEnum direction,
               int from) const {
        if (direction == adSearchBackward) {
            for (int i = std::min(from - skip, Size() - 1); i >= 0; --i)
                if (matches(i)) return i;
            return -1;
        }
        for (int i = std::max(from + skip, 0); i < Size(); ++i)
            if (matches(i)) return i;
        return Size();
    }

    bool GoToFound(int target) {
        if (target != cur) MoveTo(target);
        return target >= 0 && target < Size();
    }

    void RestoreAll() {
        std::vector<Row> kept;
        kept.reserve(rows.size() + deleted.size());
        for (Row& r : rows) {
            if (r.state == Row::State::New) continue;
            r.Revert();
            kept.push_back(std::move(r));
        }
        for (Row& r : deleted) {
            r.Revert();
            kept.push_back(std::move(r));
        }
        deleted.clear();
        std::sort(kept.begin(), kept.end(),
                  [](const Row& a, const Row& b) { return a.bookmark < b.bookmark; });
        rows = std::move(kept);
    }
};

// ---- FieldRef

QString FieldRef::Name() const {
    return rs_->FieldName(index_);
}
Value FieldRef::GetValue() const {
    return rs_->GetValue(index_);
}
FieldRef& FieldRef::operator=(const Value& v) {
    rs_->SetValue(index_, v);
    return *this;
}
Value FieldRef::OriginalValue() const {
    rs_->d->CheckField(index_);
    return rs_->d->Current().Original(index_);
}

// ---- opening and closing

Recordset::Recordset(QObject* parent) : QObject(parent), d(std::make_unique<Impl>(this)) {}

Recordset::~Recordset() {
    delete d->model;  // before the snapshot it shows goes away
    d->model = nullptr;
    d->Forget();
}

void Recordset::SetCursorLocation(CursorLocationEnum location) {
    d->location = location;
}

void Recordset::SetCountStatement(const QString& sql) {
    d->countSource = sql;
}

void Recordset::Open(const QString& sql, Connection& conn, LockTypeEnum lock,
                     const Params& params) {
    Close();
    d->lock = lock;
    Snapshot s = d->Read(conn, sql, params);
    d->conn = &conn;
    d->source = sql;
    d->params = params;
    d->Replace(std::move(s));
    emit RecordsetChangeComplete();
    emit MoveComplete();
}

void Recordset::Close() {
    if (!d->open) return;
    if (d->model) d->model->BeginReset();
    d->Forget();
    d->open = false;
    d->schema = RecordsetSchema();
    d->rows.clear();
    d->deleted.clear();
    d->cur = -1;
    d->EndEdit();
    if (d->model) d->model->EndReset();
    emit RecordsetChangeComplete();
}

bool Recordset::IsOpen() const {
    return d->open;
}

void Recordset::Requery() {
    d->RequireOpen();
    if (d->lock != adLockBatchOptimistic) d->LeaveRow();
    d->Replace(d->Read(*d->conn, d->source, d->params));
    emit RecordsetChangeComplete();
    emit MoveComplete();
}

LockTypeEnum Recordset::LockType() const {
    return d->lock;
}
const QString& Recordset::Source() const {
    return d->source;
}
Connection* Recordset::ActiveConnection() const {
    return d->conn;
}

// ---- position

bool Recordset::AtEOF() const {
    return d->Count() == 0 || d->cur >= d->Count();
}
bool Recordset::AtBOF() const {
    return d->Count() == 0 || d->cur < 0;
}
int Recordset::RecordCount() const {
    return d->Count();
}
int Recordset::AbsolutePosition() const {
    return d->HasRow() ? d->cur + 1 : 0;
}

void Recordset::SetAbsolutePosition(int position) {
    d->RequireOpen();
    if (position >= 1 && position <= d->Count()) d->ReadTo(position - 1);
    if (position < 1 || position > d->Count())
        throw DbError(
            QStringLiteral("记录位置 %1 超出范围（1 到 %2）。").arg(position).arg(d->Count()));
    if (position - 1 != d->cur) d->MoveTo(position - 1);
}

void Recordset::MoveFirst() {
    d->RequireOpen();
    d->MoveTo(d->Size() > 0 ? 0 : -1);
}

void Recordset::MoveLast() {
    d->RequireOpen();
    d->ReadAll();
    d->MoveTo(d->Size() - 1);
}

void Recordset::MoveNext() {
    d->RequireOpen();
    if (AtEOF()) throw DbError(kAtEOF);
    d->ReadTo(d->cur + 1);
    d->MoveTo(std::min(d->cur + 1, d->Size()));
}

void Recordset::MovePrevious() {
    d->RequireOpen();
    if (AtBOF()) throw DbError(kAtBOF);
    d->MoveTo(d->cur - 1);
}

void Recordset::Move(int numRecords) {
    d->RequireOpen();
    if (numRecords > 0 && AtEOF()) throw DbError(kAtEOF);
    if (numRecords < 0 && AtBOF()) throw DbError(kAtBOF);
    const qint64 target = std::clamp<qint64>(qint64(d->cur) + numRecords, -1, d->Count());
    if (target >= 0) d->ReadTo(static_cast<int>(target));
    d->MoveTo(static_cast<int>(std::min<qint64>(target, d->Size())));
}

// ---- bookmarks

Bookmark Recordset::GetBookmark() const {
    return d->Current().bookmark;
}

void Recordset::SetBookmark(Bookmark b) {
    d->RequireOpen();
    const int i = d->IndexOf(b);
    if (i < 0) throw DbError(kBadBookmark);
    if (i != d->cur) d->MoveTo(i);
}

bool Recordset::HasBookmark(Bookmark b) const {
    return d->IndexOf(b) >= 0;
}
int Recordset::PositionOf(Bookmark b) const {
    return d->IndexOf(b) + 1;
}

Bookmark Recordset::BookmarkAt(int position) const {
    if (position < 1 || position > d->Count()) return 0;
    d->ReadTo(position - 1);
    return position <= d->Size() ? d->rows[position - 1].bookmark : 0;
}

// ---- finding

bool Recordset::Find(const QString& criteria, int skipRecords, SearchDirectionEnum direction,
                     Bookmark start) {
    d->RequireOpen();
    d->ReadAll();
    const FindCriteria c =
        FindCriteria::Parse(criteria, [this](const QString& n) { return FieldIndex(n); });
    int from = d->cur;
    if (start != 0 && (from = d->IndexOf(start)) < 0) throw DbError(kBadBookmark);
    const int target = d->Search([&](int i) { return c.Matches(d->rows[i].values.Get(c.Field())); },
                                 skipRecords, direction, from);
    return d->GoToFound(target);
}

bool Recordset::FindIf(const std::function<bool(const Recordset&)>& match, int skipRecords,
                       SearchDirectionEnum direction) {
    d->RequireOpen();
    d->ReadAll();
    const int saved = d->cur;
    // The predicate reads the candidate row as the current one; the cursor really moves
    // only once a row is chosen.
    const auto probe = [&](int i) {
        struct Restore {
            Impl* d;
            int cur;
            ~Restore() { d->cur = cur; }
        } restore{d.get(), saved};
        d->cur = i;
        return match(*this);
    };
    return d->GoToFound(d->Search(probe, skipRecords, direction, saved));
}

// ---- fields

int Recordset::FieldCount() const {
    return d->schema.FieldCount();
}

QString Recordset::FieldName(int index) const {
    return index >= 0 && index < FieldCount() ? d->schema.fields[index].name : QString();
}

int Recordset::FieldIndex(const QString& name) const {
    return d->schema.FieldIndex(name);
}

FieldRef Recordset::Fields(const QString& name) {
    d->RequireOpen();
    const int i = FieldIndex(name);
    if (i < 0) throw DbError(QStringLiteral("字段“%1”不存在。").arg(name));
    return FieldRef(this, i);
}

FieldRef Recordset::Fields(int index) {
    d->CheckField(index);
    return FieldRef(this, index);
}

Value Recordset::operator[](const QString& name) const {
    d->RequireOpen();
    const int i = FieldIndex(name);
    if (i < 0) throw DbError(QStringLiteral("字段“%1”不存在。").arg(name));
    return GetValue(i);
}

Value Recordset::GetValue(int index) const {
    d->CheckField(index);
    return d->Current().values.Get(index);
}

void Recordset::SetValue(const QString& name, const Value& v) {
    Fields(name) = v;
}

void Recordset::SetValue(int index, const Value& v) {
    d->RequireWritable();
    d->CheckField(index);
    Row& r = d->Current();
    if (!d->schema.IsUpdatable(index)) throw DbError(d->schema.WhyNotUpdatable(index));
    Value stored = d->schema.Coerce(index, v);
    if (!d->editing) {
        d->backup = r;
        d->editing = true;
        d->addSession = false;
    }
    r.BeginEdit();
    r.values.Set(index, std::move(stored));
    r.edit->changed[index] = true;
    if (d->model) d->model->CellChanged(d->cur, index);
    emit FieldChangeComplete(index);
}

bool Recordset::IsUpdatable(int index) const {
    return d->schema.IsUpdatable(index);
}

// Views ask for rows here while painting: when the rest cannot be read, the recordset ends
// at the rows read (the views are told) rather than have every repaint wait for the file.
Value Recordset::ValueAt(int position, int index) const {
    if (position < 1 || position > d->Count() || index < 0 || index >= FieldCount()) return Value();
    try {
        d->ReadTo(position - 1);
    } catch (const DbError&) {
        d->StopReading(d->total);
        return Value();
    }
    if (position > d->Size()) return Value();
    return d->rows[position - 1].values.Get(index);
}

// ---- editing

void Recordset::AddNew() {
    d->RequireWritable();
    if (!d->schema.HasUpdatableTable()) throw DbError(kCannotAdd);
    d->LeaveRow();
    const Bookmark before = d->HasRow() ? d->rows[d->cur].bookmark : 0;
    Row r;
    r.values = RowValues(std::vector<Value>(FieldCount()));
    r.bookmark = d->nextBookmark++;
    r.state = Row::State::New;
    r.BeginEdit();
    const int at = d->Size();
    if (d->model) d->model->BeginInsert(at);
    d->rows.push_back(std::move(r));
    if (d->model) d->model->EndInsert();
    d->cur = at;
    d->editing = true;
    d->addSession = true;
    d->backup.reset();
    d->beforeAdd = before;
    emit RecordChangeComplete();
    emit MoveComplete();
}

void Recordset::Update() {
    d->RequireOpen();
    if (!d->editing) return;
    if (d->lock == adLockBatchOptimistic) {
        d->EndEdit();
        emit RecordChangeComplete();
        return;
    }
    d->WriteRows({d->cur}, false);
}

void Recordset::CancelUpdate() {
    d->RequireOpen();
    if (!d->editing) return;
    if (d->addSession) {
        const Bookmark back = d->beforeAdd;
        d->EndEdit();
        d->RemoveRowAt(d->cur);
        const int i = d->IndexOf(back);
        d->cur = i >= 0 ? i : d->Size();
        emit RecordChangeComplete();
        emit MoveComplete();
        return;
    }
    d->rows[d->cur] = std::move(*d->backup);
    d->EndEdit();
    if (d->model) d->model->RowChanged(d->cur);
    emit RecordChangeComplete();
}

void Recordset::Delete() {
    d->RequireWritable();
    Row& r = d->Current();
    if (r.state != Row::State::New) {
        const int table = d->schema.DeleteTable(d->uniqueTable);
        if (table < 0) throw DbError(kCannotDelete);
        if (d->lock == adLockBatchOptimistic) {
            r.state = Row::State::Deleted;
            // A copy: views may still read the row while its removal is announced.
            d->deleted.push_back(r);
        } else {
            Impl::Before before = d->Remember({d->cur}, false);
            Transaction t(*d->conn);
            RowWriter(*d->conn, d->schema).Delete(r, table);
            t.Commit();
            d->UndoOnRollback(std::move(before));
        }
    }
    d->EndEdit();
    d->RemoveRowAt(d->cur);
    emit RecordChangeComplete();
    emit MoveComplete();
}

void Recordset::UpdateBatch(AffectEnum affect) {
    d->RequireOpen();
    if (d->lock == adLockReadOnly) return;
    std::vector<int> pending;
    bool withDeleted = false;
    if (affect == adAffectAll) {
        for (int i = 0; i < d->Size(); ++i)
            if (d->rows[i].IsPending()) pending.push_back(i);
        withDeleted = !d->deleted.empty();
    } else if (d->HasRow() && d->rows[d->cur].IsPending()) {
        pending.push_back(d->cur);
    }
    if (pending.empty() && !withDeleted) return;
    d->WriteRows(pending, withDeleted);
}

void Recordset::CancelBatch(AffectEnum affect) {
    d->RequireOpen();
    if (affect == adAffectCurrent) {
        if (!d->HasRow() || !d->rows[d->cur].IsPending()) return;
        if (d->addSession) return CancelUpdate();
        if (d->rows[d->cur].state == Row::State::New) {
            d->EndEdit();
            d->RemoveRowAt(d->cur);
            emit RecordChangeComplete();
            emit MoveComplete();
            return;
        }
        d->rows[d->cur].Revert();
        d->EndEdit();
        if (d->model) d->model->RowChanged(d->cur);
        emit RecordChangeComplete();
        return;
    }
    d->ReadAll();
    const bool wasBOF = d->cur < 0;
    const bool wasEOF = d->cur >= d->Size();
    const Bookmark current = d->HasRow() ? d->rows[d->cur].bookmark : 0;
    if (d->model) d->model->BeginReset();
    d->RestoreAll();
    d->EndEdit();
    const int i = d->IndexOf(current);
    if (i >= 0)
        d->cur = i;
    else if (wasBOF || d->rows.empty())
        d->cur = -1;
    else
        d->cur = wasEOF ? d->Size() : 0;
    if (d->model) d->model->EndReset();
    emit RecordChangeComplete();
    emit MoveComplete();
}

// ---- attempts

struct Recordset::RowAttempt::State {
    std::optional<Impl::Before> before;  // none: there was no current row to return to
};

Recordset::RowAttempt::RowAttempt(Recordset& rs) : rs_(rs), state_(std::make_unique<State>()) {
    Impl& d = *rs.d;
    if (d.open && d.HasRow()) state_->before = d.Remember({d.cur}, false);
}

Recordset::RowAttempt::~RowAttempt() {
    Impl& d = *rs_.d;
    if (kept_ || !state_->before || !d.open) return;
    // The row went with a requery: nothing of the attempt is left.
    if (d.IndexOf(state_->before->current) < 0) return;
    // This runs while a failure unwinds: a handler's own error must not end the program.
    try {
        d.PutBack(std::move(*state_->before));
    } catch (...) {
    }
}

EditModeEnum Recordset::EditMode() const {
    if (!d->editing || !d->HasRow()) return adEditNone;
    return d->addSession ? adEditAdd : adEditInProgress;
}

bool Recordset::HasPendingChanges() const {
    if (!d->deleted.empty()) return true;
    return std::any_of(d->rows.begin(), d->rows.end(), [](const Row& r) { return r.IsPending(); });
}

std::vector<Bookmark> Recordset::PendingRows() const {
    std::vector<Bookmark> pending;
    for (const Row& r : d->rows)
        if (r.IsPending()) pending.push_back(r.bookmark);
    return pending;
}

bool Recordset::IsNewRow(Bookmark b) const {
    const int i = d->IndexOf(b);
    return i >= 0 && d->rows[i].state == Row::State::New;
}

Value Recordset::OriginalOf(Bookmark b, int index) const {
    const int i = d->IndexOf(b);
    if (i < 0 || index < 0 || index >= FieldCount() || d->rows[i].state == Row::State::New)
        return Value();
    return d->rows[i].Original(index);
}

void Recordset::CancelRow(Bookmark b) {
    d->RequireOpen();
    const int i = d->IndexOf(b);
    if (i < 0 || !d->rows[i].IsPending()) return;
    if (i == d->cur) return CancelBatch(adAffectCurrent);
    if (d->rows[i].state == Row::State::New) {
        d->RemoveRowAt(i);
        emit RecordChangeComplete();
        return;
    }
    d->rows[i].Revert();
    if (d->model) d->model->RowChanged(i);
    emit RecordChangeComplete();
}

void Recordset::SetUniqueTable(const QString& table) {
    d->uniqueTable = table;
}
QString Recordset::UniqueTable() const {
    return d->uniqueTable;
}

QAbstractItemModel* Recordset::Model() {
    if (!d->model) d->model = new RecordsetModel(this);
    return d->model;
}
