#pragma once
// The first-year bonus (special depreciation allowance) the bonus button
// proposes; its rate by the date placed in service is the law's
// (engine/tables/federal_law.h).
#include <optional>

#include "base/dates.h"

namespace czx::ui {

// (cost x business use - Section 179) x rate.
double bonusAmount(double cost, double businessUse, double section179, double rate);

// The automobile notice applies above this cost for "MACRS-Auto" assets
// placed in service after 9/10/2001.
inline constexpr double kAutoNoticeCost = 15320;

}  // namespace czx::ui
