#pragma once
#include <QFont>
#include <QHash>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <set>
#include <vector>

#include "platform/excel/CellRef.h"

class QPaintDevice;
class QPainter;
class QPrinter;
class QRectF;
class Worksheet;
struct Cell;
struct CellStyle;

// Lays a worksheet out on paper and paints it: the print area (or the cells in use),
// cut into pages at the manual page breaks and wherever the paper is full, each page
// with the sheet's column widths, row heights, fonts, fills, borders, alignment and
// merged cells, scaled as the page settings say. A cell's text prints whole: past its
// cell over empty neighbours, as on screen, and where there is no such room, smaller.
class SheetRenderer {
  public:
    explicit SheetRenderer(const Worksheet& sheet);

    // Paper size and orientation of the sheet's page settings (no printer margins: the
    // renderer places the sheet's own margins itself).
    QPageLayout PageLayout() const;
    const std::vector<CellRect>& Pages() const { return pages_; }

    // Paints every page on printer, which must be set up full page with PageLayout().
    // False when the printer could not be opened.
    bool Print(QPrinter& printer);
    // Paints one page on a painter whose device has resolution dpi, paper at (0, 0).
    void PaintPage(QPainter& painter, const CellRect& page, double dpi);

  private:
    void Paginate();
    std::vector<std::pair<int, int>> Bands(int first, int last, const std::set<int>& breakIds,
                                           bool rows, double available) const;
    double RowPoints(int row) const;
    double ColumnPoints(int column) const;
    QFont FontFor(int style);
    QString DisplayText(const Cell& cell) const;

    struct Frame;  // one page's geometry on the device
    void PaintFills(QPainter& painter, const Frame& f);
    void PaintGridLines(QPainter& painter, const Frame& f);
    void PaintBorders(QPainter& painter, const Frame& f);
    void PaintTexts(QPainter& painter, const Frame& f);
    void PaintText(QPainter& painter, const Frame& f, int row, int col, const Cell& cell,
                   const QRectF& box);
    // font, made smaller where the text needs more room than it has.
    static QFont FittedFont(const QFont& font, const QString& text, const QSizeF& room, int flags,
                            QPaintDevice* device);
    QRectF OverflowBox(const Frame& f, int row, int col, const QRectF& box, double textWidth,
                       Qt::Alignment align) const;

    const Worksheet& sheet_;
    QSizeF paper_;      // points
    QRectF printable_;  // points, inside the margins
    double scale_ = 1;
    std::vector<CellRect> pages_;
    QHash<int, QFont> fonts_;
};
