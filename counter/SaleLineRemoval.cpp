#include "counter/SaleLineRemoval.h"

#include "core/OpenBasketRow.h"
#include "counter/BasketLines.h"
#include "counter/SaleState.h"
#include "platform/db/Connection.h"

namespace {
constexpr int kCdidLength = 12;
}  // namespace

SaleLineRemoval::Result SaleLineRemoval::Run(Connection& conn, const Basket& basket,
                                             const QString& sellid) {
    Result result;
    Transaction t(conn);
    const std::optional<BasketLines::Line> line = BasketLines::Sale.Of(conn, sellid);
    if (!line) return result;
    result.copies = line->copies;
    result.money = line->amount;
    result.removed = BasketLines::Sale.Remove(conn, sellid);
    SaleState::Follow(conn, sellid.left(kCdidLength));
    SaleState::CopiesBack(conn, sellid.left(kCdidLength));
    result.basketEmpty = BasketLines::Sale.OfBasket(conn, basket.No).empty();
    if (result.basketEmpty) OpenBasketRow::Close(conn, OpenBasketRow::Sale, basket.No);
    t.Commit();
    return result;
}
