#pragma once
#include <QString>
#include <memory>
#include <pugixml.hpp>
#include <vector>

#include "platform/excel/SharedStrings.h"
#include "platform/excel/StyleSheet.h"
#include "platform/excel/ZipPackage.h"

class Worksheet;

// A workbook opened from a file (a workbook or a workbook template), held in memory.
// The file it was opened from is never written: SaveAs writes a new workbook file, and
// Close drops everything without saving.
class Workbook {
  public:
    // Opens the file at path; throws ExcelError when it cannot be read as a workbook.
    static std::unique_ptr<Workbook> Open(const QString& path);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    QString BaseName() const;  // the file name without folder and extension

    int WorksheetCount() const { return static_cast<int>(sheets_.size()); }
    // Worksheet index, counted from 1; throws ExcelError when there is none.
    Worksheet& Worksheets(int index);

    // Writes the workbook as a workbook file (.xlsx) at path. The file appears only once
    // it is completely written; a failed save leaves an earlier file there untouched.
    void SaveAs(const QString& path);
    // Closes without saving; the workbook and its worksheets can no longer be used
    // (the worksheet objects stay valid, empty, until the workbook is destroyed).
    void Close();
    bool IsOpen() const { return open_; }

    StyleSheet& Styles() { return styles_; }
    SharedStrings& Strings() { return strings_; }

  private:
    Workbook() = default;
    void Load(const QString& path);
    void LoadSheets(const QString& workbookPart);
    QString RelationshipTarget(const QString& part, const QString& typeSuffix) const;
    void EnsurePart(const QString& part, const QString& relType, const QString& contentType);
    void WritePrintAreas();
    void WriteSheetStates();
    void WriteContentTypes();
    void DropCalculationChain();
    void CheckOpen() const;

    QString path_;
    bool open_ = false;
    ZipPackage package_;
    QString workbookPart_;
    QString stylesPart_;
    QString stringsPart_;
    pugi::xml_document workbookXml_;
    StyleSheet styles_;
    SharedStrings strings_;
    std::vector<std::unique_ptr<Worksheet>> sheets_;
    std::vector<int> sheetPositions_;  // each worksheet's place among all sheets, from 0
    std::vector<QString> sheetNames_;  // every sheet of the workbook, charts included
};
