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
double decliningBalance(Calcform& f, const SideColumns& side, double rate) {
    WorkArea& w = f.work;
    const double life = divisorLife(side.life);
    const Date& yearEnd = required(f.company.yearEnd);
    w.RecoveryYear = recoveryYearFrom(required(f.asset.yrpis), yearEnd);
    w.PlacedMonthCounts = monthCountsWhole(w.PlacedMonthFraction);
    const double firstYearShare = ((12 - w.PlacedFiscalMonth) + w.PlacedMonthCounts) / 12;
    const int monthsToYearEnd = monthBoundaries(required(f.asset.placedInService), yearEnd);
    const double monthsLeft = 12 * life - (monthsToYearEnd - (12 - w.PlacedMonthCounts));
    w.RemainingLifeMonths = static_cast<int>(std::lround(monthsLeft));

    const double business = money::value(side.cost) * money::value(side.businessUse);
    const double prior = money::value(side.priorAccum);
    const double balance = business - prior;
    if (w.RecoveryYear == 1 && business >= prior) return balance / life * rate * firstYearShare;
    if (monthsLeft > 12 && business >= prior) {
        const double declining = balance * rate / life;
        const double straight = balance * 12 / monthsLeft;
        return declining > straight ? declining : straight;
    }
    return balance;
}

SideColumns taxColumns(const Asset& a) {
    return {a.costTax, a.busUseTax, a.lifeTax, a.priorAccumTax};
}
SideColumns bookColumns(const Asset& a) {
    return {a.costBook, a.busUseBook, a.lifeBook, a.priorAccumBook};
}

}  // namespace

void CalcDDB125OldTax(Calcform& f) {
    procedure("Calcform.CalcDDB125OldTax",
              [&] { f.work.CurrentDprnTax = decliningBalance(f, taxColumns(f.asset), 1.25); });
}
void CalcDDB150OldTax(Calcform& f) {
    procedure("Calcform.CalcDDB150OldTax",
              [&] { f.work.CurrentDprnTax = decliningBalance(f, taxColumns(f.asset), 1.5); });
}
void CalcDDB200OldTax(Calcform& f) {
    procedure("Calcform.CalcDDB200OldTax",
              [&] { f.work.CurrentDprnTax = decliningBalance(f, taxColumns(f.asset), 2); });
}
void CalcDDB125Book(Calcform& f) {
    procedure("Calcform.CalcDDB125Book",
              [&] { f.work.CurrentDprnBook = decliningBalance(f, bookColumns(f.asset), 1.25); });
}
void CalcDDB150Book(Calcform& f) {
    procedure("Calcform.CalcDDB150Book",
              [&] { f.work.CurrentDprnBook = decliningBalance(f, bookColumns(f.asset), 1.5); });
}
void CalcDDB200Book(Calcform& f) {
    procedure("Calcform.CalcDDB200Book",
              [&] { f.work.CurrentDprnBook = decliningBalance(f, bookColumns(f.asset), 2); });
}

}  // namespace czx
