#pragma once
#include "reports/ReportLines.h"

class Connection;
struct RecentPeriod;

// The rent taken in on returns in a recent period: one row per return of a rental that
// brought rent, members' and walk-in customers' returns in one list newest first, then the
// totals row. A rental returned in several settlements is listed once per return, each time
// with the rental's whole rent, as the report has always counted it.
namespace EarnReportRows {
constexpr int kColumns = 6;  // 影片名称, 用户类型, 出租人姓名, 收入, 归还时间, 出租时间

// Raises DbError when a statement fails.
ReportLines Read(Connection& conn, const RecentPeriod& period);
}  // namespace EarnReportRows
