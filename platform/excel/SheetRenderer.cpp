#include "platform/excel/SheetRenderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "platform/excel/NumberFormat.h"
#include "platform/excel/SheetUnits.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"

namespace {
// Families tried after the cell's own font, so Chinese prints on any machine.
const QStringList kFallbackFamilies = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC",
                                       "Source Han Sans SC", "Droid Sans Fallback"};
constexpr double kTextPadding = 2.0;  // points between a cell's edge and its text
constexpr double kSmallestPrintedPoints = 1.0;

QPageSize PaperOf(int paperSize) {
    switch (paperSize) {
        case 1:
            return QPageSize(QPageSize::Letter);
        case 5:
            return QPageSize(QPageSize::Legal);
        case 8:
            return QPageSize(QPageSize::A3);
        case 11:
            return QPageSize(QPageSize::A5);
        case 13:
            return QPageSize(QPageSize::B5);
        default:
            return QPageSize(QPageSize::A4);
    }
}

struct PenSpec {
    double width;  // points
    Qt::PenStyle style;
    bool twoLines;
};

PenSpec PenOf(const QString& style) {
    if (style == "hair") return {0.25, Qt::SolidLine, false};
    if (style == "medium") return {1.0, Qt::SolidLine, false};
    if (style == "thick") return {1.75, Qt::SolidLine, false};
    if (style == "double") return {0.4, Qt::SolidLine, true};
    if (style == "dashed") return {0.5, Qt::DashLine, false};
    if (style == "dotted") return {0.5, Qt::DotLine, false};
    if (style == "mediumDashed") return {1.0, Qt::DashLine, false};
    if (style == "dashDot" || style == "slantDashDot") return {0.5, Qt::DashDotLine, false};
    if (style == "mediumDashDot") return {1.0, Qt::DashDotLine, false};
    if (style == "dashDotDot") return {0.5, Qt::DashDotDotLine, false};
    if (style == "mediumDashDotDot") return {1.0, Qt::DashDotDotLine, false};
    return {0.5, Qt::SolidLine, false};  // thin
}

Qt::Alignment HorizontalOf(const QString& horizontal, const Cell& cell) {
    if (horizontal == "left" || horizontal == "justify" || horizontal == "distributed" ||
        horizontal == "fill")
        return Qt::AlignLeft;
    if (horizontal == "center" || horizontal == "centerContinuous") return Qt::AlignHCenter;
    if (horizontal == "right") return Qt::AlignRight;
    // General: numbers to the right, truth values centred, texts to the left.
    if (cell.kind == Cell::Kind::Number) return Qt::AlignRight;
    if (cell.kind == Cell::Kind::Bool || cell.kind == Cell::Kind::Error) return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

Qt::Alignment VerticalOf(const QString& vertical) {
    if (vertical == "center" || vertical == "distributed" || vertical == "justify")
        return Qt::AlignVCenter;
    if (vertical == "top") return Qt::AlignTop;
    return Qt::AlignBottom;
}
}  // namespace

struct SheetRenderer::Frame {
    CellRect page;
    std::vector<double> xs;  // device x of each column's left edge, and the last right edge
    std::vector<double> ys;
    double k = 1;  // device units per point of the sheet (scale included)

    QRectF CellBox(int row, int col) const {
        return QRectF(QPointF(xs[static_cast<size_t>(col - page.col1)],
                              ys[static_cast<size_t>(row - page.row1)]),
                      QPointF(xs[static_cast<size_t>(col - page.col1 + 1)],
                              ys[static_cast<size_t>(row - page.row1 + 1)]));
    }
    // A rectangle of cells, cut to the page.
    QRectF AreaBox(const CellRect& rect) const {
        const int r1 = std::max(rect.row1, page.row1), r2 = std::min(rect.row2, page.row2);
        const int c1 = std::max(rect.col1, page.col1), c2 = std::min(rect.col2, page.col2);
        return CellBox(r1, c1).united(CellBox(r2, c2));
    }
};

SheetRenderer::SheetRenderer(const Worksheet& sheet) : sheet_(sheet) {
    const PageSetup& setup = sheet.Setup();
    QPageSize size = PaperOf(setup.paperSize);
    paper_ = size.size(QPageSize::Point);
    if (setup.landscape) paper_.transpose();
    printable_ = QRectF(setup.leftMargin * kPointsPerInch, setup.topMargin * kPointsPerInch,
                        paper_.width() - (setup.leftMargin + setup.rightMargin) * kPointsPerInch,
                        paper_.height() - (setup.topMargin + setup.bottomMargin) * kPointsPerInch);
    if (printable_.width() < 36 || printable_.height() < 36)
        printable_ = QRectF(QPointF(0, 0), paper_);
    Paginate();
}

QPageLayout SheetRenderer::PageLayout() const {
    return QPageLayout(PaperOf(sheet_.Setup().paperSize),
                       sheet_.Setup().landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

double SheetRenderer::RowPoints(int row) const {
    return sheet_.RowHidden(row) ? 0 : sheet_.RowHeight(row);
}

double SheetRenderer::ColumnPoints(int column) const {
    return sheet_.ColumnPoints(column);
}

std::vector<std::pair<int, int>> SheetRenderer::Bands(int first, int last,
                                                      const std::set<int>& breakIds, bool rows,
                                                      double available) const {
    std::vector<std::pair<int, int>> bands;
    int start = first;
    double used = 0;
    for (int i = first; i <= last; ++i) {
        const double size = (rows ? RowPoints(i) : ColumnPoints(i)) * scale_;
        if (i > start && used + size > available + 0.01) {  // the paper is full
            bands.emplace_back(start, i - 1);
            start = i;
            used = 0;
        }
        used += size;
        if (i < last && breakIds.count(i)) {  // a manual break after this one
            bands.emplace_back(start, i);
            start = i + 1;
            used = 0;
        }
    }
    bands.emplace_back(start, last);
    return bands;
}

void SheetRenderer::Paginate() {
    pages_.clear();
    std::optional<CellRect> area = sheet_.PrintArea();
    if (!area) area = sheet_.UsedRange();
    if (!area) return;

    const PageSetup& setup = sheet_.Setup();
    scale_ = std::clamp(setup.scale / 100.0, 0.1, 4.0);
    if (setup.fitToPage) {
        double width = 0, height = 0;
        for (int c = area->col1; c <= area->col2; ++c) width += ColumnPoints(c);
        for (int r = area->row1; r <= area->row2; ++r) height += RowPoints(r);
        scale_ = 1;
        if (setup.fitToWidth > 0 && width > 0)
            scale_ = std::min(scale_, setup.fitToWidth * printable_.width() / width);
        if (setup.fitToHeight > 0 && height > 0)
            scale_ = std::min(scale_, setup.fitToHeight * printable_.height() / height);
        scale_ = std::max(scale_, 0.1);
    }
    const auto rowBands =
        Bands(area->row1, area->row2, sheet_.RowBreakIds(), true, printable_.height());
    const auto colBands =
        Bands(area->col1, area->col2, sheet_.ColumnBreakIds(), false, printable_.width());
    if (setup.overThenDown) {
        for (const auto& rb : rowBands)
            for (const auto& cb : colBands)
                pages_.push_back({rb.first, cb.first, rb.second, cb.second});
    } else {
        for (const auto& cb : colBands)
            for (const auto& rb : rowBands)
                pages_.push_back({rb.first, cb.first, rb.second, cb.second});
    }
}

bool SheetRenderer::Print(QPrinter& printer) {
    if (pages_.empty()) return true;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (i > 0 && !printer.newPage()) return false;
        PaintPage(painter, pages_[i], printer.resolution());
    }
    return painter.end();
}

void SheetRenderer::PaintPage(QPainter& painter, const CellRect& page, double dpi) {
    Frame f;
    f.page = page;
    const double unit = dpi / kPointsPerInch;  // device units per point of paper
    f.k = unit * scale_;
    double width = 0, height = 0;
    for (int c = page.col1; c <= page.col2; ++c) width += ColumnPoints(c);
    for (int r = page.row1; r <= page.row2; ++r) height += RowPoints(r);
    double x = printable_.left(), y = printable_.top();
    if (sheet_.Setup().centerHorizontally)
        x += std::max(0.0, (printable_.width() - width * scale_) / 2);
    if (sheet_.Setup().centerVertically)
        y += std::max(0.0, (printable_.height() - height * scale_) / 2);
    double at = x * unit;
    for (int c = page.col1; c <= page.col2; ++c) {
        f.xs.push_back(at);
        at += ColumnPoints(c) * f.k;
    }
    f.xs.push_back(at);
    at = y * unit;
    for (int r = page.row1; r <= page.row2; ++r) {
        f.ys.push_back(at);
        at += RowPoints(r) * f.k;
    }
    f.ys.push_back(at);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PaintFills(painter, f);
    if (sheet_.Setup().gridLines) PaintGridLines(painter, f);
    PaintBorders(painter, f);
    PaintTexts(painter, f);
    painter.restore();
}

void SheetRenderer::PaintFills(QPainter& painter, const Frame& f) {
    const StyleSheet& styles = sheet_.Book().Styles();
    for (const auto& [row, info] : sheet_.Rows()) {
        if (row < f.page.row1 || row > f.page.row2) continue;
        for (const auto& [col, cell] : info.cells) {
            if (col < f.page.col1 || col > f.page.col2) continue;
            const CellRect* merge = sheet_.MergeAt(row, col);
            if (merge && (merge->row1 != row || merge->col1 != col))
                continue;  // the anchor fills it
            const QColor fill = styles.Style(cell.style).fill;
            if (!fill.isValid()) continue;
            painter.fillRect(merge ? f.AreaBox(*merge) : f.CellBox(row, col), fill);
        }
    }
}

void SheetRenderer::PaintGridLines(QPainter& painter, const Frame& f) {
    painter.setPen(QPen(QColor(160, 160, 160), 0.25 * f.k));
    for (double x : f.xs) painter.drawLine(QPointF(x, f.ys.front()), QPointF(x, f.ys.back()));
    for (double y : f.ys) painter.drawLine(QPointF(f.xs.front(), y), QPointF(f.xs.back(), y));
}

void SheetRenderer::PaintBorders(QPainter& painter, const Frame& f) {
    const StyleSheet& styles = sheet_.Book().Styles();
    auto line = [&](const BorderEdge& edge, QPointF a, QPointF b, bool horizontal) {
        if (!edge.IsSet()) return;
        const PenSpec spec = PenOf(edge.style);
        QPen pen(edge.color, std::max(spec.width * f.k, 1.0), spec.style, Qt::FlatCap);
        painter.setPen(pen);
        if (!spec.twoLines) {
            painter.drawLine(a, b);
            return;
        }
        const QPointF shift = horizontal ? QPointF(0, 0.75 * f.k) : QPointF(0.75 * f.k, 0);
        painter.drawLine(a - shift, b - shift);
        painter.drawLine(a + shift, b + shift);
    };
    for (const auto& [row, info] : sheet_.Rows()) {
        if (row < f.page.row1 || row > f.page.row2) continue;
        for (const auto& [col, cell] : info.cells) {
            if (col < f.page.col1 || col > f.page.col2 || cell.style == 0) continue;
            const CellStyle& s = styles.Style(cell.style);
            const CellRect* m = sheet_.MergeAt(row, col);
            const QRectF box = f.CellBox(row, col);
            // Inside a merged cell only its outline is drawn.
            if (!m || row == m->row1) line(s.top, box.topLeft(), box.topRight(), true);
            if (!m || row == m->row2) line(s.bottom, box.bottomLeft(), box.bottomRight(), true);
            if (!m || col == m->col1) line(s.left, box.topLeft(), box.bottomLeft(), false);
            if (!m || col == m->col2) line(s.right, box.topRight(), box.bottomRight(), false);
        }
    }
}

QFont SheetRenderer::FontFor(int style) {
    const auto it = fonts_.constFind(style);
    if (it != fonts_.constEnd()) return it.value();
    const CellStyle& s = sheet_.Book().Styles().Style(style);
    QFont font;
    font.setFamilies(QStringList{s.fontName} + kFallbackFamilies);
    font.setPointSizeF(std::max(1.0, s.fontSize * scale_));
    font.setBold(s.bold);
    font.setItalic(s.italic);
    font.setUnderline(s.underline);
    font.setStrikeOut(s.strike);
    fonts_.insert(style, font);
    return font;
}

QString SheetRenderer::DisplayText(const Cell& cell) const {
    Workbook& book = sheet_.Book();
    switch (cell.kind) {
        case Cell::Kind::Text:
        case Cell::Kind::Error:
            return book.Strings().At(cell.text);
        case Cell::Kind::Bool:
            return cell.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        case Cell::Kind::Number:
            return NumberFormat::Display(cell.number, book.Styles().Style(cell.style).numberFormat);
        case Cell::Kind::Empty:
            break;
    }
    return {};
}

void SheetRenderer::PaintTexts(QPainter& painter, const Frame& f) {
    for (const auto& [row, info] : sheet_.Rows()) {
        if (row < f.page.row1 || row > f.page.row2) continue;
        for (const auto& [col, cell] : info.cells) {
            if (col < f.page.col1 || col > f.page.col2 || !cell.HasValue()) continue;
            const CellRect* m = sheet_.MergeAt(row, col);
            if (m && (m->row1 != row || m->col1 != col)) continue;  // hidden under a merged cell
            PaintText(painter, f, row, col, cell, m ? f.AreaBox(*m) : f.CellBox(row, col));
        }
    }
}

QRectF SheetRenderer::OverflowBox(const Frame& f, int row, int col, const QRectF& box,
                                  double textWidth, Qt::Alignment align) const {
    // A text wider than its cell runs on over empty neighbours, as on screen.
    // A neighbour that holds an empty text shows nothing either.
    auto free = [&](int c) {
        const Cell* n = sheet_.Find(row, c);
        return (!n || DisplayText(*n).isEmpty()) && !sheet_.MergeAt(row, c);
    };
    QRectF out = box;
    int left = col, right = col;
    while (out.width() < textWidth) {
        const bool growRight =
            (align & Qt::AlignLeft) || ((align & Qt::AlignHCenter) && right - col <= col - left);
        if (growRight && right < f.page.col2 && free(right + 1)) {
            ++right;
        } else if (!(align & Qt::AlignLeft) && left > f.page.col1 && free(left - 1)) {
            --left;
        } else if (right < f.page.col2 && (align & Qt::AlignHCenter) && free(right + 1)) {
            ++right;
        } else {
            break;
        }
        out = f.CellBox(row, left).united(f.CellBox(row, right));
    }
    if (align & Qt::AlignHCenter) {
        // Centred text stays centred on its own cell where the neighbours allow.
        const double half = std::min(
            {textWidth / 2, box.center().x() - out.left(), out.right() - box.center().x()});
        if (half > box.width() / 2)
            out = QRectF(box.center().x() - half, out.top(), 2 * half, out.height());
    }
    return out;
}

void SheetRenderer::PaintText(QPainter& painter, const Frame& f, int row, int col, const Cell& cell,
                              const QRectF& box) {
    const CellStyle& s = sheet_.Book().Styles().Style(cell.style);
    const QString text = DisplayText(cell);
    if (text.isEmpty()) return;
    QFont font = FontFor(cell.style);
    const Qt::Alignment h = HorizontalOf(s.horizontal, cell);
    const Qt::Alignment v = VerticalOf(s.vertical);
    const double pad = kTextPadding * f.k;
    const double indent = s.indent * 7.5 * f.k;

    QRectF area = box;
    const bool merged = sheet_.MergeAt(row, col) != nullptr;
    if (!s.wrapText && !s.shrinkToFit && !merged && cell.kind == Cell::Kind::Text) {
        const double width =
            QFontMetricsF(font, painter.device()).horizontalAdvance(text) + 2 * pad + indent;
        if (width > box.width()) area = OverflowBox(f, row, col, box, width, h);
    }
    QRectF inner = area.adjusted(pad + ((h & Qt::AlignLeft) ? indent : 0), 0,
                                 -pad - ((h & Qt::AlignRight) ? indent : 0), 0);
    int flags = static_cast<int>(h | v);
    if (s.wrapText) flags |= Qt::TextWordWrap;
    // A text that still does not fit prints smaller: a printed cell shows its whole text.
    font = FittedFont(font, text, inner.size(), flags, painter.device());
    painter.setFont(font);
    painter.setPen(s.fontColor);
    painter.drawText(inner, flags, text);
}

QFont SheetRenderer::FittedFont(const QFont& font, const QString& text, const QSizeF& room,
                                int flags, QPaintDevice* device) {
    auto needed = [&](const QFont& candidate) {
        return QFontMetricsF(candidate, device)
            .boundingRect(QRectF(QPointF(0, 0), QSizeF(room.width(), 1e9)), flags, text)
            .size();
    };
    auto fits = [&](const QSizeF& size) {
        return size.width() <= room.width() + 0.01 && size.height() <= room.height() + 0.01;
    };
    const QSizeF whole = needed(font);
    if (room.width() <= 0 || room.height() <= 0 || fits(whole)) return font;
    // A line shrinks about as its room is short; a wrapped text is tried a twentieth
    // smaller at a time. Either way down to a size no printer can show any more.
    double size = font.pointSizeF() * 0.95;
    if (!(flags & Qt::TextWordWrap))
        size = font.pointSizeF() *
               std::min({0.99, room.width() / whole.width(), room.height() / whole.height()});
    QFont smaller = font;
    for (; size > kSmallestPrintedPoints; size *= 0.95) {
        smaller.setPointSizeF(size);
        if (fits(needed(smaller))) return smaller;
    }
    smaller.setPointSizeF(kSmallestPrintedPoints);
    return smaller;
}
