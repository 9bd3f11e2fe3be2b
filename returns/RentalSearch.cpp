#include "returns/RentalSearch.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "core/MainWindow.h"
#include "core/YieldingLoopGuard.h"
#include "core/mdlMain.h"
#include "platform/ui/Controls.h"
#include "returns/ReturnPage.h"

namespace {
constexpr int kYieldEvery = 30;

// The initials of a customer key: each character's pinyin initial (a one-byte character
// stands for itself), lower case.
QString Initials(const QString& name) {
    QString initials;
    for (const QChar ch : name) initials += GetPYChar(QString(ch)).toLower();
    return initials;
}

MainWindow* Frame() {
    return MainWindow::Get();
}
}  // namespace

Recordset* RentalSearch::List() const {
    Recordset* rs = page_.adoDispBorrow.get();
    return rs && rs->IsOpen() ? rs : nullptr;
}

void RentalSearch::KeyDown(int& KeyCode, int) {
    // A walk running (this one, or the counter's) owns the list until it ends.
    if (walking_ || (Frame() && Frame()->Searching)) return;
    if (KeyCode == vbKeyReturn)
        Enter();
    else if (KeyCode == vbKeyDown)
        Down();
    else if (KeyCode == vbKeyUp)
        Up();
}

void RentalSearch::Reset() {
    FindList.clear();
    FindCount = 0;
    FindIndex = 0;
    FindPos = 0;
    IsNewFind = true;
    page_.dgBorrow->SelBookmarks().Clear();
}

void RentalSearch::Begin() {
    walking_ = true;
    if (Frame()) {
        Frame()->Searching = true;
        Frame()->SearchCancel = false;
    }
}

void RentalSearch::Enter() {
    if (page_.TxtFindBack->text().isEmpty() || !IsNewFind) {
        if (page_.Command5->isEnabled()) page_.Command5_Click();
        return;
    }
    Recordset* rs = List();
    if (!rs) return;
    Begin();
    FindCount = 0;
    FindList.assign(1, -1);
    page_.dgBorrow->SelBookmarks().Clear();
    FindPos = 0;
    if (rs->RecordCount() > 0) rs->MoveFirst();
    if (Walk() == WalkEnd::Abandoned) return;
    EndSearch(false);
    if (FindCount > 0) page_.LblFindBackCount->SetCaption(QString("找到%1个光盘").arg(FindCount));
}

void RentalSearch::Down() {
    if (FindIndex != FindCount - 1) {
        if (FindCount > 0) MoveTo(FindList[static_cast<std::size_t>(++FindIndex)]);
        return;
    }
    Recordset* rs = List();
    if (!rs) return;
    Begin();
    if (!rs->AtEOF()) {
        rs->MoveNext();
        FindPos = rs->AtEOF() ? rs->RecordCount() : rs->AbsolutePosition() - 1;
    }
    if (Walk() == WalkEnd::Abandoned) return;
    EndSearch(true);
}

void RentalSearch::Up() {
    if (FindIndex > 0) MoveTo(FindList[static_cast<std::size_t>(--FindIndex)]);
}

RentalSearch::WalkEnd RentalSearch::Walk() {
    Recordset* rs = List();
    const QPointer<ReturnPage> page(&page_);
    const YieldingLoopGuard guard(Frame() ? Frame()->Window() : nullptr, rs,
                                  [page] { return page ? page->adoDispBorrow.get() : nullptr; });
    for (;;) {
        if (rs->AtEOF()) return WalkEnd::NoHit;
        if (Matches(*rs)) {
            page_.dgBorrow->SelBookmarks().Add(rs->GetBookmark());
            if (FindCount == 0 && !FindList.empty())
                FindList[0] = FindPos;
            else
                FindList.push_back(FindPos);
            ++FindCount;
            return WalkEnd::Hit;
        }
        if (FindPos % kYieldEvery == 0) {
            DoEvents();
            if (!page) {
                if (Frame()) Frame()->Searching = false;
                return WalkEnd::Abandoned;
            }
            if (!guard.MayGoOn()) {
                // The list was refilled or the window closed meanwhile: what was found
                // belongs to a list that is gone.
                walking_ = false;
                if (Frame()) Frame()->Searching = false;
                return WalkEnd::Abandoned;
            }
            if (Frame() && Frame()->SearchCancel) {
                Frame()->SearchCancel = false;
                return WalkEnd::NoHit;
            }
        }
        ++FindPos;
        rs->MoveNext();
    }
}

void RentalSearch::EndSearch(bool newest) {
    walking_ = false;
    if (Frame()) Frame()->Searching = false;
    Recordset* rs = List();
    if (FindList.empty() || FindList[0] == -1) {
        if (rs && rs->RecordCount() > 0) rs->MoveFirst();
        page_.Command5->setEnabled(rs && rs->RecordCount() > 0);
        FindIndex = -1;
    } else {
        page_.Command5->setEnabled(true);
        FindIndex = newest ? FindCount - 1 : 0;
        MoveTo(FindList[static_cast<std::size_t>(FindIndex)]);
    }
    page_.DispBorrowDetail();
    IsNewFind = false;
}

bool RentalSearch::Matches(const Recordset& rs) const {
    const QString text = page_.TxtFindBack->text();
    if (text.isEmpty()) return false;
    const QString wanted = text.toLower();
    const QString name = rs["name"].ToString();
    return name.contains(wanted) || Initials(name).contains(wanted) ||
           rs["key"].ToString().toLower().contains(wanted);
}

void RentalSearch::MoveTo(int position) {
    Recordset* rs = List();
    if (rs && position >= 0 && position < rs->RecordCount()) rs->SetAbsolutePosition(position + 1);
}
