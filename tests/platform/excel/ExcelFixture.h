#pragma once
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/app/AppPath.h"
#include "platform/excel/SheetPrinter.h"
#include "tests/support/TestSupport.h"
#include "tools/templates/TemplateSpec.h"
#include "tools/templates/TemplateWriter.h"

// A test with a folder of its own (the program folder too), print jobs sent to PDF
// files in its "pdf" subfolder, and a small page-frame template "Frame.xltx":
// sheet 1 empty; sheet 2 a 6-row page of columns A to C: a merged bold title A1:C1,
// "合计：" in A2 and a number format in B2, headings in row 3, bordered data rows 4
// and 5, and a merged footer A6:C6.
class ExcelFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        if (qEnvironmentVariableIsSet("LUMTRAK_KEEP_TEST_FILES")) {
            dir_.setAutoRemove(false);  // to look at the pages a test printed
            std::printf("test files: %s\n", qPrintable(dir_.path()));
        }
        SetAppPath(dir_.path());
        MsgBoxLog::Get().Reset();
        SetPrintToPdfDir(PdfDir());
    }
    void TearDown() override {
        SetPrintToPdfDir(QString());
        SetAppPath(QString());
        MsgBoxLog::Get().Reset();
    }

    QString Dir() const { return dir_.path(); }
    QString PdfDir() const { return QDir(dir_.path()).filePath("pdf"); }
    QString PathOf(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    static TemplateSpec FrameSpec() {
        Look boxed;
        boxed.left = boxed.right = boxed.top = boxed.bottom = "thin";
        boxed.vertical = "center";
        Look heading = boxed;
        heading.bold = true;
        heading.horizontal = "center";
        heading.fill = "DDDDDD";
        Look title;
        title.bold = true;
        title.size = 16;
        title.horizontal = "center";
        Look money = boxed;
        money.numberFormat = "0.00";
        SheetSpec frame;
        frame.name = "页面格式";
        frame.columnWidths = {20, 10, 12};
        frame.rowHeights = {{1, 30}, {2, 18}, {3, 24}, {4, 20}, {5, 20}, {6, 18}};
        frame.cells = {
            {"A1", "标题", title},       {"A2", "合计：", Look{}}, {"B2", "", money},
            {"A3", "影片名称", heading}, {"B3", "数量", heading},  {"C3", "价格", heading},
            {"A4", "", boxed},           {"B4", "", boxed},        {"C4", "", money},
            {"A5", "", boxed},           {"B5", "", boxed},        {"C5", "", money},
            {"A6", "", Look{}}};
        frame.merges = {"A1:C1", "A6:C6"};
        SheetSpec output;
        output.name = "报表";
        return TemplateSpec{"Frame", {output, frame}};
    }

    // Writes the template into folder (the test folder by default); its path.
    QString WriteTemplate(const TemplateSpec& spec, QString folder = QString()) {
        if (folder.isEmpty()) folder = dir_.path();
        QDir().mkpath(folder);
        QString error;
        EXPECT_TRUE(TemplateWriter::WriteFile(spec, folder, &error)) << error.toStdString();
        return QDir(folder).filePath(spec.name + ".xltx");
    }

    static QByteArray Bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};
