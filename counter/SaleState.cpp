#include "counter/SaleState.h"

#include "platform/db/Connection.h"

namespace {
// ?1 the title. The copies sold are counted by the lines' sellcount.
const char* const kFollow =
    "update cdinfo set issell = case "
    "  when s.sold <= 0 then 0 when s.sold >= coalesce(cdinfo.count,0) then 2 else 1 end "
    "from (select coalesce(sum(sellcount),0) as sold from sellinfo "
    "      where substr(sellid,1,12) = ?1) as s "
    "where cdid = ?1";

// ?1 the basket's number: each of its titles counts the sale lines of other baskets only.
const char* const kBasketGoes =
    "update cdinfo set issell = case "
    "  when s.sold <= 0 then 0 when s.sold >= coalesce(cdinfo.count,0) then 2 else 1 end "
    "from (select t.cdid as cdid, "
    "        (select coalesce(sum(o.sellcount),0) from sellinfo as o "
    "         where substr(o.sellid,1,12) = t.cdid and substr(o.sellid,-4) <> ?1) as sold "
    "      from (select distinct substr(sellid,1,12) as cdid from sellinfo "
    "            where substr(sellid,-4) = ?1) as t) as s "
    "where cdinfo.cdid = s.cdid";

// ?1 the title whose sold copies came back to the shelf.
const char* const kCopiesBack =
    "update cdinfo set station = '借出部分' where cdid = ?1 and station = '全部借出'";
// ?1 the basket's number: each of its titles gets its sold copies back.
const char* const kBasketCopiesBack =
    "update cdinfo set station = '借出部分' where station = '全部借出' "
    "and cdid in (select substr(sellid,1,12) from sellinfo where substr(sellid,-4) = ?1)";
}  // namespace

void SaleState::Follow(Connection& conn, const QString& cdid) {
    conn.Execute(kFollow, {cdid});
}

void SaleState::CopiesBack(Connection& conn, const QString& cdid) {
    conn.Execute(kCopiesBack, {cdid});
}

void SaleState::BasketGoes(Connection& conn, const QString& basketNo) {
    conn.Execute(kBasketGoes, {basketNo});
    conn.Execute(kBasketCopiesBack, {basketNo});
}
