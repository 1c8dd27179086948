#pragma once
// Placed-in-service timing: which recovery year the company's fiscal year is
// for the asset, where in its fiscal year it was placed in service, and where
// it was disposed of.
#include "engine/run/calcform.h"

namespace czx {

// Position (1 to 12) of calendar month `month` in a fiscal year whose last
// month is `yearEndMonth`: 1 is the month after the year-end month, 12 the
// year-end month itself.
int FiscalMonthPosition(int month, int yearEndMonth);

// A date column that a calculation cannot do without (error 94 when empty).
const Date& required(const std::optional<Date>& date);

// 1 + the calendar-year boundaries from `from` to the fiscal year end: 1 is
// the fiscal year placed in service.
inline double recoveryYearFrom(const Date& from, const Date& yearEnd) {
    return yearOf(yearEnd) - yearOf(from) + 1;
}

// Month boundaries from `from` to `to` (a month-granular date difference).
inline int monthBoundaries(const Date& from, const Date& to) {
    return (yearOf(to) - yearOf(from)) * 12 + monthOf(to) - monthOf(from);
}

// A month counts whole for an asset placed in service (or disposed of) in
// its first half, the middle itself included: 1, else 0.
inline double monthCountsWhole(double fractionOfMonth) {
    return fractionOfMonth <= 0.5 ? 1.0 : 0.0;
}

// Start of each pass: PriorYearEnd and DaysInYear from the company's "YearEnd".
void StartPass(const Company& company, WorkArea& work);

// Fills the timing fields of the work area for the current row. The row must
// hold "YRPIS" and "Date Placed in Service" (the passes skip rows without).
void ServiceCalc(Calcform& f);
// Months in service in the first fiscal year, the month placed counted whole.
int MonthInServiceFuction(Calcform& f);
// DisposalFiscalMonth from "Date Disposed".
void CalcMD(Calcform& f);

}  // namespace czx
