#include "engine/run/timing.h"

#include "base/trail.h"

namespace czx {

int fiscalMonthPosition(int month, int yearEndMonth) {
    return month > yearEndMonth ? month - yearEndMonth : month + 12 - yearEndMonth;
}

const Date& required(const std::optional<Date>& date) {
    if (!date) throw Error(errors::kInvalidUseOfNull, "Invalid use of Null");
    return *date;
}

int daysInFiscalYear(const Company& company) {
    if (!company.yearEnd) throw Error(errors::kInvalidUseOfNull, "Invalid use of Null");
    return daysBetween(addYearsClamped(*company.yearEnd, -1), *company.yearEnd);
}

int monthInServiceFunction(const Company& company, const Asset& asset) {
    const int M = monthOf(*company.yearEnd);
    const int m = monthOf(*asset.placedInService);
    return m <= M ? M - m + 1 : M - m + 13;
}

Timing serviceCalc(const Company& company, const Asset& asset, int daysInYear) {
    trail::enter("Calcform.ServiceCalc");
    const Date& yearEnd = *company.yearEnd;
    const Date& placed = *asset.placedInService;
    Timing t;
    t.daysInYear = daysInYear;
    t.recoveryYear = yearOf(yearEnd) - yearOf(*asset.yrpis) + 1;
    t.yearPlacedInService = yearOf(*asset.yrpis);
    t.placedFiscalMonth = 13 - monthInServiceFunction(company, asset);
    // February's length follows the current fiscal year's length, not the
    // year of the placement date.
    const int daysInPlacedMonth = daysInMonth(monthOf(placed), daysInYear != 365);
    t.placedMonthFraction = static_cast<double>(dayOf(placed)) / daysInPlacedMonth;
    t.serviceMonthIndex = static_cast<int>(12 * (t.recoveryYear - 1)) + t.placedFiscalMonth;
    return t;
}

int calcMD(const Company& company, const Asset& asset) {
    trail::enter("Calcform.CalcMD");
    return fiscalMonthPosition(monthOf(*asset.disposed), monthOf(*company.yearEnd));
}

}  // namespace czx
