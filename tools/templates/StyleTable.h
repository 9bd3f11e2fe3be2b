#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>

#include "tools/templates/TemplateSpec.h"

// The style part of a template, built from the looks its cells use: each distinct
// look becomes one cell format (format 0 is the plain default).
class StyleTable {
  public:
    StyleTable();
    int Index(const Look& look);
    QByteArray ToXml() const;

  private:
    int Intern(std::map<QString, int>& table, QStringList& xml, const QString& entry);

    std::map<QString, int> fonts_, fills_, borders_, formats_, xfs_;
    QStringList fontXml_, fillXml_, borderXml_, formatXml_, xfXml_;
};
