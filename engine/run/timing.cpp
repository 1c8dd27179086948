#include "engine/run/timing.h"

#include "base/trail.h"

namespace czx {

int FiscalMonthPosition(int month, int yearEndMonth) {
    return month > yearEndMonth ? month - yearEndMonth : month + 12 - yearEndMonth;
}

const Date& required(const std::optional<Date>& date) {
    if (!date) throw Error(errors::kInvalidUseOfNull, "Invalid use of Null");
    return *date;
}

void StartPass(const Company& company, WorkArea& work) {
    if (!company.yearEnd) throw Error(errors::kInvalidUseOfNull, "Invalid use of Null");
    work.PriorYearEnd = addYearsClamped(*company.yearEnd, -1);
    work.DaysInYear = daysBetween(work.PriorYearEnd, *company.yearEnd);
}

int MonthInServiceFuction(Calcform& f) {
    const int M = monthOf(*f.company.yearEnd);
    const int m = monthOf(*f.asset.placedInService);
    f.work.FirstYearMonths = m <= M ? M - m + 1 : M - m + 13;
    return f.work.FirstYearMonths;
}

void ServiceCalc(Calcform& f) {
    trail::enter("Calcform.ServiceCalc");
    WorkArea& w = f.work;
    const Date& yearEnd = *f.company.yearEnd;
    const Date& placed = *f.asset.placedInService;
    w.RecoveryYear = yearOf(yearEnd) - yearOf(*f.asset.yrpis) + 1;
    w.YearPlacedInService = yearOf(*f.asset.yrpis);
    MonthInServiceFuction(f);
    w.FiscalMonthOffset = 12 - monthOf(yearEnd);
    w.PlacedFiscalMonth = 13 - w.FirstYearMonths;
    w.PlacedMonth = monthOf(placed);
    // February's length follows the current fiscal year's length, not the
    // year of the placement date.
    w.DaysInPlacedMonth = daysInMonth(monthOf(placed), w.DaysInYear != 365);
    w.PlacedMonthFraction = static_cast<double>(dayOf(placed)) / w.DaysInPlacedMonth;
    w.ServiceMonthIndex = static_cast<int>(12 * (w.RecoveryYear - 1)) + w.PlacedFiscalMonth;
}

void CalcMD(Calcform& f) {
    trail::enter("Calcform.CalcMD");
    f.work.DisposalFiscalMonth =
        FiscalMonthPosition(monthOf(*f.asset.disposed), monthOf(*f.company.yearEnd));
}

}  // namespace czx
