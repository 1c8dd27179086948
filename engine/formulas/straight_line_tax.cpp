// MACRS straight line for personal property ("MACRS SL-PP"), half-year and
// mid-quarter conventions, with the passenger-automobile cap.
#include <optional>
#include <string>
#include <string_view>

#include "base/money.h"
#include "base/trail.h"
#include "engine/formulas/calculators.h"
#include "engine/run/timing.h"
#include "engine/tables/federal_law.h"

namespace czx {
namespace {

// The passenger-automobile cap of a recovery year: years 1, 2 and 3 have
// their own limit, any year from 4 on the last one; straight line never takes
// the bonus-increased first-year limit. Any other recovery year, and a year
// placed in service outside the law's tables, has no limit.
std::optional<double> autoLimit(int yearPlaced, const Date& placed, double recoveryYear,
                                bool truckOrVan) {
    auto limits = law::automobileLimits(yearPlaced, placed, truckOrVan);
    if (!limits) return std::nullopt;
    if (recoveryYear >= 4) return limits->fourthOn;
    if (recoveryYear == 1) return limits->firstWithoutBonus;
    if (recoveryYear == 2) return limits->second;
    if (recoveryYear == 3) return limits->third;
    return std::nullopt;
}

// Share of a full year taken in the year placed in service: half a year, or
// the mid-quarter share of the quarter placed in service. No share for any
// other code.
std::optional<double> firstYearShare(std::string_view quarterCode) {
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
Depreciation calcSLTax(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcSLTax", [&] {
        const Asset& a = f.asset;
        const double basis = money::value(a.post30Basis);
        const double life = divisorLife(a.lifeTax);
        const double yearly = basis / life;
        const double recoveryYear =
            recoveryYearFrom(required(a.placedInService), required(f.company.yearEnd));

        if (recoveryYear == 1) {
            if (auto share = firstYearShare(a.midQrtAsset)) result.amount = yearly * *share;
        } else if (recoveryYear <= life) {
            result.amount = yearly;
        } else {
            const double remaining = basis + money::value(a.sec179) + money::value(a.bonus) -
                                     money::value(a.priorAccumTax);
            result.amount = remaining < yearly ? remaining : 0.0;
        }

        if (!a.passengerAuto) return;
        if (auto limit = autoLimit(f.timing.yearPlacedInService, *a.placedInService, recoveryYear,
                                   a.truckVanBonus)) {
            const double cap = *limit * money::value(a.busUseTax);
            if (result.amount > cap) result.amount = cap;
        }
    });
    return result;
}

Depreciation calcMidQrtSL(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcMidQrtSL", [&] {
        const int yearEndMonth = monthOf(required(f.company.yearEnd));
        const int placedMonth = monthOf(required(f.asset.placedInService));
        f.asset.midQrtAsset = std::to_string(quarterOfPlacement(yearEndMonth, placedMonth));
        result = calcSLTax(f);
    });
    return result;
}

}  // namespace czx
