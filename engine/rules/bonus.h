#pragma once
// The first-year bonus (special depreciation allowance) that the bonus
// calculator proposes; its rate by the date placed in service is the law's
// (engine/tables/federal_law.h).
#include <string_view>

#include "base/dates.h"

namespace czx {

// (cost x business use - Section 179) x rate.
double bonusAmount(double cost, double businessUse, double section179, double rate);

// The passenger automobile limits may cut the proposed bonus of a
// "MACRS-Auto" asset costing more than this, placed in service after
// 9/10/2001; the run applies them.
inline constexpr double kAutoNoticeCost = 15320;
bool automobileLimitsMayCutBonus(double cost, std::string_view methodTax, const Date& placed);

}  // namespace czx
