#pragma once
#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

// Reading and writing the XML parts of a workbook package. Blank text nodes that carry
// a value (<t xml:space="preserve"> </t>) are kept; parts are written without
// indentation and with the standard declaration.
void LoadXmlPart(pugi::xml_document& doc, const QByteArray& data, const QString& partName);
QByteArray SaveXmlPart(const pugi::xml_document& doc);

// Escapes a text for an XML text node or attribute value.
void AppendXmlEscaped(QByteArray& out, const QString& text);
