#include "counter/CounterSearch.h"

#include <QPointer>

#include "core/MainWindow.h"
#include "core/YieldingLoopGuard.h"
#include "platform/db/Recordset.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/MsgBox.h"

namespace {
constexpr int kYieldEvery = 30;

// A record matches when the text is not empty and its search key holds it, whatever the
// case; a record without a key never matches.
bool Matches(const Value& key, const QString& text) {
    return !text.isEmpty() && !key.IsNull() && key.ToString().contains(text, Qt::CaseInsensitive);
}

const Form* MainForm() {
    return MainWindow::Get() ? MainWindow::Get()->Window() : nullptr;
}

// Esc pressed in the main window since the flag was last cleared; clears it.
bool TakeCancel() {
    MainWindow* main = MainWindow::Get();
    if (!main || !main->SearchCancel) return false;
    main->SearchCancel = false;
    return true;
}

void ClearCancel() {
    if (MainWindow* main = MainWindow::Get()) main->SearchCancel = false;
}
}  // namespace

CounterSearch::CounterSearch(Page page, QObject* parent)
    : QObject(parent), page_(std::move(page)) {}

bool CounterSearch::Searching() const {
    const MainWindow* frame = MainWindow::Get();
    return scanning_ || (frame && frame->Searching);
}

void CounterSearch::SetSearching(bool on) {
    scanning_ = on;
    if (MainWindow* frame = MainWindow::Get()) frame->Searching = on;
}

bool CounterSearch::Enter(const QString& text) {
    if (Searching()) return false;
    if (text.isEmpty() || !SearchTextChanged) {
        page_.checkOut();
        return true;
    }
    SetSearching(true);
    ClearCancel();
    SearchHitCount = 0;
    SearchHits = {-1};
    page_.grid->SelBookmarks().Clear();
    SearchPos = 0;
    if (Scan(text) == Ended::Abandoned) return true;
    Finish(true);
    if (SearchHitCount > 0)
        page_.hitsLabel->SetCaption(QStringLiteral("找到%1个光盘").arg(SearchHitCount));
    return true;
}

bool CounterSearch::Down(const QString& text) {
    if (Searching()) return false;
    if (SearchHitIndex != SearchHitCount - 1) {
        if (SearchHitCount > 0) MoveTo(SearchHits[static_cast<size_t>(++SearchHitIndex)]);
        return true;
    }
    SetSearching(true);
    ClearCancel();
    // On from the record after the current one, wherever the list stands now.
    SearchPos = OrdinalAfterCurrent();
    if (Scan(text) == Ended::Abandoned) return true;
    Finish(false);
    return true;
}

bool CounterSearch::Up() {
    if (Searching()) return false;
    if (SearchHitIndex > 0) MoveTo(SearchHits[static_cast<size_t>(--SearchHitIndex)]);
    return true;
}

void CounterSearch::Forget() {
    ++scanRun_;
    if (scanning_) SetSearching(false);
    SearchHitCount = 0;
    SearchHits = {-1};
    SearchHitIndex = -1;
    SearchPos = 0;
}

// From SearchPos to the first match or the end of the list. Abandoned: the page, the
// window or the list went away while the scan yielded; nothing of them may be touched.
CounterSearch::Ended CounterSearch::Scan(const QString& text) {
    Recordset* rs = page_.list();
    if (!rs || !rs->IsOpen()) return Ended::Done;
    const int records = rs->RecordCount();
    const int keyField = rs->FieldIndex(QStringLiteral("key"));
    const QPointer<CounterSearch> alive(this);
    const unsigned run = scanRun_;
    const YieldingLoopGuard guard(MainForm(), rs, page_.list);
    for (; SearchPos < records; ++SearchPos) {
        if (keyField >= 0 && Matches(rs->ValueAt(SearchPos + 1, keyField), text)) {
            Found();
            return Ended::Done;
        }
        if (SearchPos % kYieldEvery == 0) {
            DoEvents();
            if (!alive || run != scanRun_) return Ended::Abandoned;
            if (!guard.MayGoOn()) {
                SetSearching(false);  // the window is going: the keys need not wait for it
                return Ended::Abandoned;
            }
            if (TakeCancel()) return Ended::Done;
        }
    }
    return Ended::Done;
}

void CounterSearch::Found() {
    Recordset* rs = page_.list();
    page_.grid->SelBookmarks().Add(rs->BookmarkAt(SearchPos + 1));
    if (SearchHitCount == 0) {
        SearchHits[0] = SearchPos;
    } else {
        SearchHits.push_back(SearchPos);
    }
    ++SearchHitCount;
}

// The list shows the first match found by Enter, or the newest one after Down; with no
// match at all it returns to its first record.
void CounterSearch::Finish(bool afterEnter) {
    SetSearching(false);
    Recordset* rs = page_.list();
    const bool anyRow = rs && rs->RecordCount() > 0;
    if (SearchHits[0] == -1) {
        if (anyRow) rs->MoveFirst();
        page_.showButtons(anyRow);
        SearchHitIndex = -1;
    } else {
        page_.showButtons(true);
        SearchHitIndex = afterEnter ? 0 : SearchHitCount - 1;
        MoveTo(SearchHits[static_cast<size_t>(SearchHitIndex)]);
    }
    SearchTextChanged = false;
}

void CounterSearch::MoveTo(int ordinal) {
    Recordset* rs = page_.list();
    if (rs && ordinal >= 0 && ordinal < rs->RecordCount()) rs->SetAbsolutePosition(ordinal + 1);
}

// The record after the current one; the end of the list when it stands there.
int CounterSearch::OrdinalAfterCurrent() const {
    const Recordset* rs = page_.list();
    if (!rs || !rs->IsOpen()) return 0;
    if (rs->HasCurrentRow()) return rs->AbsolutePosition();
    return rs->AtEOF() ? rs->RecordCount() : 0;
}
