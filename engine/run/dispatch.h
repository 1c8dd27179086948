#pragma once
// Chooses the calculator of the year's depreciation for the current row.
#include "engine/run/calcform.h"

namespace czx {

// Tax: by method text, life (as a number), first or later year, the year's
// mid-quarter outcome and the row's stored quarter code. Calls one
// calculator or none.
void TaxDeprnMethSelector(Calcform& f);
// Book: by method text alone.
void BookDeprnMethSelector(Calcform& f);

// "Non-Depreciable": no depreciation.
void CalcNonDprn(Calcform& f);
void CalcNonDprnBk(Calcform& f);

// The first year of the row for the dispatch: the calendar year of "YRPIS"
// equals that of "YearEnd".
bool isFirstCalendarYear(const Calcform& f);

}  // namespace czx
