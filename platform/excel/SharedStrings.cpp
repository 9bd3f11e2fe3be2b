#include "platform/excel/SharedStrings.h"

#include <pugixml.hpp>

#include "platform/excel/XmlParts.h"

namespace {
// The text of an <si>: its <t>, or the <t> of each run; phonetic hints are left out.
QString TextOf(const pugi::xml_node& si) {
    QString text;
    for (pugi::xml_node child : si.children()) {
        const std::string_view name = child.name();
        if (name == "t") {
            text += QString::fromUtf8(child.text().get());
        } else if (name == "r") {
            text += QString::fromUtf8(child.child("t").text().get());
        }
    }
    return text;
}

QByteArray RawOf(const pugi::xml_node& si) {
    struct Writer : pugi::xml_writer {
        QByteArray out;
        void write(const void* data, size_t size) override {
            out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
        }
    } writer;
    si.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return writer.out;
}
}  // namespace

void SharedStrings::Load(const QByteArray& xml) {
    pugi::xml_document doc;
    LoadXmlPart(doc, xml, "xl/sharedStrings.xml");
    items_.clear();
    plainIndex_.clear();
    for (pugi::xml_node si : doc.child("sst").children("si")) {
        Item item;
        item.text = TextOf(si);
        const bool plain =
            si.first_child() == si.last_child() && std::string_view(si.first_child().name()) == "t";
        if (!plain) item.rawXml = RawOf(si);
        if (plain && !plainIndex_.contains(item.text)) plainIndex_.insert(item.text, Count());
        items_.push_back(std::move(item));
    }
}

const QString& SharedStrings::At(int index) const {
    static const QString empty;
    if (index < 0 || index >= Count()) return empty;
    return items_[static_cast<size_t>(index)].text;
}

int SharedStrings::Add(const QString& text) {
    const auto it = plainIndex_.constFind(text);
    if (it != plainIndex_.constEnd()) return it.value();
    const int index = Count();
    items_.push_back(Item{text, {}});
    plainIndex_.insert(text, index);
    return index;
}

QByteArray SharedStrings::ToXml(qint64 references) const {
    QByteArray out("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n");
    out.append("<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"");
    out.append(QByteArray::number(references));
    out.append("\" uniqueCount=\"");
    out.append(QByteArray::number(Count()));
    out.append("\">");
    for (const Item& item : items_) {
        if (!item.rawXml.isEmpty()) {
            out.append(item.rawXml);
            continue;
        }
        const bool keepBlanks =
            !item.text.isEmpty() && (item.text.front().isSpace() || item.text.back().isSpace());
        out.append(keepBlanks ? "<si><t xml:space=\"preserve\">" : "<si><t>");
        AppendXmlEscaped(out, item.text);
        out.append("</t></si>");
    }
    out.append("</sst>");
    return out;
}
