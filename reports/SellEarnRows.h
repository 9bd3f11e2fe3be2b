#pragma once
#include "reports/ReportLines.h"

class Connection;
struct RecentPeriod;

// The disc sales of a recent period: one row per title of a sale basket, every member's
// sale first and then every walk-in customer's, each group by sale time, then the totals row.
namespace SellEarnRows {
constexpr int kColumns = 5;  // 影片名称, 用户类型, 出售人姓名, 收入, 售出时间

// Raises DbError when a statement fails.
ReportLines Read(Connection& conn, const RecentPeriod& period);
}  // namespace SellEarnRows
