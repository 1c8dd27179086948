#pragma once
// Formula calculators: straight line and declining balance, tax and book.
// Each enters the error trail under "Calcform.<name>" and returns the year's
// amount of its side (tax or book).
#include "engine/run/calcform.h"

namespace czx {

// MACRS straight line, personal property (half-year and mid-quarter).
Depreciation calcSLTax(const Calcform& f);
Depreciation calcMidQrtSL(const Calcform& f);
// MACRS straight line, real property (40 years), and pre-1981 straight line.
Depreciation calcSLRPTax(const Calcform& f);
Depreciation calcSLOldTax(const Calcform& f);
// Book straight line.
Depreciation calcSLBook(const Calcform& f);

// Declining balance at 125 %, 150 % or 200 % of the straight-line rate:
// pre-1981 tax ("DDB125%-Old" ...) and book ("DDB125%" ...).
enum class DecliningRate { Pct125, Pct150, Pct200 };
Depreciation calcDDBOldTax(const Calcform& f, DecliningRate rate);
Depreciation calcDDBBook(const Calcform& f, DecliningRate rate);

}  // namespace czx
