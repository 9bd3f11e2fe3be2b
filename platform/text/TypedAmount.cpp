#include "platform/text/TypedAmount.h"

#include "platform/text/VbText.h"

std::optional<double> ReadTypedAmount(const QString& typed) {
    const std::optional<double> amount = ParseAmount(typed.trimmed());
    if (!amount || *amount < 0) return std::nullopt;
    return RoundHalfUp(*amount, 2);
}

QString AmountRefusal(const QString& what, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QStringLiteral("%1没有填写金额，请输入不小于 0 的金额，例如 12.50 或 ￥12.50。")
            .arg(what);
    return QStringLiteral("%1“%2”不是正确的金额，请输入不小于 0 的金额，例如 12.50 或 ￥12.50。")
        .arg(what, text);
}
