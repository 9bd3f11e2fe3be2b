#pragma once
#include <QDir>
#include <QFile>
#include <cstdio>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/excel/SheetPrinter.h"
#include "printout/ExcelReport.h"
#include "tests/support/TestSupport.h"

// A program folder with the shipped templates in support/ and print jobs sent to PDF
// files in its "pdf" subfolder.
class ReportFixture : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        if (qEnvironmentVariableIsSet("LUMTRAK_KEEP_TEST_FILES")) {
            dir_.setAutoRemove(false);  // to look at the pages a test printed
            std::printf("test files: %s\n", qPrintable(Dir()));
        }
        QDir().mkpath(SupportDir());
        const QDir shipped(QStringLiteral(LUMTRAK_SOURCE_DIR "/support"));
        for (const QString& name : shipped.entryList({"*.xltx"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(shipped.filePath(name), QDir(SupportDir()).filePath(name)));
        SetPrintToPdfDir(PdfDir());
        gExiting = false;
    }
    void TearDown() override {
        gExiting = false;
        SetPrintToPdfDir(QString());
        ShopTest::TearDown();
    }

    QString SupportDir() const { return QDir(Dir()).filePath("support"); }
    QString PdfDir() const { return QDir(Dir()).filePath("pdf"); }

    static QByteArray Bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
