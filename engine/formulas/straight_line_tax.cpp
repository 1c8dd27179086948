// MACRS straight line for personal property ("MACRS SL-PP"), half-year and
// mid-quarter conventions, with the passenger-automobile cap.
#include <array>
#include <optional>
#include <string>

#include "base/money.h"
#include "base/trail.h"
#include "engine/formulas/calculators.h"
#include "engine/run/timing.h"

namespace czx {
namespace {

using YearlyLimits = std::array<double, 4>;  // recovery years 1, 2, 3, and 4 on

// Published yearly depreciation limits of passenger automobiles WITHOUT the
// first-year bonus amount: straight line never takes the bonus-increased
// first-year limit. Trucks and vans have limits of their own from 2003.
struct StraightLineAutoLimits {
    int yearPlaced;
    YearlyLimits car;
    std::optional<YearlyLimits> truck;
};

constexpr StraightLineAutoLimits kAutoLimits[] = {
    {1995, {3060, 4900, 2950, 1775}, std::nullopt},
    {1996, {3060, 4900, 2950, 1775}, std::nullopt},
    {1997, {3160, 5000, 3050, 1775}, std::nullopt},
    {1998, {3160, 5000, 2950, 1775}, std::nullopt},
    {1999, {3060, 5000, 2950, 1775}, std::nullopt},
    {2000, {3060, 4900, 2950, 1775}, std::nullopt},
    {2001, {3060, 4900, 2950, 1775}, std::nullopt},
    {2002, {3060, 4900, 2950, 1775}, std::nullopt},
    {2003, {3060, 4900, 2950, 1775}, YearlyLimits{3360, 5400, 3250, 1975}},
    {2004, {2960, 4800, 2850, 1675}, YearlyLimits{3260, 5300, 3150, 1875}},
    {2005, {2960, 4700, 2850, 1675}, YearlyLimits{3260, 5200, 3150, 1875}},
    {2006, {2960, 4800, 2850, 1775}, YearlyLimits{3260, 5200, 3150, 1875}},
    {2007, {3060, 4900, 2850, 1775}, YearlyLimits{3260, 5200, 3050, 1875}},
    {2008, {2960, 4800, 2850, 1775}, YearlyLimits{3160, 5100, 3050, 1875}},
    {2009, {2960, 4800, 2850, 1775}, YearlyLimits{3060, 4900, 2950, 1775}},
    {2010, {3060, 4900, 2950, 1775}, YearlyLimits{3160, 5100, 3050, 1875}},
    {2011, {3060, 4900, 2950, 1775}, YearlyLimits{3260, 5200, 3150, 1875}},
    {2012, {3160, 5100, 3050, 1875}, YearlyLimits{3360, 5300, 3150, 1875}},
};

// Years 1, 2 and 3 have their own limit, any year from 4 on the last one;
// any other recovery year, and a year placed in service outside the table,
// has no limit. Up to 2002 a truck or van takes the car limits.
std::optional<double> autoLimit(int yearPlaced, double recoveryYear, bool truckOrVan) {
    int column;
    if (recoveryYear >= 4)
        column = 3;
    else if (recoveryYear == 1 || recoveryYear == 2 || recoveryYear == 3)
        column = static_cast<int>(recoveryYear) - 1;
    else
        return std::nullopt;
    for (const auto& row : kAutoLimits) {
        if (row.yearPlaced != yearPlaced) continue;
        const YearlyLimits& limits = truckOrVan && row.truck ? *row.truck : row.car;
        return limits[column];
    }
    return std::nullopt;
}

// Share of a full year taken in the year placed in service: half a year, or
// the mid-quarter share of the quarter placed in service. No share for any
// other code.
std::optional<double> firstYearShare(const std::string& quarterCode) {
    if (quarterCode.empty()) return 0.5;
    if (quarterCode == "1") return 0.875;
    if (quarterCode == "2") return 0.625;
    if (quarterCode == "3") return 0.375;
    if (quarterCode == "4") return 0.125;
    return std::nullopt;
}

}  // namespace

// B = "Post30%DeductionBasis", L = the tax life. Year 1 takes B / L times
// the convention's share, the years up to L take B / L, and a later year
// takes what is left of the business cost (B + Section 179 + bonus − prior
// accumulated) when that is less than B / L, otherwise nothing. The recovery
// year counts from "Date Placed in Service".
void CalcSLTax(Calcform& f) {
    procedure("Calcform.CalcSLTax", [&] {
        WorkArea& w = f.work;
        const Asset& a = f.asset;
        const double basis = money::value(a.post30Basis);
        const double life = divisorLife(a.lifeTax);
        const double yearly = basis / life;
        w.RecoveryYear = recoveryYearFrom(required(a.placedInService), required(f.company.yearEnd));
        w.DeprnLife = life;

        if (w.RecoveryYear == 1) {
            if (auto share = firstYearShare(a.midQrtAsset)) w.CurrentDprnTax = yearly * *share;
        } else if (w.RecoveryYear <= life) {
            w.CurrentDprnTax = yearly;
        } else {
            w.DeprnBasis = basis;
            w.PriorAccumDprn = money::value(a.priorAccumTax);
            const double remaining =
                w.DeprnBasis + money::value(a.sec179) + money::value(a.bonus) - w.PriorAccumDprn;
            w.CurrentDprnTax = remaining < yearly ? remaining : 0.0;
        }

        if (!a.passengerAuto) return;
        if (auto limit = autoLimit(w.YearPlacedInService, w.RecoveryYear, a.truckVanBonus)) {
            const double cap = *limit * money::value(a.busUseTax);
            if (w.CurrentDprnTax > cap) w.CurrentDprnTax = cap;
        }
    });
}

void CalcMidQrtSL(Calcform& f) {
    procedure("Calcform.CalcMidQrtSL", [&] {
        WorkArea& w = f.work;
        const int yearEndMonth = monthOf(required(f.company.yearEnd));
        const int placedMonth = monthOf(required(f.asset.placedInService));
        w.YearEndMonth = yearEndMonth;
        w.PlacedMonth = placedMonth;
        f.asset.midQrtAsset = std::to_string(QuarterOfPlacement(yearEndMonth, placedMonth));
        CalcSLTax(f);
    });
}

}  // namespace czx
