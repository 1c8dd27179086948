#include "engine/run/dispatch.h"

#include "base/trail.h"
#include "engine/formulas/calculators.h"
#include "engine/run/methods.h"
#include "engine/tables/calculators.h"

namespace czx {

bool isFirstCalendarYear(const Calcform& f) {
    return yearOf(*f.asset.yrpis) == yearOf(*f.company.yearEnd);
}

Depreciation calcNonDprn(const Calcform&) {
    procedure("Calcform.CalcNonDprn", [] {});
    return {};
}

Depreciation calcNonDprnBk(const Calcform&) {
    procedure("Calcform.CalcNonDprnBk", [] {});
    return {};
}

namespace {

using method::Method;

// What must hold, besides the method, for a rule of the tax dispatch.
enum class When {
    Always,
    MidQuarterFirstYearPersonal,  // mid-quarter year, first year, a life below 27.5
    MidQuarterFirstYear,          // mid-quarter year, first year
    FirstYear,
    LaterYearInQuarter,  // a later year of a row whose stored quarter code is "1" to "4"
};

struct TaxRule {
    Method method;
    When when;
    Calculator calculator;
    bool clearsQuarter = false;  // "MidQrtAsset" is emptied before the calculator runs
};

// The rules in their order; the first whose method and condition hold
// decides. A method without a rule (or a text that is no method) gets no
// calculator.
constexpr TaxRule kTaxRules[] = {
    {Method::MACRS, When::MidQuarterFirstYearPersonal,
     [](const Calcform& f) { return calcMidQrtMACRS(f, QuarterTables::MACRS); }},
    {Method::MACRS, When::LaterYearInQuarter,
     [](const Calcform& f) {
         return calcQrtMACRS(f, storedQuarter(f.asset.midQrtAsset), QuarterTables::MACRS);
     }},
    {Method::MACRS, When::Always, calcMACRS, true},
    {Method::MACRS150, When::MidQuarterFirstYearPersonal,
     [](const Calcform& f) { return calcMidQrtMACRS(f, QuarterTables::MACRS150); }},
    {Method::MACRS150, When::LaterYearInQuarter,
     [](const Calcform& f) {
         return calcQrtMACRS(f, storedQuarter(f.asset.midQrtAsset), QuarterTables::MACRS150);
     }},
    {Method::MACRS150, When::Always, calcMACRS150, true},
    {Method::SLPersonal, When::MidQuarterFirstYear, calcMidQrtSL},
    {Method::SLPersonal, When::FirstYear, calcSLTax, true},
    {Method::SLPersonal, When::Always, calcSLTax},
    {Method::MACRSAuto, When::Always, calcMACRSAuto},
    {Method::ACRS, When::Always, calcACRS},
    {Method::SLReal, When::Always, calcSLRPTax},
    {Method::SLOld, When::Always, calcSLOldTax},
    {Method::DDB125Old, When::Always,
     [](const Calcform& f) { return calcDDBOldTax(f, DecliningRate::Pct125); }},
    {Method::DDB150Old, When::Always,
     [](const Calcform& f) { return calcDDBOldTax(f, DecliningRate::Pct150); }},
    {Method::DDB200Old, When::Always,
     [](const Calcform& f) { return calcDDBOldTax(f, DecliningRate::Pct200); }},
    {Method::Amortization, When::Always, calcAmort},
    {Method::NonDepreciable, When::Always, calcNonDprn},
};

bool holds(When when, const Calcform& f) {
    switch (when) {
        case When::Always:
            return true;
        case When::MidQuarterFirstYearPersonal: {
            if (!f.midQuarterYear || !isFirstCalendarYear(f)) return false;
            const auto life = lifeNumber(f.asset.lifeTax);
            return life && *life < 27.5;
        }
        case When::MidQuarterFirstYear:
            return f.midQuarterYear && isFirstCalendarYear(f);
        case When::FirstYear:
            return isFirstCalendarYear(f);
        case When::LaterYearInQuarter:
            return !isFirstCalendarYear(f) && storedQuarter(f.asset.midQrtAsset) != 0;
    }
    return false;
}

const TaxRule* chooseTaxRule(const Calcform& f) {
    const Method m = method::methodOf(f.asset.methodTax);
    for (const TaxRule& rule : kTaxRules)
        if (rule.method == m && holds(rule.when, f)) return &rule;
    return nullptr;
}

struct BookRule {
    Method method;
    Calculator calculator;
};

constexpr BookRule kBookRules[] = {
    {Method::SLBook, calcSLBook},
    {Method::DDB125, [](const Calcform& f) { return calcDDBBook(f, DecliningRate::Pct125); }},
    {Method::DDB150, [](const Calcform& f) { return calcDDBBook(f, DecliningRate::Pct150); }},
    {Method::DDB200, [](const Calcform& f) { return calcDDBBook(f, DecliningRate::Pct200); }},
    {Method::Amortization, calcAmortBook},
    {Method::NonDepreciable, calcNonDprnBk},
};

}  // namespace

Depreciation taxDeprnMethSelector(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.TaxDeprnMethSelector", [&] {
        if (const TaxRule* rule = chooseTaxRule(f)) {
            if (rule->clearsQuarter) f.asset.midQrtAsset.clear();
            result = rule->calculator(f);
        }
    });
    return result;
}

Depreciation bookDeprnMethSelector(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.BookDeprnMethSelector", [&] {
        const Method m = method::methodOf(f.asset.methodBook);
        for (const BookRule& rule : kBookRules)
            if (rule.method == m) {
                result = rule.calculator(f);
                break;
            }
    });
    return result;
}

}  // namespace czx
