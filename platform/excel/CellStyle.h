#pragma once
#include <QColor>
#include <QString>

// One edge of a cell's border: its line style as the workbook names it ("thin",
// "medium", "thick", "double", "dashed", "dotted", "hair"...) and its colour.
struct BorderEdge {
    QString style;
    QColor color = Qt::black;

    bool IsSet() const { return !style.isEmpty() && style != QLatin1String("none"); }
};

// Everything the printing needs to know about how a cell looks, resolved from the
// workbook's style tables.
struct CellStyle {
    QString fontName = QStringLiteral("宋体");
    double fontSize = 11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QColor fontColor = Qt::black;

    QColor fill;  // invalid: no fill

    BorderEdge left;
    BorderEdge right;
    BorderEdge top;
    BorderEdge bottom;

    QString horizontal;  // empty or "general", "left", "center", "right", "centerContinuous"...
    QString vertical;    // empty or "bottom" (the default), "center", "top"
    bool wrapText = false;
    bool shrinkToFit = false;  // a text too wide for its cell prints smaller, never past it
    int indent = 0;

    QString numberFormat = QStringLiteral("General");
};
