#pragma once
#include <QString>
#include <array>
#include <optional>

#include "platform/text/Money.h"

class CataloguePage;
class MaskEdBox;

// How the catalogue's entry inputs are read: the five prices as amounts, the copies as a
// whole number, the purchase date as a date. Leaving an input and saving read them alike.
class CatalogueInput {
  public:
    static constexpr qint64 kMostCopies = 9999;

    struct PriceInput {
        MaskEdBox* box;
        int column;  // the grid column it writes
        QString label;
    };
    // Rent, sale price, member rent, member sale price, purchase price, in this order.
    static std::array<PriceInput, 5> PriceInputs(const CataloguePage& page);

    // A price as the row holds it, to the cent ("3.456" is 3.46, "￥1,200.00" is 1200);
    // empty counts as 0. Nothing for a text that is no amount or a negative one.
    static std::optional<Money> ReadPrice(const QString& typed);
    static QString PriceRefusal(const QString& label, const QString& typed);

    // The copies, read as strictly as an amount ("1,200" gives 1200); empty counts as 0.
    // Nothing for a text that is no whole number from 0 to kMostCopies ("3张", "-5",
    // "1.5").
    static std::optional<qint64> ReadCount(const QString& typed);
    static QString CountRefusal(const QString& typed);

    // The purchase date as "yyyy-mm-dd" ("2004-3-7" gives "2004-03-07"); empty stays
    // empty. Nothing for a text that is no date.
    static std::optional<QString> ReadDate(const QString& typed);
    static QString DateRefusal(const QString& typed);
};
