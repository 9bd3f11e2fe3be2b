#include "catalogue/frmSelPrint.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogue/CataloguePage.h"
#include "catalogue/StockList.h"
#include "core/MainWindow.h"
#include "core/YieldingLoopGuard.h"
#include "core/mdlMain.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

namespace {
// One stock list prints at a time, whatever happens to the dialog meanwhile.
bool gStockListPrinting = false;
}  // namespace

frmSelPrint::frmSelPrint()
    : FormOf<frmSelPrint>(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setObjectName("frmSelPrint");
    setWindowTitle(QStringLiteral("选择打印格式"));
    auto* frame = Named<QGroupBox>("Frame1", QStringLiteral("统计方式"));
    auto* options = new QVBoxLayout(frame);
    Option1[0] = NamedAt<QRadioButton>("Option1", 0, QStringLiteral("按光盘格式统计"));
    Option1[1] = NamedAt<QRadioButton>("Option1", 1, QStringLiteral("按影片类型统计"));
    for (QRadioButton* option : Option1) options->addWidget(option);
    Command1 = Named<QPushButton>("Command1", QStringLiteral("打印(&P)"));
    Command2 = Named<QPushButton>("Command2", QStringLiteral("取消(&C)"));
    SetDefaultButton(Command1);
    SetCancelButton(Command2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

void frmSelPrint::Form_Load() {
    Option1[0]->setChecked(true);
}

// The dialog stays while its pages print; it unloads itself when the run ends.
void frmSelPrint::Form_QueryUnload(int& Cancel, int) {
    if (gStockListPrinting) Cancel = 1;
}

bool frmSelPrint::IsPrinting() {
    return gStockListPrinting;
}

void frmSelPrint::CmdPrintStore_Click(CataloguePage& catalogue) {
    if (gStockListPrinting) return;
    instance().catalogue_ = &catalogue;
    instance().Show(vbModeless, MainWindow::Owner());
}

void frmSelPrint::Command2_Click() {
    Unload();
}

void frmSelPrint::Command1_Click() {
    if (gStockListPrinting) return;
    gStockListPrinting = true;
    QPointer<frmSelPrint> self(this);
    bool ran = false;
    RunReported([&] { ran = PrintStockList(); });
    gStockListPrinting = false;
    // The program may have closed, and taken the dialog with it, while the pages printed.
    // A run that started (the dialog hidden) ends with the dialog, even one that failed.
    if (self && (ran || self->isHidden())) self->Unload();
}

// The titles are read when the run starts; a later change of the catalogue's filters
// does not affect it. With the template missing the dialog stays, for another try.
bool frmSelPrint::PrintStockList() {
    CataloguePage* catalogue = catalogue_;
    if (!catalogue) return false;
    StockList list(Option1[1]->isChecked() ? StockList::ByMovieType : StockList::ByFormat,
                   catalogue->CboManageMovieType->currentText(),
                   catalogue->CboManageType->currentText());
    list.Open();
    ExcelReport report;
    if (!report.OpenTemplate(StockList::kTemplate)) return false;
    Hide();
    report.FillPageFrame(list.Frame());
    // The pages print while the program stays usable: no title is taken once this dialog is
    // unloaded or the program is ending.
    const YieldingLoopGuard guard(this, nullptr);
    const RowSource titles = list.Rows();
    const RowSource guarded = [&](ReportRow& row) { return guard.MayGoOn() && titles(row); };
    report.PrintReport(guarded, StockList::kPageRows, StockList::kDataRows, StockList::kHeadRows,
                       StockList::kLastFrameColumn);
    if (!gExiting && MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
    return true;
}
