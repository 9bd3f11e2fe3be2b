#pragma once
#include <QString>
#include <map>
#include <vector>

// How a cell of a template looks.
struct Look {
    QString font = QStringLiteral("宋体");
    double size = 11;
    bool bold = false;
    QString fill;                      // "RRGGBB" of a solid fill, or empty
    QString left, right, top, bottom;  // border styles ("thin", "medium"), or empty
    QString horizontal;                // "left", "center", "right", or empty (general)
    QString vertical;                  // "center", "top", or empty (bottom)
    bool wrap = false;
    bool shrink = false;   // a text too wide for the cell shows smaller (not with wrap)
    QString numberFormat;  // a format code, or empty for General
};

struct SheetCell {
    QString ref;   // "A1"
    QString text;  // empty for a cell that only has a look
    Look look;
};

// Page margins of every template, in inches (the sides of a page frame may be wider).
constexpr double kSideMargin = 0.5;
constexpr double kTopMargin = 0.6;

// One worksheet of a template: geometry, cells, merged cells and page settings.
struct SheetSpec {
    QString name;
    std::vector<double> columnWidths;  // characters, from column A
    std::map<int, double> rowHeights;  // points
    std::vector<SheetCell> cells;
    std::vector<QString> merges;
    bool landscape = false;
    int scale = 100;
    bool fitToWidth = false;  // scaled to the paper's width (as the margins leave it)
    double sideMargin = kSideMargin;
    std::vector<int> rowBreaks;  // manual breaks below these rows
    bool tabSelected = false;
    QString printArea;  // "A1:I12", or empty
};

struct TemplateSpec {
    QString name;  // file name without ".xltx"
    std::vector<SheetSpec> sheets;
};

// Every template the program prints through, in a fixed order.
std::vector<TemplateSpec> AllTemplates();
// The page frame templates of the printouts (everything but the member card).
std::vector<TemplateSpec> ReportTemplates();
TemplateSpec CardTemplate();
