#include "catalogue/frmFind.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/CataloguePage.h"
#include "core/MainWindow.h"
#include "core/YieldingLoopGuard.h"
#include "core/mdlMain.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

namespace {
// Find yields to the event loop at every title, find next at every 30th.
constexpr int kFindYieldEvery = 1;
constexpr int kFindNextYieldEvery = 30;

// The main window's catalogue, while the main window lives.
Recordset* Catalogue() {
    return MainWindow::IsLoaded() ? MainWindow::Get()->adoCDInfo() : nullptr;
}

bool HasRows(const Recordset* rs) {
    return rs && rs->IsOpen() && rs->RecordCount() > 0;
}
}  // namespace

frmFind::frmFind() {
    setObjectName("frmFind");
    setWindowTitle(QStringLiteral("查找"));
    SetKeyPreview(true);
    Label1 = Named<QLabel>("Label1", QStringLiteral("请输入影片名称、演员姓名的拼音缩写"));
    Text1 = Named<QLineEdit>("Text1");
    Command1 = Named<QPushButton>("Command1", QStringLiteral("查找(&F)"));
    Command2 = Named<QPushButton>("Command2", QStringLiteral("查找下一个(&N)"));
    Command3 = Named<QPushButton>("Command3", QStringLiteral("取消(&C)"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Text1, 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 1, 3, 1);
    layout->setRowStretch(2, 1);
    Text1->setMinimumWidth(240);
    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Handle(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    SetDefaultButton(Command1);
    SetCancelButton(Command3);
}

// Esc stops a running search on the title reached, and only that: the dialog stays. At rest
// it is the cancel button.
void frmFind::Form_KeyDown(int& KeyCode, int) {
    if (KeyCode != vbKeyEscape) return;
    StopFind = true;
    if (searching_) KeyCode = 0;
}

void frmFind::ShowFor(CataloguePage& catalogue) {
    catalogue_ = &catalogue;
    Show(vbModeless, MainWindow::Owner());
}

void frmFind::Form_Unload(int&) {
    StopFind = true;
}

void frmFind::Command1_Click() {
    Find(true);
}

void frmFind::Command2_Click() {
    Find(false);
}

void frmFind::Command3_Click() {
    StopFind = true;
    Unload();
    if (MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
}

void frmFind::Find(bool fromFirst) {
    if (searching_) return;  // the running search goes on; a second one would not
    StopFind = false;
    Recordset* rs = Catalogue();
    if (!Text1->text().isEmpty() && HasRows(rs)) {
        const int from =
            fromFirst ? 1 : (rs->AtEOF() ? rs->RecordCount() + 1 : rs->AbsolutePosition() + 1);
        QPointer<frmFind> self(this);
        searching_ = true;
        const std::optional<int> reached =
            Search(rs, from, fromFirst ? kFindYieldEvery : kFindNextYieldEvery);
        if (!self || IsUnloaded()) return;
        searching_ = false;
        if (!reached || !MoveCatalogueTo(rs, *reached)) return;
    }
    EndSearch(rs);
}

std::optional<int> frmFind::Search(Recordset* rs, int from, int yieldEvery) {
    // The catalogue may be reopened (another filter) or lose titles while the search yields.
    const YieldingLoopGuard guard(this, rs, [] { return Catalogue(); });
    const int count = rs->RecordCount();
    const int key = rs->FieldIndex("key");
    const QString sought = Text1->text().toLower();
    for (int position = from, visit = 0; position <= count; ++position, ++visit) {
        if (visit % yieldEvery == 0) {
            DoEvents();
            if (!guard.MayGoOn()) return std::nullopt;
            if (StopFind) return position;
        }
        const Value value = rs->ValueAt(position, key);
        if (!value.IsNull() && value.ToString().toLower().contains(sought)) return position;
    }
    return count + 1;
}

// Moves the catalogue to the title at position (past the last: to its end). The title
// being edited is saved first, through the save's checks; a refused save stops the move.
bool frmFind::MoveCatalogueTo(Recordset* rs, int position) {
    const bool toEnd = position > rs->RecordCount();
    if (toEnd ? rs->AtEOF() : rs->AbsolutePosition() == position) return true;
    if (!catalogue_ || !catalogue_->SaveBeforeLeavingRow()) return false;
    if (toEnd || position > rs->RecordCount()) {
        if (!rs->AtEOF()) rs->Move(rs->RecordCount() + 1);
    } else {
        rs->SetAbsolutePosition(position);
    }
    return true;
}

void frmFind::EndSearch(Recordset* rs) {
    if (!rs || !rs->IsOpen() || rs->AtEOF()) {
        MsgBox(QStringLiteral("已经查找到文件尾！"), vbOKOnly + vbInformation,
               QStringLiteral("文件尾"));
        SetDefaultButton(Command3);
    } else {
        SetDefaultButton(Command2);
    }
}
