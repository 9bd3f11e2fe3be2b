#include "platform/text/TypedAmount.h"

#include "platform/text/QuotedInput.h"

namespace {
QString Example(AmountSign sign) {
    return sign == AmountSign::NotNegative
               ? QStringLiteral("请输入不小于 0 的金额，例如 12.50 或 ￥12.50。")
               : QStringLiteral("请输入金额，例如 12.50 或 ￥12.50。");
}
}  // namespace

QString AmountRefusal(const QString& what, const QString& typed, AmountSign sign) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return QStringLiteral("%1没有填写金额，").arg(what) + Example(sign);
    return QStringLiteral("%1“%2”不是正确的金额，").arg(what, QuotedInput(text)) + Example(sign);
}
