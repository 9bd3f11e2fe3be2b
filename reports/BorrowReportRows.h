#pragma once
#include "reports/ReportLines.h"

class Connection;
struct RecentPeriod;

// The rentals lent out in a recent period, returned or not: one row per title of a rental
// basket, members' and walk-in customers' rentals in one list newest first, then the totals
// row with the rent received and the cash deposits.
namespace BorrowReportRows {
constexpr int kColumns = 6;  // 影片名称, 用户类型, 出租人姓名, 已付租金, 押金, 出租时间

// Raises DbError when a statement fails.
ReportLines Read(Connection& conn, const RecentPeriod& period);
}  // namespace BorrowReportRows
