#pragma once
// Formula calculators: straight line and declining balance, tax and book.
// Each enters the error trail under "Calcform.<name>" and leaves its result
// in CurrentDprnTax (tax) or CurrentDprnBook (book).
#include "engine/run/calcform.h"

namespace czx {

// MACRS straight line, personal property (half-year and mid-quarter).
void CalcSLTax(Calcform& f);
void CalcMidQrtSL(Calcform& f);
// MACRS straight line, real property (40 years), and pre-1981 straight line.
void CalcSLRPTax(Calcform& f);
void CalcSLOldTax(Calcform& f);
// Pre-1981 declining balance.
void CalcDDB125OldTax(Calcform& f);
void CalcDDB150OldTax(Calcform& f);
void CalcDDB200OldTax(Calcform& f);
// Book.
void CalcSLBook(Calcform& f);
void CalcDDB125Book(Calcform& f);
void CalcDDB150Book(Calcform& f);
void CalcDDB200Book(Calcform& f);

}  // namespace czx
