#pragma once
#include "reports/ReportLines.h"

class Connection;

// The 50 titles that brought the most sales money over the whole history, with their
// purchase date and cost.
namespace SellHotCDRows {
constexpr int kColumns = 5;  // 序号, 影片名称, 购买日期, 出售价格, 所花费用
constexpr int kTop = 50;

// Raises DbError when the statement fails.
ReportLines Read(Connection& conn);
}  // namespace SellHotCDRows
