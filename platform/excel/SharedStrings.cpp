#include "platform/excel/SharedStrings.h"

#include <QHashFunctions>
#include <algorithm>
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
    texts_.clear();
    rawXml_.clear();
    slots_.clear();
    indexed_ = 0;
    for (pugi::xml_node si : doc.child("sst").children("si")) {
        const int index = Count();
        texts_.push_back(TextOf(si));
        const bool plain =
            si.first_child() == si.last_child() && std::string_view(si.first_child().name()) == "t";
        if (plain)
            FindOrIndex(texts_.back(), index);
        else
            rawXml_.emplace(index, RawOf(si));
    }
}

const QString& SharedStrings::At(int index) const {
    static const QString empty;
    if (index < 0 || index >= Count()) return empty;
    return texts_[static_cast<size_t>(index)];
}

int SharedStrings::Add(const QString& text) {
    const int index = FindOrIndex(text, Count());
    if (index == Count()) texts_.push_back(text);
    return index;
}

// The table of plain texts is open addressing over the entries' indexes: an export adds
// every cell's text, hundreds of thousands of them, and a node for each would cost more
// memory (and time to fetch it) than the text itself.
int SharedStrings::FindOrIndex(const QString& text, int index) {
    if ((indexed_ + 1) * 4 > slots_.size() * 3) Grow();
    const std::size_t hash = qHash(text);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.index < 0) {
            slot = {hash, index};
            ++indexed_;
            return index;
        }
        if (slot.hash == hash && texts_[static_cast<std::size_t>(slot.index)] == text)
            return slot.index;
    }
}

void SharedStrings::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(1024, old.size() * 2), Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.index < 0) continue;
        std::size_t i = s.hash & mask;
        while (slots_[i].index >= 0) i = (i + 1) & mask;
        slots_[i] = s;
    }
}

QByteArray SharedStrings::ToXml(qint64 references) const {
    QByteArray out("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n");
    out.append("<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"");
    out.append(QByteArray::number(references));
    out.append("\" uniqueCount=\"");
    out.append(QByteArray::number(Count()));
    out.append("\">");
    for (int i = 0; i < Count(); ++i) {
        if (const auto raw = rawXml_.find(i); raw != rawXml_.end()) {
            out.append(raw->second);
            continue;
        }
        const QString& text = texts_[static_cast<size_t>(i)];
        const bool keepBlanks =
            !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
        out.append(keepBlanks ? "<si><t xml:space=\"preserve\">" : "<si><t>");
        AppendXmlEscaped(out, text);
        out.append("</t></si>");
    }
    out.append("</sst>");
    return out;
}
