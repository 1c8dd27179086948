#pragma once
// Placed-in-service timing: which recovery year the company's fiscal year is
// for the asset, where in its fiscal year it was placed in service, and where
// it was disposed of.
#include <optional>

#include "base/dates.h"
#include "store/records.h"

namespace czx {

// A month counts whole for an asset placed in service (or disposed of) in
// its first half, the middle itself included: 1, else 0.
inline double monthCountsWhole(double fractionOfMonth) {
    return fractionOfMonth <= 0.5 ? 1.0 : 0.0;
}

// The asset's timing in the fiscal year that ends on the company's
// "YearEnd", computed once per row and read by every calculator of the row.
struct Timing {
    int daysInYear = 365;            // from "YearEnd" less one year to "YearEnd" (365 or 366)
    double recoveryYear = 0;         // 1 + calendar-year boundaries from "YRPIS" to "YearEnd"
    int yearPlacedInService = 0;     // calendar year of "YRPIS"
    int placedFiscalMonth = 0;       // 13 - months in service in the first fiscal year
    int serviceMonthIndex = 0;       // 12 * (recoveryYear - 1) + placedFiscalMonth
    double placedMonthFraction = 0;  // day placed / days in the month placed

    // 1 when the month placed in service counts whole, else 0.
    double placedMonthCounts() const { return monthCountsWhole(placedMonthFraction); }
};

// Position (1 to 12) of calendar month `month` in a fiscal year whose last
// month is `yearEndMonth`: 1 is the month after the year-end month, 12 the
// year-end month itself.
int fiscalMonthPosition(int month, int yearEndMonth);

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

// Start of each pass: the days of the fiscal year, from "YearEnd" less one
// year (clamped on February 29) to "YearEnd". Error 94 without a year end.
int daysInFiscalYear(const Company& company);

// The row's timing. The row must hold "YRPIS" and "Date Placed in Service"
// (the passes skip rows without).
Timing serviceCalc(const Company& company, const Asset& asset, int daysInYear);
// Months in service in the first fiscal year, the month placed counted whole.
int monthInServiceFunction(const Company& company, const Asset& asset);
// Position in the fiscal year of the month of "Date Disposed".
int calcMD(const Company& company, const Asset& asset);

}  // namespace czx
