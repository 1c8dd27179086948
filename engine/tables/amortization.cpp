// Straight-line amortization in equal monthly amounts over a period given in
// months. The first year counts the months from the month placed in service
// to the fiscal year end, that month only when the asset was placed in
// service in its first half; each later year takes twelve months, and the
// last year the months that remain.
#include <cmath>
#include <limits>
#include <string_view>

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/timing.h"
#include "engine/tables/calculators.h"

namespace czx {
namespace {

// The year's amount of `amount` amortized over `lifeText` months. With
//   Life = the period in months,
//   D    = month boundaries from "Date Placed in Service" to "YearEnd",
//   c    = 1 when the month placed in service counts (placed on or before
//          its middle day), else 0,
// the months left at the start of the fiscal year are Life − D + 12 − c, and
//   first year:  amount ÷ Life × (12 − the service month index + c)
//   later years: amount ÷ Life × min(12, months left), nothing once none are left.
// The recovery year here counts calendar years from "Date Placed in Service",
// not from "YRPIS". The first year is not capped at the period.
Depreciation amortizedAmount(const Calcform& f, double amount, std::string_view lifeText) {
    const Date& yearEnd = required(f.company.yearEnd);
    const Date& placed = required(f.asset.placedInService);
    const double life = divisorLife(lifeText);
    const double placedMonthCounts = f.timing.placedMonthCounts();
    const double recoveryYear = recoveryYearFrom(placed, yearEnd);
    const double monthsLeft =
        std::nearbyint(life - monthBoundaries(placed, yearEnd) + 12 - placedMonthCounts);
    if (std::fabs(monthsLeft) > std::numeric_limits<int>::max()) {
        throw Error(errors::kOverflow, "Overflow");
    }
    Depreciation result;
    result.remainingLifeMonths = static_cast<int>(monthsLeft);

    const double perMonth = amount / life;
    const int serviceMonthIndex = f.timing.serviceMonthIndex;
    if (recoveryYear == 1) {
        result.amount = perMonth * (12 - serviceMonthIndex + placedMonthCounts);
    } else if (result.remainingLifeMonths > 12) {
        result.amount = perMonth * 12;
    } else if (result.remainingLifeMonths > 0) {
        result.amount = perMonth * result.remainingLifeMonths;
    }
    return result;
}

}  // namespace

// Tax: the depreciable basis after Section 179 and bonus, which already
// carries the business use.
Depreciation calcAmort(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcAmort", [&] {
        result = amortizedAmount(f, money::value(f.asset.post30Basis), f.asset.lifeTax);
    });
    return result;
}

// Book: the book cost times the book business use; an empty business use
// leaves nothing to amortize.
Depreciation calcAmortBook(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcAmortBook", [&] {
        const double amount = money::value(f.asset.costBook) * f.asset.busUseBook.value_or(0.0);
        result = amortizedAmount(f, amount, f.asset.lifeBook);
    });
    return result;
}

}  // namespace czx
