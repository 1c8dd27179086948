#pragma once
// What every calculator works on and what it gives back. A calculator reads
// the company row, the current asset row and the asset's timing for the
// year, may write the row columns its rules name (the stored quarter code,
// the adjusted basis of a passenger automobile), and returns the year's
// amount. Nothing passes from one calculator to the next but the row.
#include <optional>
#include <string_view>

#include "engine/run/timing.h"
#include "store/records.h"

namespace czx {

struct Calcform {
    const Company& company;
    Asset& asset;
    const Timing& timing;
    // The tax year's mid-quarter outcome, found by the run before the tax pass.
    bool midQuarterYear = false;
};

// A calculator's result for the year. A calculator that fails, or whose
// rules give the year nothing, leaves the amount at 0.
struct Depreciation {
    double amount = 0;            // before the pass's first-year, disposal and business-use rules
    double autoNonBusiness = 0;   // "MACRS-Auto", first year: the non-business share
    int remainingLifeMonths = 0;  // amortization: months of life left at the start of the year
};

using Calculator = Depreciation (*)(const Calcform&);

// Lives are stored as text ("5", "27.5"). The dispatch compares them as
// numbers; the calculators' class selection compares the exact text, so
// "5.0" selects no table. An empty or non-numeric life has no number.
std::optional<double> lifeNumber(std::string_view life);

// A life used as a divisor: empty or zero is a failure of the calculator
// (error 11, "Division by zero"), text that is no number error 13 ("Type
// mismatch"); never an infinity in a column.
double divisorLife(std::string_view life);

// Quarter (1 to 4) of the fiscal year ending in month `yearEndMonth` in
// which calendar month `placedMonth` falls; quarter 4 ends with the
// year-end month itself. Shared by every mid-quarter calculator.
int quarterOfPlacement(int yearEndMonth, int placedMonth);

// The stored quarter code "1" to "4" as a number; 0 for any other text.
int storedQuarter(std::string_view code);

}  // namespace czx
