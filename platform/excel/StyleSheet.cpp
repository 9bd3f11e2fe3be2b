#include "platform/excel/StyleSheet.h"

#include <algorithm>

#include "platform/excel/XmlParts.h"

namespace {

// Built-in number formats, as a Chinese-language spreadsheet program shows them.
const std::map<int, QString>& BuiltInFormats() {
    static const std::map<int, QString> formats = {
        {0, "General"},
        {1, "0"},
        {2, "0.00"},
        {3, "#,##0"},
        {4, "#,##0.00"},
        {9, "0%"},
        {10, "0.00%"},
        {11, "0.00E+00"},
        {12, "# ?/?"},
        {13, "# ?\?/?\?"},
        {14, "yyyy/m/d"},
        {15, "d-mmm-yy"},
        {16, "d-mmm"},
        {17, "mmm-yy"},
        {18, "h:mm AM/PM"},
        {19, "h:mm:ss AM/PM"},
        {20, "h:mm"},
        {21, "h:mm:ss"},
        {22, "yyyy/m/d h:mm"},
        {27, "yyyy\"年\"m\"月\""},
        {28, "m\"月\"d\"日\""},
        {29, "m\"月\"d\"日\""},
        {30, "m-d-yy"},
        {31, "yyyy\"年\"m\"月\"d\"日\""},
        {32, "h\"时\"mm\"分\""},
        {33, "h\"时\"mm\"分\"ss\"秒\""},
        {34, "上午/下午h\"时\"mm\"分\""},
        {35, "上午/下午h\"时\"mm\"分\"ss\"秒\""},
        {36, "yyyy\"年\"m\"月\""},
        {37, "#,##0 ;(#,##0)"},
        {38, "#,##0 ;[Red](#,##0)"},
        {39, "#,##0.00;(#,##0.00)"},
        {40, "#,##0.00;[Red](#,##0.00)"},
        {45, "mm:ss"},
        {46, "[h]:mm:ss"},
        {47, "mmss.0"},
        {48, "##0.0E+0"},
        {49, "@"},
        {50, "yyyy\"年\"m\"月\""},
        {51, "m\"月\"d\"日\""},
        {52, "yyyy\"年\"m\"月\""},
        {53, "m\"月\"d\"日\""},
        {54, "m\"月\"d\"日\""},
        {55, "上午/下午h\"时\"mm\"分\""},
        {56, "上午/下午h\"时\"mm\"分\"ss\"秒\""},
        {57, "yyyy\"年\"m\"月\""},
        {58, "m\"月\"d\"日\""},
    };
    return formats;
}

// The legacy 64-colour palette that indexed colours refer to.
QColor IndexedColor(int index) {
    static const unsigned kPalette[] = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
        0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
        0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
        0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
    };
    if (index >= 0 && index < 64) return QColor::fromRgb(kPalette[index]);
    return index == 65 ? QColor(Qt::white) : QColor(Qt::black);  // 64: system text colour
}

// Theme colours of the default office theme (light 1 and dark 1 come first, swapped).
QColor ThemeColor(int index) {
    static const unsigned kTheme[] = {0xFFFFFF, 0x000000, 0xE7E6E6, 0x44546A, 0x4472C4,
                                      0xED7D31, 0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47};
    if (index >= 0 && index < 10) return QColor::fromRgb(kTheme[index]);
    return Qt::black;
}

QColor ColorOf(const pugi::xml_node& node, const QColor& fallback) {
    if (!node) return fallback;
    if (const auto rgb = node.attribute("rgb")) {
        const QString hex = QString::fromUtf8(rgb.value());
        bool ok = false;
        const unsigned v = hex.right(6).toUInt(&ok, 16);
        return ok ? QColor::fromRgb(v) : fallback;
    }
    if (const auto idx = node.attribute("indexed")) return IndexedColor(idx.as_int());
    if (const auto theme = node.attribute("theme")) return ThemeColor(theme.as_int());
    return fallback;
}

// <b/> and <b val="1"/> are on; <b val="0"/> and <b val="false"/> are off.
bool FlagOf(const pugi::xml_node& node) {
    if (!node) return false;
    const auto val = node.attribute("val");
    if (!val) return true;
    const std::string_view v = val.value();
    return v != "0" && v != "false";
}

BorderEdge EdgeOf(const pugi::xml_node& border, const char* name, const char* alternative) {
    pugi::xml_node edge = border.child(name);
    if (!edge) edge = border.child(alternative);
    BorderEdge out;
    if (!edge) return out;
    out.style = QString::fromUtf8(edge.attribute("style").value());
    out.color = ColorOf(edge.child("color"), Qt::black);
    return out;
}

QByteArray KeyOf(const pugi::xml_node& node) {
    struct Writer : pugi::xml_writer {
        QByteArray out;
        void write(const void* data, size_t size) override {
            out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
        }
    } writer;
    node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return writer.out;
}

void SetCount(pugi::xml_node table, size_t count) {
    pugi::xml_attribute c = table.attribute("count");
    if (!c) c = table.append_attribute("count");
    c.set_value(static_cast<unsigned long long>(count));
}

pugi::xml_attribute Attr(pugi::xml_node node, const char* name) {
    pugi::xml_attribute a = node.attribute(name);
    return a ? a : node.append_attribute(name);
}
}  // namespace

StyleSheet::StyleSheet() {
    Load(DefaultXml());
}

QByteArray StyleSheet::DefaultXml() {
    return QByteArray(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"宋体\"/><charset "
        "val=\"134\"/></font></fonts>"
        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
        "borderId=\"0\"/></cellStyleXfs>"
        "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" "
        "xfId=\"0\"/></cellXfs>"
        "<cellStyles count=\"1\"><cellStyle name=\"常规\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
        "</styleSheet>");
}

void StyleSheet::Load(const QByteArray& xml) {
    LoadXmlPart(doc_, xml, "xl/styles.xml");
    if (!doc_.child("styleSheet")) LoadXmlPart(doc_, DefaultXml(), "xl/styles.xml");
    Index();
}

pugi::xml_node StyleSheet::Table(const char* name) {
    pugi::xml_node root = doc_.child("styleSheet");
    pugi::xml_node table = root.child(name);
    if (table) return table;
    // Tables stand in a fixed order; a missing one goes before the first that follows it.
    static const char* kOrder[] = {"numFmts", "fonts",        "fills",
                                   "borders", "cellStyleXfs", "cellXfs"};
    bool after = false;
    for (const char* n : kOrder) {
        if (after) {
            if (pugi::xml_node next = root.child(n)) return root.insert_child_before(name, next);
        }
        if (std::string_view(n) == name) after = true;
    }
    return root.append_child(name);
}

void StyleSheet::Index() {
    fonts_.clear();
    fills_.clear();
    borders_.clear();
    xfs_.clear();
    fontKeys_.clear();
    xfKeys_.clear();
    customFormats_.clear();
    boldCache_.clear();
    formatCache_.clear();

    pugi::xml_node root = doc_.child("styleSheet");
    if (!root.child("fonts").child("font")) LoadXmlPart(doc_, DefaultXml(), "xl/styles.xml");
    root = doc_.child("styleSheet");
    for (pugi::xml_node f : root.child("fonts").children("font")) {
        fontKeys_.insert(KeyOf(f), static_cast<int>(fonts_.size()));
        fonts_.push_back(f);
    }
    for (pugi::xml_node f : root.child("fills").children("fill")) fills_.push_back(f);
    for (pugi::xml_node b : root.child("borders").children("border")) borders_.push_back(b);
    if (!root.child("cellXfs").child("xf")) {
        Table("cellXfs").append_child("xf").append_attribute("numFmtId").set_value(0);
    }
    for (pugi::xml_node x : root.child("cellXfs").children("xf")) {
        xfKeys_.insert(KeyOf(x), static_cast<int>(xfs_.size()));
        xfs_.push_back(x);
    }
    for (pugi::xml_node nf : root.child("numFmts").children("numFmt")) {
        customFormats_[nf.attribute("numFmtId").as_int()] =
            QString::fromUtf8(nf.attribute("formatCode").value());
    }
    resolved_.assign(xfs_.size(), CellStyle{});
    isResolved_.assign(xfs_.size(), false);
}

QByteArray StyleSheet::ToXml() const {
    return SaveXmlPart(doc_);
}

QString StyleSheet::NumberFormatCode(int id) const {
    if (const auto it = customFormats_.find(id); it != customFormats_.end()) return it->second;
    const auto& builtIn = BuiltInFormats();
    if (const auto it = builtIn.find(id); it != builtIn.end()) return it->second;
    return QStringLiteral("General");
}

const CellStyle& StyleSheet::Style(int xf) const {
    if (xf < 0 || xf >= Count()) xf = 0;
    const auto i = static_cast<size_t>(xf);
    if (!isResolved_[i]) {
        resolved_[i] = Resolve(xf);
        isResolved_[i] = true;
    }
    return resolved_[i];
}

CellStyle StyleSheet::Resolve(int xf) const {
    CellStyle s;
    const pugi::xml_node x = xfs_[static_cast<size_t>(xf)];
    const auto pick = [](const std::vector<pugi::xml_node>& nodes, int i) {
        return i >= 0 && i < static_cast<int>(nodes.size()) ? nodes[static_cast<size_t>(i)]
                                                            : pugi::xml_node();
    };
    if (const pugi::xml_node font = pick(fonts_, x.attribute("fontId").as_int())) {
        if (const auto name = font.child("name").attribute("val"))
            s.fontName = QString::fromUtf8(name.value());
        if (const auto sz = font.child("sz").attribute("val")) s.fontSize = sz.as_double(11);
        s.bold = FlagOf(font.child("b"));
        s.italic = FlagOf(font.child("i"));
        s.strike = FlagOf(font.child("strike"));
        const pugi::xml_node u = font.child("u");
        s.underline = u && std::string_view(u.attribute("val").value()) != "none";
        s.fontColor = ColorOf(font.child("color"), Qt::black);
    }
    if (const pugi::xml_node fill = pick(fills_, x.attribute("fillId").as_int())) {
        const pugi::xml_node pattern = fill.child("patternFill");
        if (std::string_view(pattern.attribute("patternType").value()) == "solid")
            s.fill = ColorOf(pattern.child("fgColor"), Qt::white);
    }
    if (const pugi::xml_node border = pick(borders_, x.attribute("borderId").as_int())) {
        s.left = EdgeOf(border, "left", "start");
        s.right = EdgeOf(border, "right", "end");
        s.top = EdgeOf(border, "top", "top");
        s.bottom = EdgeOf(border, "bottom", "bottom");
    }
    const pugi::xml_node align = x.child("alignment");
    s.horizontal = QString::fromUtf8(align.attribute("horizontal").value());
    s.vertical = QString::fromUtf8(align.attribute("vertical").value());
    s.wrapText = align.attribute("wrapText").as_bool();
    s.shrinkToFit = align.attribute("shrinkToFit").as_bool();
    s.indent = align.attribute("indent").as_int();
    s.numberFormat = NumberFormatCode(x.attribute("numFmtId").as_int());
    return s;
}

int StyleSheet::FindOrAppend(pugi::xml_node table, std::vector<pugi::xml_node>& nodes,
                             QHash<QByteArray, int>& byKey, pugi::xml_node candidate) {
    const QByteArray key = KeyOf(candidate);
    if (const auto it = byKey.constFind(key); it != byKey.constEnd()) return it.value();
    const int index = static_cast<int>(nodes.size());
    nodes.push_back(table.append_copy(candidate));
    byKey.insert(key, index);
    SetCount(table, nodes.size());
    return index;
}

int StyleSheet::WithBold(int xf, bool bold) {
    if (xf < 0 || xf >= Count()) xf = 0;
    const qint64 cacheKey = (static_cast<qint64>(xf) << 1) | (bold ? 1 : 0);
    if (const auto it = boldCache_.constFind(cacheKey); it != boldCache_.constEnd())
        return it.value();
    if (Style(xf).bold == bold) {
        boldCache_.insert(cacheKey, xf);
        return xf;
    }

    pugi::xml_document scratch;
    const pugi::xml_node oldXf = xfs_[static_cast<size_t>(xf)];
    const int oldFont = oldXf.attribute("fontId").as_int();
    pugi::xml_node font = (oldFont >= 0 && oldFont < static_cast<int>(fonts_.size()))
                              ? scratch.append_copy(fonts_[static_cast<size_t>(oldFont)])
                              : scratch.append_child("font");
    font.remove_child("b");
    if (bold) font.prepend_child("b");
    const int fontId = FindOrAppend(Table("fonts"), fonts_, fontKeys_, font);

    pugi::xml_node newXf = scratch.append_copy(oldXf);
    Attr(newXf, "fontId").set_value(fontId);
    Attr(newXf, "applyFont").set_value(1);
    const int before = Count();
    const int result = FindOrAppend(Table("cellXfs"), xfs_, xfKeys_, newXf);
    if (Count() != before) {
        resolved_.emplace_back();
        isResolved_.push_back(false);
    }
    boldCache_.insert(cacheKey, result);
    return result;
}

int StyleSheet::NumberFormatId(const QString& code) {
    for (const auto& [id, c] : BuiltInFormats()) {
        if (c == code && customFormats_.find(id) == customFormats_.end()) return id;
    }
    for (const auto& [id, c] : customFormats_) {
        if (c == code) return id;
    }
    int id = 164;  // custom formats are numbered from 164
    if (!customFormats_.empty()) id = std::max(id, customFormats_.rbegin()->first + 1);
    pugi::xml_node table = Table("numFmts");
    pugi::xml_node nf = table.append_child("numFmt");
    nf.append_attribute("numFmtId").set_value(id);
    nf.append_attribute("formatCode").set_value(code.toUtf8().constData());
    customFormats_[id] = code;
    SetCount(table, customFormats_.size());
    return id;
}

int StyleSheet::WithNumberFormat(int xf, const QString& code) {
    if (xf < 0 || xf >= Count()) xf = 0;
    const QString cacheKey = QString::number(xf) + '|' + code;
    if (const auto it = formatCache_.constFind(cacheKey); it != formatCache_.constEnd())
        return it.value();
    if (Style(xf).numberFormat == code) {
        formatCache_.insert(cacheKey, xf);
        return xf;
    }
    const int fmtId = NumberFormatId(code);
    pugi::xml_document scratch;
    pugi::xml_node newXf = scratch.append_copy(xfs_[static_cast<size_t>(xf)]);
    Attr(newXf, "numFmtId").set_value(fmtId);
    Attr(newXf, "applyNumberFormat").set_value(1);
    const int before = Count();
    const int result = FindOrAppend(Table("cellXfs"), xfs_, xfKeys_, newXf);
    if (Count() != before) {
        resolved_.emplace_back();
        isResolved_.push_back(false);
    }
    formatCache_.insert(cacheKey, result);
    return result;
}
