#pragma once
// Chooses the calculator of the year's depreciation for the current row.
#include "engine/run/calcform.h"

namespace czx {

// Tax: by method, life (as a number), first or later year, the year's
// mid-quarter outcome and the row's stored quarter code. Calls one
// calculator or none (an amount of 0).
Depreciation taxDeprnMethSelector(const Calcform& f);
// Book: by method alone.
Depreciation bookDeprnMethSelector(const Calcform& f);

// "Non-Depreciable": no depreciation.
Depreciation calcNonDprn(const Calcform& f);
Depreciation calcNonDprnBk(const Calcform& f);

// The first year of the row for the dispatch: the calendar year of "YRPIS"
// equals that of "YearEnd".
bool isFirstCalendarYear(const Calcform& f);

}  // namespace czx
