#include "platform/ui/ErrorReport.h"

#include "platform/db/DbError.h"
#include "platform/ui/MsgBox.h"

void ReportError(const std::exception& error) {
    if (const auto* db = dynamic_cast<const DbError*>(&error)) {
        MsgBox(QStringLiteral("数据库操作失败：\n%1").arg(db->Description()), vbCritical);
        return;
    }
    MsgBox(QStringLiteral("程序运行出错：\n%1").arg(QString::fromLocal8Bit(error.what())),
           vbCritical);
}

void ReportUnknownError() {
    MsgBox(QStringLiteral("程序运行出错。"), vbCritical);
}
