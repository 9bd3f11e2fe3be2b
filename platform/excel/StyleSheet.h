#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <map>
#include <pugixml.hpp>
#include <vector>

#include "platform/excel/CellStyle.h"

// The workbook's style tables (number formats, fonts, fills, borders and cell formats).
// A cell refers to a cell format by index; asking for a variant of one (bold, another
// number format) gives the index of an equal existing format or of a new one.
class StyleSheet {
  public:
    StyleSheet();
    void Load(const QByteArray& xml);
    QByteArray ToXml() const;

    int Count() const { return static_cast<int>(xfs_.size()); }
    // How cell format xf looks; format 0 for an index out of range.
    const CellStyle& Style(int xf) const;

    int WithBold(int xf, bool bold);
    int WithNumberFormat(int xf, const QString& code);

    // The format a number format id stands for ("General" for unknown ids).
    QString NumberFormatCode(int id) const;

    // A minimal style part: one font, the two required fills, no border, one format.
    static QByteArray DefaultXml();

  private:
    void Index();
    pugi::xml_node Table(const char* name);
    int FindOrAppend(pugi::xml_node table, std::vector<pugi::xml_node>& nodes,
                     QHash<QByteArray, int>& byKey, pugi::xml_node candidate);
    CellStyle Resolve(int xf) const;
    int NumberFormatId(const QString& code);

    pugi::xml_document doc_;
    std::vector<pugi::xml_node> fonts_;
    std::vector<pugi::xml_node> fills_;
    std::vector<pugi::xml_node> borders_;
    std::vector<pugi::xml_node> xfs_;
    QHash<QByteArray, int> fontKeys_;
    QHash<QByteArray, int> xfKeys_;
    std::map<int, QString> customFormats_;
    mutable std::vector<CellStyle> resolved_;
    mutable std::vector<bool> isResolved_;
    QHash<qint64, int> boldCache_;
    QHash<QString, int> formatCache_;  // "xf|code" -> xf
};
