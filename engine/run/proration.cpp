#include "engine/run/proration.h"

#include <optional>
#include <string_view>

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/methods.h"
#include "engine/run/timing.h"

namespace czx {
namespace {

// The part of the year's amount A that belongs to the months the asset was
// held in its year of disposal. With
//   D = fiscal month of disposal − 1 when disposed in the first half of the
//       month (the middle included): months of the disposal year held,
//   P = fiscal month placed in service − 1 when that month counts: months of
//       the first fiscal year before the asset counts as in service,
//   R the recovery year and L the life:
//   R = 1:            A × (D − P) ÷ (12 − P)   (A covers 12 − P months)
//   1 < R ≤ L:        A × D ÷ 12
//   R = L + 1, D < P: A × D ÷ P                (A covers the P months left over)
//   R = L + 1, D ≥ P: A
// Any other year owes nothing (no amount).
std::optional<double> heldPart(const Calcform& f, double yearAmount, std::string_view lifeText,
                               std::string_view methodText) {
    const Timing& t = f.timing;
    const Date& disposed = *f.asset.disposed;
    const int disposalFiscalMonth = calcMD(f.company, f.asset);
    const int daysInDisposalMonth = daysInMonth(monthOf(disposed), t.daysInYear != 365);
    const double disposalMonthFraction = static_cast<double>(dayOf(disposed)) / daysInDisposalMonth;
    const double disposalMonthExcluded = monthCountsWhole(disposalMonthFraction);
    auto life = lifeNumber(lifeText);
    if (!life) throw Error(errors::kTypeMismatch, "Type mismatch");

    const double held = disposalFiscalMonth - disposalMonthExcluded;
    const double before = t.placedFiscalMonth - t.placedMonthCounts();
    // Amortization counts its recovery years from "Date Placed in Service",
    // the other methods from "YRPIS".
    const double R = methodText == method::Amortization
                         ? recoveryYearFrom(*f.asset.placedInService, *f.company.yearEnd)
                         : t.recoveryYear;
    const double L = *life;
    if (R == 1) {
        // Placed in service too late in the last month to count: the first
        // year covers no month and nothing is owed.
        if (before == 12) return 0.0;
        return yearAmount * (held - before) / (12 - before);
    }
    if (R > 1 && R <= L) return yearAmount * held / 12;
    if (R == L + 1) return held < before ? yearAmount * held / before : yearAmount;
    return std::nullopt;
}

Money roundedHeldPart(const Calcform& f, double yearAmount, std::string_view lifeText,
                      std::string_view methodText) {
    required(f.asset.disposed);
    auto amount = heldPart(f, yearAmount, lifeText, methodText);
    if (!amount) return 0.0;
    return money::roundCents(*amount);
}

}  // namespace

void calcOldDprnProRation(const Calcform& f, double yearAmount) {
    procedure("Calcform.CalcOldDprnProRation", [&] {
        f.asset.currentTax = roundedHeldPart(f, yearAmount, f.asset.lifeTax, f.asset.methodTax);
    });
}

void calcOldDprnProRationBk(const Calcform& f, double yearAmount) {
    procedure("Calcform.CalcOldDprnProRationBk", [&] {
        f.asset.currentBook = roundedHeldPart(f, yearAmount, f.asset.lifeBook, f.asset.methodBook);
    });
}

}  // namespace czx
