#include "engine/run/passes.h"

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/dispatch.h"
#include "engine/run/methods.h"
#include "engine/run/proration.h"
#include "engine/run/timing.h"

namespace czx {
namespace {

using money::roundCents;
using money::value;

bool lifeIsOneOf(const std::string& life, std::initializer_list<double> lives) {
    auto number = lifeNumber(life);
    if (!number) return false;
    for (double l : lives)
        if (*number == l) return true;
    return false;
}

// The non-business part of a full amount whose business part is `amount`.
double nonBusinessPart(double amount, double businessUse) {
    return amount / businessUse - amount;
}

// Final-year catch-up: when what is left of the depreciable basis after this
// year's amount is under 0.49, the year takes exactly what is left (never
// less than 0), so accumulated plus current equals the depreciable basis.
double catchUp(double amount, const Money& cost, const Money& salvage, double businessUse,
               const Money& prior) {
    double basis = (value(cost) - value(salvage)) * businessUse;
    if (basis - (value(prior) + amount) < 0.49) {
        double rest = basis - value(prior);
        return rest < 0 ? 0 : rest;
    }
    return amount;
}

bool disposedInEarlierYear(const Calcform& f) {
    return disposalOf(f.company, f.asset) == Disposal::EarlierYear;
}

bool isBookWrittenMethod(const std::string& m) {
    return method::isOneOf(
        m, {method::SLBook, method::DDB125, method::DDB150, method::DDB200, method::Amortization});
}

}  // namespace

Disposal disposalOf(const Company& company, const Asset& asset) {
    const auto& disposed = asset.disposed;
    const Date& yearEnd = *company.yearEnd;
    if (!disposed || *disposed > yearEnd) return Disposal::None;
    if (*disposed <= addYearsClamped(yearEnd, -1)) return Disposal::EarlierYear;
    return Disposal::ThisYear;
}

bool placedAfterYearEnd(const Asset& a, const Date& yearEnd) {
    return (a.placedInService && *a.placedInService > yearEnd) || (a.yrpis && *a.yrpis > yearEnd);
}

void clearQuarterOutsideScheme(Asset& a) {
    if ((a.methodTax == method::MACRS && lifeIsOneOf(a.lifeTax, {27.5, 31.5, 39})) ||
        method::isOneOf(a.methodTax,
                        {method::ACRS, method::SLOld, method::DDB125Old, method::SLPersonal,
                         method::NonDepreciable, method::Amortization}))
        a.midQrtAsset.clear();
}

void writeTaxBasis(Asset& a) {
    a.costLessItc = money::toCurrency(value(a.costTax) - value(a.itcAdjustment));
    if (a.busUseTax)
        a.post30Basis =
            money::toCurrency(*a.costLessItc * *a.busUseTax - value(a.sec179) - value(a.bonus));
    else
        a.post30Basis.reset();
}

void writeLine24eBasis(Asset& a) {
    if (a.busUseTax)
        a.line24eBasis =
            roundCents(value(a.costLessItc) * *a.busUseTax - value(a.sec179) - value(a.bonus));
    else
        a.line24eBasis.reset();
}

void applyTaxRulesInService(const Calcform& f, const Depreciation& year) {
    Asset& a = f.asset;
    double amount = year.amount;
    if (!a.busUseTax) {
        a.currentTax = 0.0;
        return;
    }
    const double use = *a.busUseTax;
    if (isFirstCalendarYear(f)) {
        a.currentTax = roundCents(amount + value(a.sec179) + value(a.bonus));
        if (a.methodTax == method::MACRSAuto)
            a.nonBusDprn = roundCents(year.autoNonBusiness);
        else if (use > 0)
            a.nonBusDprn = roundCents(nonBusinessPart(amount, use));
        return;
    }
    auto life = lifeNumber(a.lifeTax);
    if ((a.methodTax == method::SLOld && life && f.timing.recoveryYear >= *life) ||
        (a.methodTax == method::Amortization && year.remainingLifeMonths <= 12))
        amount = catchUp(amount, a.costTax, a.salvageTax, use, a.priorAccumTax);
    a.currentTax = roundCents(amount);
    a.nonBusDprn = roundCents(use > 0 ? nonBusinessPart(amount, use) : amount);
}

void applyTaxRulesDisposed(const Calcform& f, const Depreciation& year, int disposalMonth) {
    Asset& a = f.asset;
    const double amount = year.amount;
    const std::string& m = a.methodTax;
    const bool quarterEmpty = a.midQrtAsset.empty();

    if (disposedInEarlierYear(f)) {  // rule 1
        a.currentTax = 0.0;
        a.nonBusDprn = 0.0;
    } else if (!a.busUseTax) {  // rule 2
        a.currentTax = 0.0;
    } else if (quarterEmpty &&
               (m == method::MACRSAuto ||
                (m == method::MACRS150 && lifeNumber(a.lifeTax).value_or(1e9) <= 27.5) ||
                (m == method::MACRS && lifeIsOneOf(a.lifeTax, {3, 5, 7, 10, 15, 20})) ||
                m == method::SLPersonal)) {  // rule 3: half-year convention
        const double use = *a.busUseTax;
        a.currentTax = roundCents(amount * 0.5);
        a.nonBusDprn = roundCents(use > 0 ? nonBusinessPart(amount, use) * 0.5 : amount);
    } else if ((m == method::MACRS && lifeIsOneOf(a.lifeTax, {27.5, 31.5, 39})) ||
               (m == method::SLReal && lifeIsOneOf(a.lifeTax, {40}))) {  // rule 4: mid-month
        a.currentTax = roundCents(amount * (disposalMonth - 0.5) / 12);
    } else if (m == method::ACRS && lifeIsOneOf(a.lifeTax, {10})) {  // rule 5
        a.currentTax = 0.0;
    } else if (m == method::ACRS && lifeIsOneOf(a.lifeTax, {15, 18, 19})) {  // rule 6
        a.currentTax = roundCents(amount * (disposalMonth - 0.5) / 12);
    } else if (!quarterEmpty && method::isOneOf(m, {method::SLPersonal, method::MACRS,
                                                    method::MACRSAuto, method::MACRS150})) {
        // Rule 7, mid-quarter convention: the middle of the quarter of
        // disposal. Kept at 4 places, not rounded to cents.
        static constexpr double kQuarterFraction[4] = {0.125, 0.375, 0.625, 0.875};
        int quarter = (disposalMonth - 1) / 3;
        if (quarter < 0 || quarter > 3) quarter = 3;
        a.currentTax = money::toCurrency(amount * kQuarterFraction[quarter]);
    } else if (method::isOneOf(m, {method::SLOld, method::DDB125Old, method::DDB150Old,
                                   method::DDB200Old, method::Amortization})) {  // rule 8
        calcOldDprnProRation(f, amount);
    }
    // Rule 9: anything else keeps the stored amount.
}

void deprAssetsTaxRow(const Company& company, Asset& a, int daysInYear, bool midQuarterYear) {
    clearQuarterOutsideScheme(a);
    const Timing timing = serviceCalc(company, a, daysInYear);
    const Calcform f{company, a, timing, midQuarterYear};
    writeTaxBasis(a);
    if (placedAfterYearEnd(a, *company.yearEnd)) {
        // Not yet in service in this fiscal year: nothing to depreciate.
        if (!a.taxOverride) {
            a.currentTax = 0.0;
            a.nonBusDprn = 0.0;
        }
        writeLine24eBasis(a);
        return;
    }
    // An empty business use gets no depreciation by the rules below, so no
    // calculator runs on the empty basis.
    Depreciation year;
    if (a.busUseTax) year = taxDeprnMethSelector(f);
    // A disposal after the year end has not happened yet in this fiscal year.
    const Disposal disposal = disposalOf(company, a);
    const int disposalMonth = disposal == Disposal::None ? 0 : calcMD(company, a);
    if (!a.taxOverride) {
        if (disposal == Disposal::None)
            applyTaxRulesInService(f, year);
        else
            applyTaxRulesDisposed(f, year, disposalMonth);
    }
    writeLine24eBasis(a);
}

void deprAssetsBkRow(const Company& company, Asset& a, int daysInYear) {
    const Timing timing = serviceCalc(company, a, daysInYear);
    const Calcform f{company, a, timing};
    if (placedAfterYearEnd(a, *company.yearEnd)) {
        if (!a.bookOverride && isBookWrittenMethod(a.methodBook)) a.currentBook = 0.0;
        return;
    }
    Depreciation year;
    if (a.busUseBook) year = bookDeprnMethSelector(f);
    if (a.bookOverride || !isBookWrittenMethod(a.methodBook)) return;
    if (!a.busUseBook) {
        a.currentBook = 0.0;
        return;
    }
    const Disposal disposal = disposalOf(company, a);
    if (disposal == Disposal::None) {
        double amount = year.amount;
        auto life = lifeNumber(a.lifeBook);
        if ((a.methodBook == method::SLBook && life && timing.recoveryYear >= *life) ||
            (a.methodBook == method::Amortization && year.remainingLifeMonths <= 12))
            amount = catchUp(amount, a.costBook, a.salvageBook, *a.busUseBook, a.priorAccumBook);
        a.currentBook = roundCents(amount);
    } else if (disposal == Disposal::EarlierYear) {
        a.currentBook = 0.0;
    } else {
        // The trail shows the disposal month's step before the proration, as
        // in the tax pass.
        calcMD(company, a);
        calcOldDprnProRationBk(f, year.amount);
    }
}

}  // namespace czx
