#pragma once
// The depreciation work area: the fields through which the run and every
// calculator exchange inputs and results for the asset being processed.
// The run and the calculators overwrite them asset by asset; nothing depends
// on their values between runs. Amounts are doubles: single precision loses
// cents on assets above about $130,000.
#include <string>

#include "base/dates.h"

namespace czx {

struct WorkArea {
    // Set at the start of each pass from the company's "YearEnd".
    Date PriorYearEnd{};   // "YearEnd" less one year
    int DaysInYear = 365;  // days from PriorYearEnd to "YearEnd" (365 or 366)

    // Timing of the current asset (ServiceCalc, CalcMD).
    double RecoveryYear = 0;      // 1 + calendar-year boundaries from "YRPIS" to "YearEnd"
    int YearPlacedInService = 0;  // calendar year of "YRPIS"
    int FirstYearMonths = 0;      // months in service in the first fiscal year, 1 to 12
    int PlacedFiscalMonth = 0;    // 13 - FirstYearMonths
    int ServiceMonthIndex = 0;    // 12 * (RecoveryYear - 1) + PlacedFiscalMonth
    int FiscalMonthOffset = 0;    // 12 - month of "YearEnd"
    double PlacedMonth = 0;       // calendar month of "Date Placed in Service"
    int DaysInPlacedMonth = 0;
    double PlacedMonthFraction = 0;  // day placed / DaysInPlacedMonth
    int DisposalFiscalMonth = 0;     // position in the fiscal year of the disposal month

    // Mid-quarter convention (MidQrtCheck).
    bool MidQrtYear = false;       // the mid-quarter convention applies this tax year
    bool MidQrtStatusKept = true;  // the stored company flag already matched
    double MidQrtTotalBasis = 0;
    double MidQrtLastQtrBasis = 0;
    double LastQuarterStart = 0;
    double YearEndMonth = 0;

    // Results of the calculators.
    double CurrentDprnTax = 0;
    double CurrentDprnBook = 0;
    double AutoNonBusDprn = 0;  // non-business share of a passenger automobile's amount

    // Hand-over of the table calculators: DeprnSeperator copies TableDprn into
    // CurrentDprnTax when DeprnBasisKind is "Tax".
    std::string DeprnBasisKind;
    double TableBasis = 0;
    double TableDprn = 0;
    std::string QuarterClassLife;  // life text kept between a quarter entry point and its table

    // Inputs read and set inside the formula calculators.
    double DeprnLife = 0;
    double DeprnBasis = 0;
    double PriorAccumDprn = 0;
    double PlacedMonthCounts = 0;  // 1 when the month placed in service counts whole
    int RemainingLifeMonths = 0;   // months of life left at the start of the fiscal year

    // Sums of the limit checks.
    double Sec179Total = 0;
    double BonusTotal = 0;

    double DprnAmount = 0;  // scratch through which each rounded write passes
    bool RunInProgress = false;
};

}  // namespace czx
