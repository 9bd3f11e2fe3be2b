#include "platform/excel/Workbook.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "platform/app/FailureKind.h"
#include "platform/excel/ExcelError.h"
#include "platform/excel/Worksheet.h"
#include "platform/excel/WorksheetXml.h"
#include "platform/excel/XmlParts.h"

namespace {
const QString kStylesType =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles");
const QString kStringsType = QStringLiteral(
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings");
const QString kStylesContent =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml");
const QString kStringsContent =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml");
const char* const kTemplateMain =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
const char* const kWorkbookMain =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";

QString RelsPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf('/');
    return part.left(slash + 1) + "_rels/" + part.mid(slash + 1) + ".rels";
}

// A relationship target, relative to the folder of the part that names it.
QString ResolveTarget(const QString& fromPart, const QString& target) {
    if (target.startsWith('/')) return target.mid(1);
    const qsizetype slash = fromPart.lastIndexOf('/');
    const QString joined = fromPart.left(slash + 1) + target;
    return QDir::cleanPath(joined);
}

// The target as the relationships part of fromPart writes it.
QString RelativeTarget(const QString& fromPart, const QString& part) {
    const qsizetype slash = fromPart.lastIndexOf('/');
    const QString folder = fromPart.left(slash + 1);
    return part.startsWith(folder) ? part.mid(folder.size()) : "/" + part;
}

QString QuotedSheetName(const QString& name) {
    QString escaped = name;
    escaped.replace('\'', "''");
    return "'" + escaped + "'";
}

// The first rectangle of a print area's formula ("'会员卡'!$A$1:$I$12,...").
std::optional<CellRect> PrintAreaOf(const QString& formula) {
    QString area = formula.section(',', 0, 0);
    const qsizetype bang = area.lastIndexOf('!');
    if (bang >= 0) area = area.mid(bang + 1);
    return ParseRange(area);
}

pugi::xml_attribute IdAttribute(const pugi::xml_node& sheet) {
    for (pugi::xml_attribute a : sheet.attributes()) {
        const std::string_view name = a.name();
        if (name.size() > 3 && name.substr(name.size() - 3) == ":id") return a;
    }
    return {};
}
}  // namespace

std::unique_ptr<Workbook> Workbook::Open(const QString& path) {
    std::unique_ptr<Workbook> book(new Workbook());
    book->Load(path);
    return book;
}

Workbook::~Workbook() = default;

QString Workbook::BaseName() const {
    return QFileInfo(path_).completeBaseName();
}

void Workbook::Load(const QString& path) {
    path_ = path;
    package_ = ZipPackage::Read(path);
    workbookPart_ = RelationshipTarget(QString(), "/officeDocument");
    if (workbookPart_.isEmpty() || !package_.Has(workbookPart_))
        throw ExcelError(QString("文件 %1 不是工作簿文件").arg(path));
    LoadXmlPart(workbookXml_, package_.Part(workbookPart_), workbookPart_);

    stylesPart_ = RelationshipTarget(workbookPart_, "/styles");
    if (!stylesPart_.isEmpty() && package_.Has(stylesPart_))
        styles_.Load(package_.Part(stylesPart_));
    stringsPart_ = RelationshipTarget(workbookPart_, "/sharedStrings");
    if (!stringsPart_.isEmpty() && package_.Has(stringsPart_))
        strings_.Load(package_.Part(stringsPart_));

    LoadSheets(workbookPart_);
    open_ = true;
}

QString Workbook::RelationshipTarget(const QString& part, const QString& typeSuffix) const {
    const QString relsPart = part.isEmpty() ? QStringLiteral("_rels/.rels") : RelsPartOf(part);
    if (!package_.Has(relsPart)) return {};
    pugi::xml_document rels;
    LoadXmlPart(rels, package_.Part(relsPart), relsPart);
    for (pugi::xml_node rel : rels.child("Relationships").children("Relationship")) {
        if (QString::fromUtf8(rel.attribute("Type").value()).endsWith(typeSuffix))
            return ResolveTarget(part, QString::fromUtf8(rel.attribute("Target").value()));
    }
    return {};
}

void Workbook::LoadSheets(const QString& workbookPart) {
    const QString relsPart = RelsPartOf(workbookPart);
    pugi::xml_document rels;
    if (package_.Has(relsPart)) LoadXmlPart(rels, package_.Part(relsPart), relsPart);

    const pugi::xml_node root = workbookXml_.child("workbook");
    int position = 0;
    for (pugi::xml_node s : root.child("sheets").children("sheet")) {
        const QString name = QString::fromUtf8(s.attribute("name").value());
        sheetNames_.push_back(name);
        const pugi::xml_node rel =
            rels.child("Relationships")
                .find_child_by_attribute("Relationship", "Id", IdAttribute(s).value());
        const QString type = QString::fromUtf8(rel.attribute("Type").value());
        if (rel && type.endsWith("/worksheet")) {
            const QString part =
                ResolveTarget(workbookPart, QString::fromUtf8(rel.attribute("Target").value()));
            if (!package_.Has(part)) throw ExcelError(QString("工作簿中缺少工作表“%1”").arg(name));
            auto sheet = std::make_unique<Worksheet>(*this, name, part);
            WorksheetXml::Load(*sheet, package_.Part(part), strings_);
            sheet->SetVisible(std::string_view(s.attribute("state").value()).empty() ||
                              std::string_view(s.attribute("state").value()) == "visible");
            sheets_.push_back(std::move(sheet));
            sheetPositions_.push_back(position);
        }
        ++position;
    }
    for (pugi::xml_node dn : root.child("definedNames").children("definedName")) {
        if (std::string_view(dn.attribute("name").value()) != "_xlnm.Print_Area" ||
            !dn.attribute("localSheetId"))
            continue;
        const int localId = dn.attribute("localSheetId").as_int(-1);
        for (size_t i = 0; i < sheets_.size(); ++i) {
            if (sheetPositions_[i] == localId)
                sheets_[i]->SetPrintAreaRect(PrintAreaOf(QString::fromUtf8(dn.text().get())));
        }
    }
}

void Workbook::CheckOpen() const {
    if (!open_) throw ExcelError("工作簿已经关闭");
}

Worksheet& Workbook::Worksheets(int index) {
    CheckOpen();
    if (index < 1 || index > WorksheetCount())
        throw ExcelError(
            QString("工作簿 %1 中没有第%2张工作表").arg(QFileInfo(path_).fileName()).arg(index));
    return *sheets_[static_cast<size_t>(index - 1)];
}

void Workbook::EnsurePart(const QString& part, const QString& relType, const QString& contentType) {
    const QString relsPart = RelsPartOf(workbookPart_);
    pugi::xml_document rels;
    if (package_.Has(relsPart)) LoadXmlPart(rels, package_.Part(relsPart), relsPart);
    pugi::xml_node root = rels.child("Relationships");
    if (!root) {
        root = rels.append_child("Relationships");
        root.append_attribute("xmlns").set_value(
            "http://schemas.openxmlformats.org/package/2006/relationships");
    }
    int next = 1;
    while (root.find_child_by_attribute("Relationship", "Id",
                                        ("rId" + QString::number(next)).toUtf8().constData()))
        ++next;
    pugi::xml_node rel = root.append_child("Relationship");
    rel.append_attribute("Id").set_value(("rId" + QString::number(next)).toUtf8().constData());
    rel.append_attribute("Type").set_value(relType.toUtf8().constData());
    rel.append_attribute("Target").set_value(
        RelativeTarget(workbookPart_, part).toUtf8().constData());
    package_.SetPart(relsPart, SaveXmlPart(rels));

    pugi::xml_document types;
    LoadXmlPart(types, package_.Part("[Content_Types].xml"), "[Content_Types].xml");
    pugi::xml_node over = types.child("Types").append_child("Override");
    over.append_attribute("PartName").set_value(("/" + part).toUtf8().constData());
    over.append_attribute("ContentType").set_value(contentType.toUtf8().constData());
    package_.SetPart("[Content_Types].xml", SaveXmlPart(types));
}

void Workbook::WritePrintAreas() {
    pugi::xml_node root = workbookXml_.child("workbook");
    pugi::xml_node names = root.child("definedNames");
    for (pugi::xml_node dn = names.first_child(); dn;) {
        const pugi::xml_node next = dn.next_sibling();
        if (std::string_view(dn.attribute("name").value()) == "_xlnm.Print_Area")
            names.remove_child(dn);
        dn = next;
    }
    for (size_t i = 0; i < sheets_.size(); ++i) {
        const auto area = sheets_[i]->PrintArea();
        if (!area) continue;
        if (!names) {
            // Defined names follow the sheets (and any external references).
            pugi::xml_node after = root.child("externalReferences");
            names = root.insert_child_after("definedNames", after ? after : root.child("sheets"));
        }
        pugi::xml_node dn = names.append_child("definedName");
        dn.append_attribute("name").set_value("_xlnm.Print_Area");
        dn.append_attribute("localSheetId").set_value(sheetPositions_[i]);
        const QString formula = QuotedSheetName(sheets_[i]->Name()) + "!" + RangeName(*area, true);
        dn.text().set(formula.toUtf8().constData());
    }
    if (names && !names.first_child()) root.remove_child(names);
}

// Each worksheet's state ("hidden" or none); the workbook opens on a sheet that shows, and
// at least one does (a workbook of hidden sheets only is no valid file).
void Workbook::WriteSheetStates() {
    pugi::xml_node root = workbookXml_.child("workbook");
    std::vector<pugi::xml_node> entries;
    for (pugi::xml_node s : root.child("sheets").children("sheet")) entries.push_back(s);
    const auto shows = [](pugi::xml_node s) {
        const std::string_view state = s.attribute("state").value();
        return state.empty() || state == "visible";
    };
    for (size_t i = 0; i < sheets_.size(); ++i) {
        const auto at = static_cast<size_t>(sheetPositions_[i]);
        if (at >= entries.size()) continue;
        entries[at].remove_attribute("state");
        if (!sheets_[i]->Visible()) entries[at].append_attribute("state").set_value("hidden");
    }
    const auto first = std::find_if(entries.begin(), entries.end(), shows);
    if (first == entries.end()) {
        if (!entries.empty()) entries.front().remove_attribute("state");
        return;
    }
    pugi::xml_node view = root.child("bookViews").child("workbookView");
    if (!view) return;
    const size_t active = view.attribute("activeTab").as_uint(0);
    if (active < entries.size() && shows(entries[active])) return;
    const auto index = static_cast<unsigned>(first - entries.begin());
    if (!view.attribute("activeTab")) view.append_attribute("activeTab");
    view.attribute("activeTab").set_value(index);
    if (view.attribute("firstSheet")) view.attribute("firstSheet").set_value(index);
}

void Workbook::WriteContentTypes() {
    pugi::xml_document types;
    LoadXmlPart(types, package_.Part("[Content_Types].xml"), "[Content_Types].xml");
    pugi::xml_node root = types.child("Types");
    for (pugi::xml_node o = root.child("Override"); o;) {
        const pugi::xml_node next = o.next_sibling("Override");
        if (std::string_view(o.attribute("ContentType").value()) == kTemplateMain)
            o.attribute("ContentType").set_value(kWorkbookMain);
        // Parts that are gone (a dropped calculation chain) lose their entry.
        if (!package_.Has(QString::fromUtf8(o.attribute("PartName").value()).mid(1)))
            root.remove_child(o);
        o = next;
    }
    package_.SetPart("[Content_Types].xml", SaveXmlPart(types));
}

void Workbook::DropCalculationChain() {
    // Formulas are not kept, so a calculation chain would name cells that have none.
    const QString chain = RelationshipTarget(workbookPart_, "/calcChain");
    if (chain.isEmpty()) return;
    const QString relsPart = RelsPartOf(workbookPart_);
    pugi::xml_document rels;
    LoadXmlPart(rels, package_.Part(relsPart), relsPart);
    pugi::xml_node root = rels.child("Relationships");
    for (pugi::xml_node rel : root.children("Relationship")) {
        if (QString::fromUtf8(rel.attribute("Type").value()).endsWith("/calcChain")) {
            root.remove_child(rel);
            break;
        }
    }
    package_.SetPart(relsPart, SaveXmlPart(rels));
    package_.Remove(chain);
}

void Workbook::SaveAs(const QString& path) {
    CheckOpen();
    const QFileInfo target(path);
    if (target.exists() && target.canonicalFilePath() == QFileInfo(path_).canonicalFilePath())
        throw ExcelError(QString("不能把工作簿保存到它打开的原文件 %1 上").arg(path));

    qint64 references = 0;
    for (const auto& sheet : sheets_)
        package_.SetPart(sheet->PartName(), WorksheetXml::Save(*sheet, references));

    if (stylesPart_.isEmpty() || !package_.Has(stylesPart_)) {
        stylesPart_ = "xl/styles.xml";
        EnsurePart(stylesPart_, kStylesType, kStylesContent);
    }
    package_.SetPart(stylesPart_, styles_.ToXml());
    if (stringsPart_.isEmpty() || !package_.Has(stringsPart_)) {
        stringsPart_ = "xl/sharedStrings.xml";
        EnsurePart(stringsPart_, kStringsType, kStringsContent);
    }
    package_.SetPart(stringsPart_, strings_.ToXml(references));
    WritePrintAreas();
    WriteSheetStates();
    package_.SetPart(workbookPart_, SaveXmlPart(workbookXml_));
    DropCalculationChain();
    WriteContentTypes();

    const QByteArray bytes = package_.ToZipBytes();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw ExcelError(WriteFailure(QStringLiteral("文件"), path, file.error(), bytes.size()));
}

void Workbook::Close() {
    // The worksheet objects stay (callers may still hold them) but give up their cells.
    open_ = false;
    for (auto& sheet : sheets_) sheet->MutableRows().clear();
    package_ = ZipPackage();
    workbookXml_.reset();
}
