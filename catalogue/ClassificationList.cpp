#include "catalogue/ClassificationList.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <set>

#include "catalogue/ClassificationDelete.h"
#include "core/Filters.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/text/QuotedInput.h"
#include "platform/ui/Controls.h"

namespace {
const char* const kCode = "typeid";
const char* const kName = "type";

// {table} is the list's table.
const char* const kOpenList = "select * from {table}";
const char* const kCodesInUse = "select typeid from {table}";

const char* const kDeleteQuestion =
    "如果您已使用过这一类型，那么您必需先删除所有这一类型的这个光盘，删除吗？";

QString TableSql(const char* sql, const QString& table) {
    return QString::fromUtf8(sql).replace(QStringLiteral("{table}"), table);
}

bool IsUnnamed(const Value& name) {
    return name.ToString().trimmed().isEmpty();
}

// A guard that clears a flag when it goes out of scope.
class Busy {
  public:
    explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
    ~Busy() { flag_ = false; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

  private:
    bool& flag_;
};
}  // namespace

ClassificationList::ClassificationList(const ClassificationListParts& parts, QObject* parent)
    : QObject(parent), parts_(parts) {
    Handle(parts_.add, &QPushButton::clicked, this, [this] { Add(); });
    Handle(parts_.remove, &QPushButton::clicked, this, [this] { Delete(); });
    connect(parts_.grid, &DataGrid::RowColChange, this, [this] { SaveRow(); });
    connect(parts_.grid, &DataGrid::AfterColEdit, this, [this] { CellEdited(); });
    HandleLostFocus(parts_.grid, this, [this] { GridLostFocus(); });
}

bool ClassificationList::HasCurrentRow() const {
    const Recordset* rs = List();
    return rs && rs->HasCurrentRow();
}

// ---- Filling ---------------------------------------------------------------------

void ClassificationList::Fill(Announcement announcement) {
    // What the operator typed is kept before the list is read again.
    RunReported([this] { SavePendingEdits(); });
    auto rs = std::make_unique<Recordset>();
    rs->Open(TableSql(kOpenList, parts_.table), gConn, adLockBatchOptimistic);
    parts_.grid->SetDataSource(rs.get());
    *parts_.recordset = std::move(rs);
    adding_ = false;
    FillCombos(announcement);
}

void ClassificationList::AnnounceStored(const QString& table) {
    Recordset rs;
    rs.Open(TableSql(kOpenList, table), gConn, adLockReadOnly);
    const int name = rs.FieldIndex(kName);
    QStringList names;
    for (int p = 1; p <= rs.RecordCount(); ++p) names << rs.ValueAt(p, name).ToString();
    ShopEvents::AnnounceClassificationRead(table, names);
}

// The combos change without raising their events: the pages that own them decide what a
// new selection means.
void ClassificationList::FillCombos(Announcement announcement) {
    const QSignalBlocker entry(parts_.entry), filter(parts_.filter);
    for (QComboBox* combo : {parts_.entry, parts_.filter}) combo->clear();
    parts_.filter->addItem(AllEntries());
    parts_.ids->clear();
    const Recordset* rs = List();
    const int code = rs->FieldIndex(kCode), name = rs->FieldIndex(kName);
    QStringList names;
    for (int p = 1; p <= rs->RecordCount(); ++p) {
        parts_.ids->push_back(static_cast<int>(rs->ValueAt(p, code).ToInt()));
        const QString text = rs->ValueAt(p, name).ToString();
        for (QComboBox* combo : {parts_.entry, parts_.filter}) combo->addItem(text);
        names << text;
    }
    parts_.filter->setCurrentIndex(0);
    parts_.entry->setCurrentIndex(-1);
    if (announcement == Announce) ShopEvents::AnnounceClassificationRead(parts_.table, names);
}

// ---- Saving ----------------------------------------------------------------------

void ClassificationList::SaveRow() {
    if (saving_ || !List() || !List()->IsOpen() || List()->AtEOF()) return;
    // A row being added is current (AddNew itself moves the grid): it waits for its name.
    if (List()->EditMode() == adEditAdd && IsUnnamed(List()->Fields(kName).GetValue())) return;
    RunReported([this] { SavePendingEdits(); });
}

void ClassificationList::GridLostFocus() {
    if (!saving_ && List() && List()->IsOpen()) SavePendingEdits();
}

void ClassificationList::SavePendingEdits() {
    Recordset* rs = List();
    if (saving_ || !rs || !rs->IsOpen()) return;
    const Busy busy(saving_);
    DropUnnamedRows();
    rs->UpdateBatch(adAffectAll);
    if (adding_ && (!HasCurrentRow() || rs->EditMode() != adEditAdd)) adding_ = false;
}

// A new row without a name disappears; a stored entry whose name was cleared keeps its name.
void ClassificationList::DropUnnamedRows() {
    Recordset* rs = List();
    const int name = rs->FieldIndex(kName);
    std::vector<int> unnamed;
    for (int p = rs->RecordCount(); p >= 1; --p)
        if (IsUnnamed(rs->ValueAt(p, name))) unnamed.push_back(p);
    if (unnamed.empty()) return;
    const Bookmark current = HasCurrentRow() ? rs->GetBookmark() : 0;
    for (int p : unnamed) {
        rs->SetAbsolutePosition(p);
        rs->CancelBatch(adAffectCurrent);
    }
    if (current && rs->HasBookmark(current)) {
        rs->SetBookmark(current);
    } else if (rs->AtEOF() && rs->RecordCount() > 0) {
        rs->MoveLast();
    }
}

// ---- Adding ----------------------------------------------------------------------

int ClassificationList::LowestFreeCode() const {
    std::set<qint64> used;
    Recordset codes;
    codes.Open(TableSql(kCodesInUse, parts_.table), gConn, adLockReadOnly);
    for (int p = 1; p <= codes.RecordCount(); ++p) used.insert(codes.ValueAt(p, 0).ToInt());
    if (const Recordset* rs = List(); rs && rs->IsOpen()) {
        const int code = rs->FieldIndex(kCode);
        for (int p = 1; p <= rs->RecordCount(); ++p) used.insert(rs->ValueAt(p, code).ToInt());
    }
    for (int c = 1; c <= kLastCode; ++c)
        if (!used.count(c)) return c;
    return 0;
}

void ClassificationList::Add() {
    Recordset* rs = List();
    if (!rs || !rs->IsOpen()) return;
    SavePendingEdits();
    const int code = LowestFreeCode();
    if (code == 0) {
        MsgBox(QStringLiteral("%1最多只能有%2种，不能再增加。").arg(parts_.caption).arg(kLastCode),
               vbOKOnly + vbInformation, QStringLiteral("提示"));
        return;
    }
    adding_ = true;
    rs->AddNew();
    rs->SetValue(kCode, code);
    parts_.grid->setFocus();
}

// ---- Deleting --------------------------------------------------------------------

void ClassificationList::Delete() {
    Recordset* rs = List();
    if (!HasCurrentRow()) return;
    if (MsgBox(QString::fromUtf8(kDeleteQuestion), vbYesNo + vbQuestion, QStringLiteral("删除")) !=
        vbYes)
        return;
    const int position = rs->AbsolutePosition();
    // The titles belong to the entry as stored, whatever the row shows now.
    const QString stored = rs->Fields(kName).OriginalValue().ToString();
    if (IsUnnamed(rs->Fields(kName).GetValue())) {
        // No name: no title is touched; an unsaved row disappears.
        rs->Requery();
        MoveNear(position);
        return;
    }
    if (stored.trimmed().isEmpty()) {
        rs->CancelBatch(adAffectCurrent);  // never saved: nothing of it is in the database
        MoveNear(position);
        return;
    }
    if (!DeleteStoredEntry(stored, rs->Fields(kCode).OriginalValue())) return;
    rs->Requery();
    MoveNear(position);
}

bool ClassificationList::DeleteStoredEntry(const QString& name, const Value& code) {
    const ClassificationDelete::List list{parts_.table, parts_.titleColumn, parts_.codeStart};
    const auto deleted =
        ClassificationDelete(gConn, list).Run(static_cast<int>(code.ToInt()), name);
    if (deleted.inUse) {
        MsgBox(QStringLiteral("“%1”中有光盘尚未全部归还，或在未结帐的出租、出售中，"
                              "不能删除这一%2。")
                   .arg(QuotedInput(name), parts_.caption),
               vbOKOnly + vbInformation, QStringLiteral("提示"));
        return false;
    }
    if (deleted.titles > 0) ShopEvents::AnnounceTitlesChanged();
    return true;
}

// After a deletion the row that followed becomes current (the last row when the deleted
// one was last).
void ClassificationList::MoveNear(int position) {
    Recordset* rs = List();
    if (rs->RecordCount() == 0) return;
    rs->SetAbsolutePosition(std::min(std::max(position, 1), rs->RecordCount()));
}
