#pragma once
// One row of each pass, as named steps that can be tested alone.
#include "engine/run/calcform.h"

namespace czx {

// Where a row's "Date Disposed" lies against the fiscal year that ends on
// the company's "YearEnd": none (or after the year end: not happened yet,
// the asset is in service this year), in this fiscal year (after the prior
// year end, up to the year end), or in an earlier fiscal year.
enum class Disposal { None, ThisYear, EarlierYear };
Disposal disposalOf(const Company& company, const Asset& asset);

// Placed in service ("Date Placed in Service" or "YRPIS") after the fiscal
// year end: the row gets no depreciation this year.
bool placedAfterYearEnd(const Asset& asset, const Date& yearEnd);

// Clears "MidQrtAsset" for rows outside the mid-quarter scheme: "MACRS" real
// property (27.5, 31.5, 39) and the methods that never take a quarter code.
void clearQuarterOutsideScheme(Asset& asset);

// "Cost Less ITC Adj" and "Post30%DeductionBasis", rounded to 4 places; the
// basis is empty when the business use is.
void writeTaxBasis(Asset& asset);

// The tax rules applied to the calculator's result: first-year additions,
// the final-year catch-up, the disposal-year conventions and the
// business-use split.
void applyTaxRulesInService(const Calcform& f, const Depreciation& year);
// `disposalMonth` is the fiscal month of the disposal (calcMD).
void applyTaxRulesDisposed(const Calcform& f, const Depreciation& year, int disposalMonth);
// "Line24eBasis": business-use basis after Section 179 and bonus, in cents.
void writeLine24eBasis(Asset& asset);

// One row of the tax pass (steps 2 to 10); one row of the book pass. Each
// computes the row's timing itself; `daysInYear` is the pass's
// (daysInFiscalYear), `midQuarterYear` the year's mid-quarter outcome.
void deprAssetsTaxRow(const Company& company, Asset& asset, int daysInYear, bool midQuarterYear);
void deprAssetsBkRow(const Company& company, Asset& asset, int daysInYear);

// The row holds the two dates the timing needs.
inline bool hasServiceDates(const Asset& a) {
    return a.yrpis && a.placedInService;
}

}  // namespace czx
