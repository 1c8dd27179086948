#include "engine/run/dispatch.h"

#include "base/trail.h"
#include "engine/formulas/calculators.h"
#include "engine/run/methods.h"
#include "engine/tables/calculators.h"

namespace czx {

bool isFirstCalendarYear(const Calcform& f) {
    return yearOf(*f.asset.yrpis) == yearOf(*f.company.yearEnd);
}

void CalcNonDprn(Calcform& f) {
    procedure("Calcform.CalcNonDprn", [&] { f.work.CurrentDprnTax = 0; });
}

void CalcNonDprnBk(Calcform& f) {
    procedure("Calcform.CalcNonDprnBk", [&] { f.work.CurrentDprnBook = 0; });
}

namespace {

using Calculator = void (*)(Calcform&);

// Later-year quarter entry points, by stored quarter code "1" to "4".
Calculator quarterEntry(const std::string& code, const Calculator (&entries)[4]) {
    if (code.size() == 1 && code[0] >= '1' && code[0] <= '4') return entries[code[0] - '1'];
    return nullptr;
}

constexpr Calculator kMACRSQuarters[4] = {Calc1stQrtMACRS, Calc2ndQrtMACRS, Calc3rdQrtMACRS,
                                          Calc4thQrtMACRS};
constexpr Calculator kMACRS150Quarters[4] = {Calc1stQrtMACRS150, Calc2ndQrtMACRS150,
                                             Calc3rdQrtMACRS150, Calc4thQrtMACRS150};

// The rules in their order; the first that holds decides.
Calculator chooseTaxCalculator(Calcform& f) {
    const Asset& a = f.asset;
    const std::string& m = a.methodTax;
    const bool first = isFirstCalendarYear(f);
    const bool midQuarter = f.work.MidQrtYear;
    const auto life = lifeNumber(a.lifeTax);
    const bool personalLife = life && *life < 27.5;

    if (m == method::MACRS) {
        if (midQuarter && first && personalLife) return CalcMidQrtMACRS;  // rule 1
        if (!first)
            if (auto entry = quarterEntry(a.midQrtAsset, kMACRSQuarters)) return entry;  // 2 to 5
    }
    if (m == method::MACRS150) {
        if (midQuarter && first && personalLife) return CalcMidQrtMACRS150;  // rule 6
        if (!first)
            if (auto entry = quarterEntry(a.midQrtAsset, kMACRS150Quarters))
                return entry;  // 7 to 10
    }
    if (m == method::SLPersonal && first) {
        if (midQuarter) return CalcMidQrtSL;  // rule 11
        f.asset.midQrtAsset.clear();          // rule 12
        return CalcSLTax;
    }
    if (m == method::MACRS) {  // rule 13
        f.asset.midQrtAsset.clear();
        return CalcMACRS;
    }
    if (m == method::MACRS150) {  // rule 14
        f.asset.midQrtAsset.clear();
        return CalcMACRS150;
    }
    if (m == method::MACRSAuto) return CalcMACRSAuto;     // rule 15
    if (m == method::ACRS) return CalcACRS;               // rule 16
    if (m == method::SLPersonal) return CalcSLTax;        // rule 17
    if (m == method::SLReal) return CalcSLRPTax;          // rule 18
    if (m == method::SLOld) return CalcSLOldTax;          // rule 19
    if (m == method::DDB125Old) return CalcDDB125OldTax;  // rule 20
    if (m == method::DDB150Old) return CalcDDB150OldTax;  // rule 21
    if (m == method::DDB200Old) return CalcDDB200OldTax;  // rule 22
    if (m == method::Amortization) return CalcAmort;      // rule 23
    if (m == method::NonDepreciable) return CalcNonDprn;  // rule 24
    return nullptr;                                       // rule 25
}

}  // namespace

void TaxDeprnMethSelector(Calcform& f) {
    procedure("Calcform.TaxDeprnMethSelector", [&] {
        if (Calculator calculator = chooseTaxCalculator(f)) calculator(f);
    });
}

void BookDeprnMethSelector(Calcform& f) {
    procedure("Calcform.BookDeprnMethSelector", [&] {
        const std::string& m = f.asset.methodBook;
        if (m == method::SLBook)
            CalcSLBook(f);
        else if (m == method::DDB125)
            CalcDDB125Book(f);
        else if (m == method::DDB150)
            CalcDDB150Book(f);
        else if (m == method::DDB200)
            CalcDDB200Book(f);
        else if (m == method::Amortization)
            CalcAmortBook(f);
        else if (m == method::NonDepreciable)
            CalcNonDprnBk(f);
    });
}

}  // namespace czx
