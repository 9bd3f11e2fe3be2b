#pragma once

// The shop settings of a demo shop, written into pricepercent and ForeGift and used
// for every price and deposit the demo counter charges.
namespace DemoRules {
constexpr double kMemberRentFactor = 0.8;  // pricepercent.percentb
constexpr double kMemberSaleFactor = 0.9;  // pricepercent.percents
constexpr double kMonthlyFee = 5;          // pricepercent.tax
constexpr int kDepositRule = 1;            // a fixed amount per copy
constexpr double kWalkInDeposit = 20;      // ForeGift.money
constexpr double kMemberDeposit = 10;      // ForeGift.membermoney
// Basket and settlement numbers handed out by the demo counter; the ones above stay
// free for the counter of the program.
constexpr int kLastNumber = 9000;

double Round2(double amount);
}  // namespace DemoRules
