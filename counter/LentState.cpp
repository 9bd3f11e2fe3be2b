#include "counter/LentState.h"

#include "platform/db/Connection.h"

namespace {
// In both statements the unary + keeps the columns' text affinity off the comparisons, so
// the title's rental lines are found through the index on substr(borrowid,1,12) and each
// line's return rows through the one on substr(returnid,1,16), instead of a scan of every
// rental line and, for each, of every return row.

// The line's title: "借出部分" while another of its rental lines has copies out.
const char* const kLineGoes =
    "update cdinfo set outcount = coalesce(outcount,0) - 1, station = "
    "  case when exists (select 1 from borrowinfo as o "
    "                    where substr(o.borrowid,1,12) = +cdinfo.cdid and o.borrowid <> ?1 "
    "                    and coalesce(o.borrowcount,0) > "
    "                        coalesce((select sum(r.returncount) from returninfo as r "
    "                                  where substr(r.returnid,1,16) = +o.borrowid), 0)) "
    "  then '借出部分' else '未借出' end "
    "where cdid = substr(?1,1,12) and exists (select 1 from borrowinfo where borrowid = ?1)";

// Each title of the basket: "借出部分" while a rental line of another basket has copies out.
const char* const kBasketGoes =
    "update cdinfo set outcount = coalesce(outcount,0) - 1, station = "
    "  case when exists (select 1 from borrowinfo as o "
    "                    where substr(o.borrowid,1,12) = +cdinfo.cdid "
    "                    and substr(o.borrowid,-4) <> ?1 "
    "                    and coalesce(o.borrowcount,0) > "
    "                        coalesce((select sum(r.returncount) from returninfo as r "
    "                                  where substr(r.returnid,1,16) = +o.borrowid), 0)) "
    "  then '借出部分' else '未借出' end "
    "where cdid in (select substr(borrowid,1,12) from borrowinfo where substr(borrowid,-4) = ?1)";
}  // namespace

void LentState::LineGoes(Connection& conn, const QString& borrowid) {
    conn.Execute(kLineGoes, {borrowid});
}

void LentState::BasketGoes(Connection& conn, const QString& basketNo) {
    conn.Execute(kBasketGoes, {basketNo});
}
