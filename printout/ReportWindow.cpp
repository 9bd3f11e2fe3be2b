#include "printout/ReportWindow.h"

#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include "core/MainWindow.h"
#include "core/YieldingLoopGuard.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/db/DbError.h"
#include "platform/ui/Controls.h"
#include "printout/ReportExport.h"
#include "printout/ReportPrintout.h"

namespace {
QPushButton* ActionButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = Named<QPushButton>(name, caption, parent);
    button->setStyleSheet("background-color: rgb(231, 241, 252);");
    return button;
}

// Runs a handler of the window, telling the operator of an error that escaped it.
template <class Fn>
auto Reported(Fn fn) {
    return [fn] { RunReported(fn); };
}
}  // namespace

ReportWindow::ReportWindow(const ReportDesign& design)
    : Form(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
           Qt::WindowMinimizeButtonHint) {
    setObjectName(design.name);
    setWindowTitle(design.caption);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(6, 77, 165));
    setPalette(look);

    LblTitle = Named<Label>("LblTitle", QString(), this);
    LblTitle->setFont(CjkFont("隶书", 15.75, true));
    LblTitle->setAlignment(Qt::AlignCenter);
    LblTitle->setStyleSheet("color: rgb(255, 224, 192); background: transparent;");
    if (!design.periods.isEmpty()) {
        Combo1 = Named<QComboBox>("Combo1", this);
        Combo1->addItems(design.periods);
        connect(Combo1, &QComboBox::activated, this, Reported([this] { Combo1_Click(); }));
    }
    CmdOutput = ActionButton("CmdOutput", QStringLiteral("导 出(&O)"), this);
    CmdPrint = ActionButton("CmdPrint", QStringLiteral("打 印(&P)"), this);
    connect(CmdOutput, &QPushButton::clicked, this, Reported([this] { CmdOutput_Click(); }));
    connect(CmdPrint, &QPushButton::clicked, this, Reported([this] { CmdPrint_Click(); }));

    header_ = Named<FlexGrid>(design.headerGrid, this);
    body_ = Named<FlexGrid>(design.bodyGrid, this);
    const QFont gridFont = CjkFont("宋体", 9);
    header_->setFont(gridFont);
    body_->setFont(gridFont);
    header_->SetScrollBars(0);
    header_->setTextElideMode(Qt::ElideNone);
    // The body's scroll bar stands beside it at all times, so that its width never changes
    // with the number of rows; the header scrolls sideways with the body.
    body_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    header_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    body_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(body_->horizontalScrollBar(), &QScrollBar::valueChanged, header_->horizontalScrollBar(),
            &QScrollBar::setValue);
    // The header's range follows its columns' widths later than the body's.
    connect(header_->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        header_->horizontalScrollBar()->setValue(body_->horizontalScrollBar()->value());
    });
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    if (MainWindow* main = MainWindow::Get()) main->Window()->Show();
}

int ReportWindow::Period() const {
    return Combo1 ? qMax(0, Combo1->currentIndex()) : 0;
}

void ReportWindow::SetReportGrid(const ReportGeometry& g,
                                 const std::vector<ReportColumn>& columns) {
    const int cols = static_cast<int>(columns.size()) + 1;
    header_->Clear();
    header_->SetFixedCols(1);
    header_->SetFixedRows(g.headingRows);
    header_->SetRows(g.headingRows);
    body_->SetRows(0);
    header_->SetCols(cols);
    for (int r = 0; r < g.headingRows; ++r) header_->SetRowHeight(r, g.headerRowHeight);
    const int headerHeight = g.headingRows * g.headerRowHeight;
    int sum = g.stubWidth;
    header_->SetColWidth(0, g.stubWidth);
    designWidths_ = {g.stubWidth};
    for (int c = 1; c < cols; ++c) {
        header_->SetColWidth(c, columns[static_cast<size_t>(c - 1)].width);
        designWidths_.push_back(columns[static_cast<size_t>(c - 1)].width);
        sum += columns[static_cast<size_t>(c - 1)].width;
    }
    const int headerWidth = g.headerWidth > 0 ? g.headerWidth : sum + 200;
    MoveTwips(header_, g.left, g.headerTop, headerWidth, headerHeight);
    MoveTwips(LblTitle, g.titleLeft >= 0 ? g.titleLeft : g.left, g.titleTop, headerWidth,
              g.titleHeight);
    if (Combo1) MoveTwips(Combo1, g.comboLeft, g.controlsTop, g.comboWidth, 300);
    MoveTwips(CmdOutput, g.outputLeft, g.controlsTop, 1095, 315);
    MoveTwips(CmdPrint, g.printLeft, g.controlsTop, 1095, 315);
    const int windowWidth = g.windowWidth > 0 ? g.windowWidth : headerWidth + 900;
    designHeaderWidth_ = headerWidth;
    designWindowWidth_ = windowWidth;
    widthSet_ = false;
    resize(TwipsToPixels(windowWidth), TwipsToPixels(g.bodyHeight + g.bodyTop + 800));
    for (int c = 1; c < cols; ++c)
        header_->SetCell(0, c, columns[static_cast<size_t>(c - 1)].heading, flexAlignCenterCenter);
    MoveTwips(body_, g.left, g.headerTop + headerHeight, headerWidth, g.bodyHeight);
}

void ReportWindow::ResetBody(int rows) {
    body_->SetRows(0);  // the old cells go at once, not one by one
    body_->Clear();
    body_->SetFixedCols(1);
    body_->SetFixedRows(0);
    body_->SetCols(header_->Cols());
    for (int c = 0; c < header_->Cols(); ++c) body_->SetColWidth(c, header_->ColWidth(c));
    body_->SetRows(rows);
}

void ReportWindow::WriteCell(int row, int col, const QString& text, int alignment) {
    body_->SetCell(row, col, text, alignment);
}

void ReportWindow::SetTitle(const QString& reportTitle) {
    LblTitle->SetCaption(gShopName + reportTitle);
}

void ReportWindow::SetActionsEnabled(bool enabled) {
    if (Combo1) Combo1->setEnabled(enabled);
    CmdOutput->setEnabled(enabled);
    CmdPrint->setEnabled(enabled);
}

bool ReportWindow::YieldRefill() {
    const YieldingLoopGuard guard(this, nullptr);
    DoEvents();
    return guard.MayGoOn();
}

void ReportWindow::Combo1_Click() {
    FillReportGrid();
}

void ReportWindow::FillReportGrid() {
    if (refilling_ || running_) return;
    QPointer<ReportWindow> self(this);
    refilling_ = true;
    SetActionsEnabled(false);
    bool finished = true;
    try {
        finished = Refill(Period());
    } catch (const DbError& e) {
        if (self && !IsUnloaded()) {
            body_->SetRows(0);
            MsgBox(e.Description(), vbCritical, QStringLiteral("错误"));
        }
    }
    // A window closed while the refill yielded is left as it is: nothing shows again.
    if (!finished || !self || IsUnloaded()) return;
    FitColumns();
    refilling_ = false;
    SetActionsEnabled(true);
    ActionsEnded();
}

// The width a cell's text needs with the cell's margins (row -1: the heading over the
// column, which may touch the grid lines: it is clipped there, never shortened).
int ReportWindow::TextWidthTwips(int row, int col) const {
    const QString text =
        row < 0 ? header_->TextMatrix(header_->Rows() - 1, col) : body_->TextMatrix(row, col);
    if (text.isEmpty()) return 0;
    return PixelsToTwips(body_->fontMetrics().horizontalAdvance(text) + (row < 0 ? 4 : 10));
}

// The designed widths, each widened to the widest text of its heading, of the rows on the
// first screens and of the last two rows (the totals, and the highest sequence number):
// the amounts of a large shop are wider than the design's. The first fill after the window
// loaded sets the width of the grids and of the window, widened with the columns; later
// fills keep it (a column they widen scrolls into view, the header with it), so the window
// never changes its width or place with the period.
void ReportWindow::FitColumns() {
    if (designWidths_.empty()) return;
    constexpr int kRowsMeasured = 200;
    const int rows = body_->Rows();
    int extra = 0;
    for (int c = 1; c < body_->Cols() && c < static_cast<int>(designWidths_.size()); ++c) {
        int width = qMax(designWidths_[static_cast<size_t>(c)], TextWidthTwips(-1, c));
        for (int r = 0; r < rows && r < kRowsMeasured; ++r)
            width = qMax(width, TextWidthTwips(r, c));
        for (int r = qMax(kRowsMeasured, rows - 2); r < rows; ++r)
            width = qMax(width, TextWidthTwips(r, c));
        header_->SetColWidth(c, width);
        body_->SetColWidth(c, width);
        extra += width - designWidths_[static_cast<size_t>(c)];
    }
    if (!widthSet_) {
        widthSet_ = true;
        int width = designHeaderWidth_;
        if (extra > 0) {
            // Both grids then show every column, the vertical scroll bar beside them.
            int columns = 0;
            for (int c = 0; c < body_->Cols(); ++c) columns += body_->ColWidth(c);
            const int frame = PixelsToTwips(2 * body_->frameWidth() +
                                            body_->verticalScrollBar()->sizeHint().width());
            width = qMax(designHeaderWidth_ + extra, columns + frame);
        }
        SetWidthTwips(header_, width);
        SetWidthTwips(body_, width);
        SetWidthTwips(LblTitle, width);
        resize(TwipsToPixels(designWindowWidth_ + width - designHeaderWidth_), height());
    }
    ReachOverScrollBar();
    // The report shows from its first row and column (writing the totals made the last row
    // current).
    if (rows > 0) body_->SetRow(0);
    body_->scrollToTop();
    body_->horizontalScrollBar()->setValue(0);
}

// The header has no scroll bar of its own: where the columns are wider than the body shows
// (the body scrolls sideways), its last column reaches over the body's scroll bar, so that
// both scroll equally far and their columns stay in line.
void ReportWindow::ReachOverScrollBar() {
    const int last = header_->Cols() - 1;
    if (last < 0 || last >= body_->Cols()) return;
    const int bar = body_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, body_);
    int columns = 0;
    for (int c = 0; c < body_->Cols(); ++c) columns += body_->ColWidth(c);
    const int shown = PixelsToTwips(body_->width() - 2 * body_->frameWidth() - bar);
    header_->SetColWidth(last, body_->ColWidth(last) + (columns > shown ? PixelsToTwips(bar) : 0));
}

ReportSnapshot ReportWindow::Snapshot() const {
    ReportSnapshot snapshot;
    snapshot.title = LblTitle->Caption();
    snapshot.heading = header_->TextMatrix(0, 1);
    const int columns = Pages().columns;
    snapshot.rows.reserve(static_cast<size_t>(body_->Rows()));
    for (int r = 0; r < body_->Rows(); ++r) {
        QStringList cells;
        for (int c = 1; c <= columns; ++c) cells << body_->TextMatrix(r, c);
        snapshot.rows.push_back(std::move(cells));
    }
    return snapshot;
}

bool ReportWindow::BeginRun() {
    if (running_ || refilling_) return false;
    running_ = true;
    SetActionsEnabled(false);
    return true;
}

void ReportWindow::EndRun() {
    running_ = false;
    SetActionsEnabled(true);
    ActionsEnded();
}

void ReportWindow::CmdOutput_Click() {
    if (!BeginRun()) return;
    const ReportSnapshot snapshot = Snapshot();
    const QDateTime now = Now();
    const ReportPages pages = Pages();
    QPointer<ReportWindow> self(this);
    ReportExport(this, pages, snapshot, now).Run();
    if (self && !self->IsUnloaded()) EndRun();
}

void ReportWindow::CmdPrint_Click() {
    if (!BeginRun()) return;
    const ReportSnapshot snapshot = Snapshot();
    const QDateTime now = Now();
    const ReportPages pages = Pages();
    QPointer<ReportWindow> self(this);
    ReportPrintout::Run(pages, snapshot, now, [self] { return !self || self->IsUnloaded(); });
    if (self && !self->IsUnloaded()) EndRun();
}
