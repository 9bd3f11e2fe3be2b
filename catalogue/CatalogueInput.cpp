#include "catalogue/CatalogueInput.h"

#include <cmath>

#include "catalogue/CataloguePage.h"
#include "platform/db/Value.h"
#include "platform/text/QuotedInput.h"
#include "platform/text/TypedAmount.h"
#include "platform/text/VbText.h"

std::array<CatalogueInput::PriceInput, 5> CatalogueInput::PriceInputs(const CataloguePage& page) {
    return {{
        {page.MebBorrowPrice, CataloguePage::kColBorrowPrice, QStringLiteral("出租价格")},
        {page.MebSellPrice, CataloguePage::kColSellPrice, QStringLiteral("出售价格")},
        {page.MebMemberBorrowPrice, CataloguePage::kColMemberBorrowPrice,
         QStringLiteral("会员出租价格")},
        {page.MebMemberSellPrice, CataloguePage::kColMemberSellPrice,
         QStringLiteral("会员出售价格")},
        {page.MebPrice, CataloguePage::kColPrice, QStringLiteral("购买价格")},
    }};
}

std::optional<Money> CatalogueInput::ReadPrice(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return Money();
    return Money::FromTyped(text);
}

QString CatalogueInput::PriceRefusal(const QString& label, const QString& typed) {
    return AmountRefusal(label, typed);
}

std::optional<qint64> CatalogueInput::ReadCount(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return 0;
    const std::optional<double> n = ParseAmount(text);
    if (!n || *n != std::trunc(*n) || *n < 0 || *n > static_cast<double>(kMostCopies))
        return std::nullopt;
    return static_cast<qint64>(*n);
}

QString CatalogueInput::CountRefusal(const QString& typed) {
    return QStringLiteral("光盘个数“%1”不是正确的个数，请输入 0 到 %2 之间的整数，例如 3！")
        .arg(QuotedInput(typed), QString::number(kMostCopies));
}

std::optional<QString> CatalogueInput::ReadDate(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return QString();
    const QDate date = Value(text).ToDate();
    if (!date.isValid()) return std::nullopt;
    return Format(date, QStringLiteral("yyyy-mm-dd"));
}

QString CatalogueInput::DateRefusal(const QString& typed) {
    return QStringLiteral("购买日期“%1”不是正确的日期，请按 2024-03-07 的样子输入！")
        .arg(QuotedInput(typed));
}
