#pragma once
// Table-driven tax calculators: MACRS percentage tables (half-year, real
// property, mid-quarter), passenger automobiles, ACRS, and amortization.
// Each is a procedure of the calculation form: it enters the error trail
// under "Calcform.<name>", reads the current row and the work area, and
// leaves its result in CurrentDprnTax (CalcAmortBook: CurrentDprnBook).
#include "engine/run/calcform.h"

namespace czx {

// Half-year and real-property tables.
void CalcMACRS(Calcform& f);
void CalcMACRS150(Calcform& f);
// Copies TableDprn into CurrentDprnTax when DeprnBasisKind is "Tax".
void DeprnSeperator(Calcform& f);

// Mid-quarter: first year (finds and stores the quarter) and later years.
void CalcMidQrtMACRS(Calcform& f);
void CalcMidQrtMACRS150(Calcform& f);
void Calc1stQrtMACRS(Calcform& f);
void Calc2ndQrtMACRS(Calcform& f);
void Calc3rdQrtMACRS(Calcform& f);
void Calc4thQrtMACRS(Calcform& f);
void Calc1stQrtMACRS150(Calcform& f);
void Calc2ndQrtMACRS150(Calcform& f);
void Calc3rdQrtMACRS150(Calcform& f);
void Calc4thQrtMACRS150(Calcform& f);

// Passenger automobiles under the yearly limits.
void CalcMACRSAuto(Calcform& f);

// ACRS (1981 to 1986).
void CalcACRS(Calcform& f);

// The tax life selects a rate table of the method: "MACRS" (3 to 20, 27.5,
// 31.5, 39), "MACRS-150%" (3 to 10) and "ACRS" (3, 5, 10, 15, 18, 19) take
// their lives by exact text and give nothing for any other; the other
// methods compute from any life.
bool lifeHasRateTable(std::string_view method, std::string_view life);
bool acrsLifeHasTable(std::string_view life);

// Straight-line amortization, tax and book.
void CalcAmort(Calcform& f);
void CalcAmortBook(Calcform& f);

}  // namespace czx
