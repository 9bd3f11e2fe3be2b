#pragma once
#include "reports/ReportLines.h"

class Connection;

// The 50 titles rented most often over the whole history (one rental basket counts once
// however many copies it lent), with the rent received for them and their purchase cost.
namespace HotCDRows {
constexpr int kColumns = 6;  // 序号, 影片名称, 购买日期, 出租次数, 实收租金, 所花费用
constexpr int kTop = 50;

// Raises DbError when the statement fails.
ReportLines Read(Connection& conn);
}  // namespace HotCDRows
