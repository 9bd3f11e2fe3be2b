#include "tests/platform/excel/ExcelTestKit.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/excel/SheetUnits.h"

namespace {
const char* const kDumpScript = R"PY(
import json, sys, datetime
try:
    import openpyxl
    wb = openpyxl.load_workbook(sys.argv[1])
    out = {"sheets": []}
    for ws in wb.worksheets:
        cells, bold = {}, []
        for row in ws.iter_rows():
            for c in row:
                if c.value is not None:
                    v = c.value
                    if isinstance(v, (datetime.datetime, datetime.date)):
                        v = v.isoformat()
                    cells[c.coordinate] = v
                if c.font is not None and c.font.b:
                    bold.append(c.coordinate)
        widths = {k: d.width for k, d in ws.column_dimensions.items() if d.customWidth}
        heights = {str(k): d.height for k, d in ws.row_dimensions.items() if d.height is not None}
        area = ws.print_area or ""
        if isinstance(area, (list, tuple)):
            area = ",".join(area)
        out["sheets"].append({
            "name": ws.title, "max_row": ws.max_row, "max_column": ws.max_column,
            "cells": cells, "bold": bold, "widths": widths, "heights": heights,
            "merges": sorted(str(r) for r in ws.merged_cells.ranges),
            "row_breaks": [b.id for b in ws.row_breaks.brk],
            "col_breaks": [b.id for b in ws.col_breaks.brk],
            "print_area": area,
            "orientation": ws.page_setup.orientation or "",
            "scale": ws.page_setup.scale or 0,
            "state": ws.sheet_state,
            "fit_to_page": bool(ws.sheet_properties.pageSetUpPr is not None
                                and ws.sheet_properties.pageSetUpPr.fitToPage),
            "fit_to_width": -1 if ws.page_setup.fitToWidth is None else int(ws.page_setup.fitToWidth),
            "fit_to_height": -1 if ws.page_setup.fitToHeight is None else int(ws.page_setup.fitToHeight),
        })
    print(json.dumps(out, ensure_ascii=False))
except Exception as e:
    print(json.dumps({"error": repr(e)}))
)PY";

QByteArray Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return p.readAllStandardOutput();
}
}  // namespace

QJsonObject ReadWithOpenpyxl(const QString& path) {
    const QByteArray out = Run("/usr/bin/python3", {"-c", kDumpScript, path});
    const QJsonDocument doc = QJsonDocument::fromJson(out);
    if (!doc.isObject())
        return QJsonObject{
            {"error", QString("no output from openpyxl: ") + QString::fromUtf8(out)}};
    return doc.object();
}

QJsonObject SheetOf(const QJsonObject& book, int index) {
    return book["sheets"].toArray().at(index).toObject();
}

QStringList PdfPagesText(const QString& pdf) {
    QString text = QString::fromUtf8(Run("pdftotext", {"-layout", pdf, "-"}));
    QStringList pages = text.split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

QImage PdfPageImage(const QString& pdf, int page, int dpi) {
    QTemporaryDir dir;
    const QString prefix = QDir(dir.path()).filePath("page");
    Run("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                     QString::number(page), "-singlefile", pdf, prefix});
    return QImage(prefix + ".png");
}

std::vector<PdfWord> PdfWords(const QString& pdf, int page) {
    const QString p = QString::number(page);
    const QString html = QString::fromUtf8(Run("pdftotext", {"-bbox", "-f", p, "-l", p, pdf, "-"}));
    static const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>");
    std::vector<PdfWord> out;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.push_back(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return out;
}

QStringList OverlappingWords(const std::vector<PdfWord>& words) {
    QStringList out;
    for (size_t i = 0; i < words.size(); ++i) {
        for (size_t j = i + 1; j < words.size(); ++j) {
            // A shared edge is no overlap; a glyph run is a little taller than its line.
            const QRectF a = words[i].box.adjusted(0.2, 1, -0.2, -1);
            if (a.intersects(words[j].box.adjusted(0.2, 1, -0.2, -1)))
                out << words[i].text + " / " + words[j].text;
        }
    }
    return out;
}

QStringList PdfFiles(const QString& dir) {
    QStringList out;
    for (const QString& name : QDir(dir).entryList({"*.pdf"}, QDir::Files, QDir::Name))
        out << QDir(dir).filePath(name);
    return out;
}

double StoredWidth(double characters) {
    return FileWidthFromCharacters(characters);
}
