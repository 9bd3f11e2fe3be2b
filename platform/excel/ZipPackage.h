#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// The parts of a workbook package (a zip archive), held in memory in their order.
class ZipPackage {
  public:
    // Reads every part of the archive at path; throws ExcelError when it is no archive.
    static ZipPackage Read(const QString& path);

    bool Has(const QString& name) const;
    QByteArray Part(const QString& name) const;  // empty when missing
    void SetPart(const QString& name, const QByteArray& data);
    void Remove(const QString& name);
    QStringList Names() const;

    // The archive bytes: every part deflated, with a fixed time stamp so that the same
    // parts always give the same bytes.
    QByteArray ToZipBytes() const;

  private:
    std::vector<std::pair<QString, QByteArray>> parts_;
};
