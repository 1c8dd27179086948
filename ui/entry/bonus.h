#pragma once
// The first-year bonus (special depreciation allowance) the bonus button
// proposes, by the date the asset was placed in service.
#include <optional>

#include "base/dates.h"

namespace czx::ui {

enum class BonusOutcome {
    Zero,       // the field becomes "0.00"
    Rate,       // the field becomes the computed amount
    Unchanged,  // the field keeps what it holds
};

struct BonusRate {
    BonusOutcome outcome = BonusOutcome::Unchanged;
    double rate = 0;
};

// 30 % from 9/11/2001 to 5/5/2003, 50 % to 12/31/2004, none in 2005-2007,
// 50 % from 1/1/2008 to 9/8/2010, 100 % to 12/31/2011, 50 % in 2012.
BonusRate bonusRateFor(const Date& placedInService);

// (cost x business use - Section 179) x rate.
double bonusAmount(double cost, double businessUse, double section179, double rate);

// The automobile notice applies above this cost for "MACRS-Auto" assets
// placed in service after 9/10/2001.
inline constexpr double kAutoNoticeCost = 15320;

}  // namespace czx::ui
