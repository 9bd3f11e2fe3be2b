#include "tools/templates/StyleTable.h"

namespace {
QString Escaped(QString s) {
    return s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;").replace('"', "&quot;");
}

QString Edge(const char* name, const QString& style) {
    if (style.isEmpty()) return QString("<%1/>").arg(name);
    return QString("<%1 style=\"%2\"><color rgb=\"FF000000\"/></%1>").arg(name, style);
}
}  // namespace

StyleTable::StyleTable() {
    fillXml_ << "<fill><patternFill patternType=\"none\"/></fill>"
             << "<fill><patternFill patternType=\"gray125\"/></fill>";
    fills_[QString()] = 0;
    Index(Look{});  // format 0: the sheet's default cells
}

int StyleTable::Intern(std::map<QString, int>& table, QStringList& xml, const QString& entry) {
    const auto it = table.find(entry);
    if (it != table.end()) return it->second;
    const int index = static_cast<int>(xml.size());
    table[entry] = index;
    xml << entry;
    return index;
}

int StyleTable::Index(const Look& look) {
    const QString font =
        QString("<font>%1<sz val=\"%2\"/><name val=\"%3\"/><charset val=\"134\"/></font>")
            .arg(look.bold ? "<b/>" : "", QString::number(look.size), Escaped(look.font));
    const int fontId = Intern(fonts_, fontXml_, font);
    int fillId = 0;
    if (!look.fill.isEmpty()) {
        fillId = Intern(fills_, fillXml_,
                        QString("<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FF%1\"/>"
                                "<bgColor indexed=\"64\"/></patternFill></fill>")
                            .arg(look.fill));
    }
    const QString border = "<border>" + Edge("left", look.left) + Edge("right", look.right) +
                           Edge("top", look.top) + Edge("bottom", look.bottom) +
                           "<diagonal/></border>";
    const int borderId = Intern(borders_, borderXml_, border);
    // Standard formats have ids of their own; the rest are numbered from 164.
    static const std::map<QString, int> kBuiltIn = {
        {"0", 1}, {"0.00", 2}, {"#,##0", 3}, {"#,##0.00", 4}};
    int formatId = 0;
    if (const auto b = kBuiltIn.find(look.numberFormat); b != kBuiltIn.end()) {
        formatId = b->second;
    } else if (!look.numberFormat.isEmpty()) {
        const auto it = formats_.find(look.numberFormat);
        formatId = it != formats_.end() ? it->second : 164 + static_cast<int>(formatXml_.size());
        if (it == formats_.end()) {
            formats_[look.numberFormat] = formatId;
            formatXml_ << QString("<numFmt numFmtId=\"%1\" formatCode=\"%2\"/>")
                              .arg(formatId)
                              .arg(Escaped(look.numberFormat));
        }
    }
    QString alignment;
    if (!look.horizontal.isEmpty()) alignment += QString(" horizontal=\"%1\"").arg(look.horizontal);
    if (!look.vertical.isEmpty()) alignment += QString(" vertical=\"%1\"").arg(look.vertical);
    if (look.wrap) alignment += " wrapText=\"1\"";
    if (look.shrink && !look.wrap) alignment += " shrinkToFit=\"1\"";
    QString xf =
        QString("<xf numFmtId=\"%1\" fontId=\"%2\" fillId=\"%3\" borderId=\"%4\" xfId=\"0\"")
            .arg(formatId)
            .arg(fontId)
            .arg(fillId)
            .arg(borderId);
    if (formatId) xf += " applyNumberFormat=\"1\"";
    if (fontId) xf += " applyFont=\"1\"";
    if (fillId) xf += " applyFill=\"1\"";
    if (borderId) xf += " applyBorder=\"1\"";
    xf += alignment.isEmpty() ? "/>"
                              : QString(" applyAlignment=\"1\"><alignment%1/></xf>").arg(alignment);
    return Intern(xfs_, xfXml_, xf);
}

QByteArray StyleTable::ToXml() const {
    QString out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    if (!formatXml_.isEmpty())
        out += QString("<numFmts count=\"%1\">%2</numFmts>")
                   .arg(formatXml_.size())
                   .arg(formatXml_.join(""));
    out += QString("<fonts count=\"%1\">%2</fonts>").arg(fontXml_.size()).arg(fontXml_.join(""));
    out += QString("<fills count=\"%1\">%2</fills>").arg(fillXml_.size()).arg(fillXml_.join(""));
    out += QString("<borders count=\"%1\">%2</borders>")
               .arg(borderXml_.size())
               .arg(borderXml_.join(""));
    out +=
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
        "borderId=\"0\"/></cellStyleXfs>";
    out += QString("<cellXfs count=\"%1\">%2</cellXfs>").arg(xfXml_.size()).arg(xfXml_.join(""));
    out +=
        "<cellStyles count=\"1\"><cellStyle name=\"常规\" xfId=\"0\" "
        "builtinId=\"0\"/></cellStyles>";
    out += "</styleSheet>";
    return out.toUtf8();
}
