#include "platform/ui/ErrorReport.h"

#include <new>

#include "platform/db/DbError.h"
#include "platform/ui/MsgBox.h"

QString FailureText(const std::exception& error) {
    if (const auto* db = dynamic_cast<const DbError*>(&error)) return db->Description();
    if (dynamic_cast<const std::bad_alloc*>(&error)) return QStringLiteral("内存不足。");
    // Any other text is the library's, in English, and tells the operator nothing.
    return QStringLiteral("程序运行出错。");
}

void ReportError(const std::exception& error) {
    const QString text = dynamic_cast<const DbError*>(&error)
                             ? QStringLiteral("数据库操作失败：\n") + FailureText(error)
                             : FailureText(error) + QStringLiteral("\n刚才的操作没有完成。");
    MsgBox(text, vbCritical, QStringLiteral("错误"));
}

void ReportUnknownError() {
    MsgBox(QStringLiteral("程序运行出错。\n刚才的操作没有完成。"), vbCritical,
           QStringLiteral("错误"));
}
