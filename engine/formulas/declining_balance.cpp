// Declining balance at 125 %, 150 % and 200 % of the straight-line rate,
// switching to straight line over the remaining months when that gives more:
// book ("DDB125%", "DDB150%", "DDB200%") and pre-1981 tax ("DDB125%-Old",
// "DDB150%-Old", "DDB200%-Old"). Salvage value plays no part.
#include <cmath>
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
    std::optional<double> businessUse;
    std::string_view life;
    Money priorAccum;
};

// B = cost × business use, P prior accumulated, L life, R rate, m the fiscal
// month placed in service, F = ((12 − m) + month counts) ÷ 12 the first
// year's share. Months left at the start of the year:
//   12 × L − (D − (12 − month counts)),  D = month boundaries from
//   "Date Placed in Service" to the year end.
// Year 1: (B − P) ÷ L × R × F. With more than 12 months left: the larger of
// the declining balance (B − P) × R ÷ L and the straight line over the
// months left (B − P) × 12 ÷ months left. Otherwise the whole remaining
// balance B − P, negative when more than B was taken.
double decliningBalance(const Calcform& f, const SideColumns& side, double rate) {
    const double life = divisorLife(side.life);
    const Timing& t = f.timing;
    const Date& yearEnd = required(f.company.yearEnd);
    const double placedMonthCounts = t.placedMonthCounts();
    const double firstYearShare = ((12 - t.placedFiscalMonth) + placedMonthCounts) / 12;
    const int monthsToYearEnd = monthBoundaries(required(f.asset.placedInService), yearEnd);
    const double monthsLeft = 12 * life - (monthsToYearEnd - (12 - placedMonthCounts));

    const double business = money::value(side.cost) * money::value(side.businessUse);
    const double prior = money::value(side.priorAccum);
    const double balance = business - prior;
    if (t.recoveryYear == 1 && business >= prior) return balance / life * rate * firstYearShare;
    if (monthsLeft > 12 && business >= prior) {
        const double declining = balance * rate / life;
        const double straight = balance * 12 / monthsLeft;
        return declining > straight ? declining : straight;
    }
    return balance;
}

// The rate and the trail names of each variant.
struct Variant {
    double rate;
    const char* tax;
    const char* book;
};
constexpr Variant kVariants[] = {
    {1.25, "Calcform.CalcDDB125OldTax", "Calcform.CalcDDB125Book"},
    {1.5, "Calcform.CalcDDB150OldTax", "Calcform.CalcDDB150Book"},
    {2, "Calcform.CalcDDB200OldTax", "Calcform.CalcDDB200Book"},
};

const Variant& variantOf(DecliningRate rate) {
    return kVariants[static_cast<int>(rate)];
}

}  // namespace

Depreciation calcDDBOldTax(const Calcform& f, DecliningRate rate) {
    const Variant& v = variantOf(rate);
    const Asset& a = f.asset;
    Depreciation result;
    procedure(v.tax, [&] {
        result.amount =
            decliningBalance(f, {a.costTax, a.busUseTax, a.lifeTax, a.priorAccumTax}, v.rate);
    });
    return result;
}

Depreciation calcDDBBook(const Calcform& f, DecliningRate rate) {
    const Variant& v = variantOf(rate);
    const Asset& a = f.asset;
    Depreciation result;
    procedure(v.book, [&] {
        result.amount =
            decliningBalance(f, {a.costBook, a.busUseBook, a.lifeBook, a.priorAccumBook}, v.rate);
    });
    return result;
}

}  // namespace czx
