#pragma once
// Disposal-year proration: cuts the year's amount down to the months a
// disposed asset was held in its year of disposal.
#include "engine/run/calcform.h"

namespace czx {

// Tax: for "SL-Old", the three "-Old" declining-balance methods and
// "Amortization"; writes "Current Dprn - Tax" from the year's amount.
void calcOldDprnProRation(const Calcform& f, double yearAmount);
// Book: for every book method the book pass writes; writes
// "Current Dprn - Book" from the year's amount.
void calcOldDprnProRationBk(const Calcform& f, double yearAmount);

}  // namespace czx
