#pragma once
#include <QImage>
#include <QJsonObject>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

// Independent checks of the files the workbook layer writes: workbooks read back with
// openpyxl (Debian's python3-openpyxl), PDFs read with poppler's pdftotext and pdftoppm.

// The workbook at path as openpyxl reads it:
// {"sheets": [{"name", "max_row", "max_column", "cells": {"A1": value}, "bold": ["A1"],
//   "widths": {"A": w}, "heights": {"1": h}, "merges": ["A1:B2"], "row_breaks": [id],
//   "col_breaks": [id], "print_area": "...", "orientation", "scale", "state" ("visible",
//   "hidden"), "fit_to_page", "fit_to_width", "fit_to_height" (-1: not given)}],
//   "error": "..."}
// Dates come back as "yyyy-mm-ddThh:mm:ss" texts.
QJsonObject ReadWithOpenpyxl(const QString& path);
// The cells of sheet index (from 0) of a read-back workbook.
QJsonObject SheetOf(const QJsonObject& book, int index);

// The text of each page of a PDF file.
QStringList PdfPagesText(const QString& pdf);
// Page (from 1) of a PDF as an image at dpi.
QImage PdfPageImage(const QString& pdf, int page, int dpi);
// A word of a PDF page and where it stands, in points from the page's top left corner.
struct PdfWord {
    QString text;
    QRectF box;
};
// The words of page (from 1) of a PDF, as pdftotext finds them: the whole text of each
// glyph run, also where the page cuts it off from sight.
std::vector<PdfWord> PdfWords(const QString& pdf, int page);
// Words of the list whose boxes overlap (a text drawn over its neighbour), as "a / b".
QStringList OverlappingWords(const std::vector<PdfWord>& words);

// The PDF files in dir, in name order.
QStringList PdfFiles(const QString& dir);

// The file width (characters with padding) that openpyxl reports for a column set to
// characters wide: the program's widths are character counts, as an operator types them.
double StoredWidth(double characters);
