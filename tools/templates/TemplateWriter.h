#pragma once
#include <QByteArray>
#include <QString>

#include "tools/templates/TemplateSpec.h"

// Writes a workbook template file (.xltx) from its description.
class TemplateWriter {
  public:
    // The parts of the template, zipped; the same description always gives the same parts.
    static QByteArray Build(const TemplateSpec& spec);
    // Writes the template into folder as <name>.xltx; false with error set on failure.
    static bool WriteFile(const TemplateSpec& spec, const QString& folder, QString* error);
};
