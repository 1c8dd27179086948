#pragma once
// Table-driven tax calculators: MACRS percentage tables (half-year, real
// property, mid-quarter), passenger automobiles, ACRS, and amortization.
// Each is a procedure of the calculation form: it enters the error trail
// under "Calcform.<name>", reads the row and its timing, and returns the
// year's amount.
#include "engine/run/calcform.h"

namespace czx {

// Half-year and real-property tables.
Depreciation calcMACRS(const Calcform& f);
Depreciation calcMACRS150(const Calcform& f);

// The mid-quarter tables of "MACRS" (200 %, 3 to 20 years) or of
// "MACRS-150%" (3 to 10 years).
enum class QuarterTables { MACRS, MACRS150 };
// First year in a mid-quarter year: finds the quarter of placement, stores
// it in "MidQrtAsset" and computes by its table.
Depreciation calcMidQrtMACRS(const Calcform& f, QuarterTables tables);
// Any year of an asset placed in service in quarter `quarter` (1 to 4) of
// a mid-quarter year: that quarter's table.
Depreciation calcQrtMACRS(const Calcform& f, int quarter, QuarterTables tables);

// Passenger automobiles under the yearly limits.
Depreciation calcMACRSAuto(const Calcform& f);

// ACRS (1981 to 1986).
Depreciation calcACRS(const Calcform& f);

// The tax life selects a rate table of the method: "MACRS" (3 to 20, 27.5,
// 31.5, 39), "MACRS-150%" (3 to 10) and "ACRS" (3, 5, 10, 15, 18, 19) take
// their lives by exact text and give nothing for any other; the other
// methods compute from any life.
bool lifeHasRateTable(std::string_view method, std::string_view life);
bool acrsLifeHasTable(std::string_view life);

// Straight-line amortization, tax and book.
Depreciation calcAmort(const Calcform& f);
Depreciation calcAmortBook(const Calcform& f);

}  // namespace czx
