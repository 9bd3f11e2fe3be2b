#include "platform/excel/XmlParts.h"

#include "platform/excel/ExcelError.h"

void LoadXmlPart(pugi::xml_document& doc, const QByteArray& data, const QString& partName) {
    const auto result = doc.load_buffer(
        data.constData(), static_cast<size_t>(data.size()),
        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single);
    if (!result) {
        throw ExcelError(QString("工作簿文件已损坏：其中的 %1 无法读取").arg(partName));
    }
    // The declaration is written afresh when the part is saved.
    while (doc.first_child().type() == pugi::node_declaration) doc.remove_child(doc.first_child());
}

namespace {
struct ByteWriter : pugi::xml_writer {
    QByteArray* out;
    void write(const void* data, size_t size) override {
        out->append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
};
}  // namespace

QByteArray SaveXmlPart(const pugi::xml_document& doc) {
    QByteArray out("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n");
    ByteWriter writer;
    writer.out = &out;
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out;
}

void AppendXmlEscaped(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    // Runs of plain characters are copied whole; only the few that XML reserves are
    // replaced, and control characters other than tab and line breaks (which XML does not
    // allow) are left out.
    qsizetype run = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char ch = utf8[i];
        const char* replacement = nullptr;
        switch (ch) {
            case '&':
                replacement = "&amp;";
                break;
            case '<':
                replacement = "&lt;";
                break;
            case '>':
                replacement = "&gt;";
                break;
            case '"':
                replacement = "&quot;";
                break;
            default:
                if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t' || ch == '\n' ||
                    ch == '\r')
                    continue;
                replacement = "";
        }
        out.append(utf8.constData() + run, i - run);
        out.append(replacement);
        run = i + 1;
    }
    out.append(utf8.constData() + run, utf8.size() - run);
}
