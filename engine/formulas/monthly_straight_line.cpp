// Straight line prorated by months, after salvage value and business use:
// book straight line ("SL - Book") and pre-1981 tax straight line ("SL-Old").
#include <optional>
#include <string_view>

#include "base/money.h"
#include "base/trail.h"
#include "engine/formulas/calculators.h"
#include "engine/run/timing.h"

namespace czx {
namespace {

struct SideColumns {
    Money cost;
    Money salvage;
    std::optional<double> businessUse;
    std::string_view life;
    Money priorAccum;
};

enum class AfterLife {
    StubInExtraYearOnly,  // tax: only recovery year L + 1 takes the stub
    StubEveryYear,        // book: every year past L takes the stub or what is left
};

// K cost, S salvage, U business use, L life, m the fiscal month placed in
// service, A = (K − S) × U ÷ L the full yearly amount. The first year takes
// A for the months after m plus m itself when it counts; the stub year
// takes A for the months the first year did not take, or the remaining
// basis when less; in between each year takes A. No amount (nothing
// assigned) in a year the rules do not reach.
std::optional<double> monthlyStraightLine(const Calcform& f, const SideColumns& side,
                                          AfterLife afterLife) {
    const double life = divisorLife(side.life);
    const double businessUse = money::value(side.businessUse);
    const double recoveryYear = f.timing.recoveryYear;
    const double placedMonthCounts = f.timing.placedMonthCounts();
    const double basis = (money::value(side.cost) - money::value(side.salvage)) * businessUse;
    const double prior = money::value(side.priorAccum);

    const double remaining = basis - prior;
    if (!(remaining > 0 && businessUse > 0)) return 0.0;

    const double yearly = basis / life;
    const double m = f.timing.placedFiscalMonth;
    if (recoveryYear == 1) return yearly * ((12 - m) + placedMonthCounts) / 12;
    if (recoveryYear <= life) return yearly;
    const bool stubYear = afterLife == AfterLife::StubEveryYear || recoveryYear == life + 1;
    if (!stubYear) return std::nullopt;
    const double stub = yearly * (m - placedMonthCounts) / 12;
    return remaining < stub ? remaining : stub;
}

}  // namespace

Depreciation calcSLOldTax(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcSLOldTax", [&] {
        const Asset& a = f.asset;
        const SideColumns tax{a.costTax, a.salvageTax, a.busUseTax, a.lifeTax, a.priorAccumTax};
        if (auto amount = monthlyStraightLine(f, tax, AfterLife::StubInExtraYearOnly))
            result.amount = *amount;
    });
    return result;
}

Depreciation calcSLBook(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcSLBook", [&] {
        const Asset& a = f.asset;
        const SideColumns book{a.costBook, a.salvageBook, a.busUseBook, a.lifeBook,
                               a.priorAccumBook};
        if (auto amount = monthlyStraightLine(f, book, AfterLife::StubEveryYear))
            result.amount = *amount;
    });
    return result;
}

}  // namespace czx
