// MACRS under the mid-quarter convention. In the first year the quarter of
// the fiscal year in which the asset was placed in service is found and kept
// in "MidQrtAsset"; every year, that quarter's table gives the rate for the
// recovery year, so the asset keeps its quarter table for its whole recovery
// period even in later years that are not mid-quarter years.
#include <string>

#include "base/trail.h"
#include "engine/run/timing.h"
#include "engine/tables/calculators.h"
#include "engine/tables/midquarter_tables.h"
#include "engine/tables/rates.h"

namespace czx {
namespace {

using tables::TableClass;

// One quarter's entry point: its trail names and the classes its class
// selection matches against the life text, in this order.
struct QuarterRoute {
    const char* entry;
    const char* classSelect;
    std::span<const TableClass> classes;
};

// clang-format off
constexpr TableClass k1stQrt[] = {
    {"3", nullptr, "Calcform.MACRS3_1stQrt", tables::MACRS3_1stQrt, {}},
    {"5", nullptr, "Calcform.MACRS5_1stQrt", tables::MACRS5_1stQrt, {}},
    {"7", nullptr, "Calcform.MACRS7_1stQrt", tables::MACRS7_1stQrt, {}},
    {"10", nullptr, "Calcform.MACRS10_1stQrt", tables::MACRS10_1stQrt, {}},
    {"15", nullptr, "Calcform.MACRS15_1stQrt", tables::MACRS15_1stQrt, {}},
    {"20", nullptr, "Calcform.MACRS20_1stQrt", tables::MACRS20_1stQrt, {}},
};
constexpr TableClass k2ndQrt[] = {
    {"3", nullptr, "Calcform.MACRS3_2ndQrt", tables::MACRS3_2ndQrt, {}},
    {"5", nullptr, "Calcform.MACRS5_2ndQrt", tables::MACRS5_2ndQrt, {}},
    {"7", nullptr, "Calcform.MACRS7_2ndQrt", tables::MACRS7_2ndQrt, {}},
    {"10", nullptr, "Calcform.MACRS10_2ndQrt", tables::MACRS10_2ndQrt, {}},
    {"15", nullptr, "Calcform.MACRS15_2ndQrt", tables::MACRS15_2ndQrt, {}},
    {"20", nullptr, "Calcform.MACRS20_2ndQrt", tables::MACRS20_2ndQrt, {}},
};
constexpr TableClass k3rdQrt[] = {
    {"3", nullptr, "Calcform.MACRS3_3rdQrt", tables::MACRS3_3rdQrt, {}},
    {"5", nullptr, "Calcform.MACRS5_3rdQrt", tables::MACRS5_3rdQrt, {}},
    {"7", nullptr, "Calcform.MACRS7_3rdQrt", tables::MACRS7_3rdQrt, {}},
    {"10", nullptr, "Calcform.MACRS10_3rdQrt", tables::MACRS10_3rdQrt, {}},
    {"15", nullptr, "Calcform.MACRS15_3rdQrt", tables::MACRS15_3rdQrt, {}},
    {"20", nullptr, "Calcform.MACRS20_3rdQrt", tables::MACRS20_3rdQrt, {}},
};
constexpr TableClass k4thQrt[] = {
    {"3", nullptr, "Calcform.MACRS3_4thQrt", tables::MACRS3_4thQrt, {}},
    {"5", nullptr, "Calcform.MACRS5_4thQrt", tables::MACRS5_4thQrt, {}},
    {"7", nullptr, "Calcform.MACRS7_4thQrt", tables::MACRS7_4thQrt, {}},
    {"10", nullptr, "Calcform.MACRS10_4thQrt", tables::MACRS10_4thQrt, {}},
    {"15", nullptr, "Calcform.MACRS15_4thQrt", tables::MACRS15_4thQrt, {}},
    {"20", nullptr, "Calcform.MACRS20_4thQrt", tables::MACRS20_4thQrt, {}},
};

constexpr TableClass k1stQrt150[] = {
    {"3", nullptr, "Calcform.MACRS3_1stQrt150", tables::MACRS3_1stQrt150, {}},
    {"5", nullptr, "Calcform.MACRS5_1stQrt150", tables::MACRS5_1stQrt150, {}},
    {"7", nullptr, "Calcform.MACRS7_1stQrt150", tables::MACRS7_1stQrt150, {}},
    {"10", nullptr, "Calcform.MACRS10_1stQrt150", tables::MACRS10_1stQrt150, {}},
};
constexpr TableClass k2ndQrt150[] = {
    {"3", nullptr, "Calcform.MACRS3_2ndQrt150", tables::MACRS3_2ndQrt150, {}},
    {"5", nullptr, "Calcform.MACRS5_2ndQrt150", tables::MACRS5_2ndQrt150, {}},
    {"7", nullptr, "Calcform.MACRS7_2ndQrt150", tables::MACRS7_2ndQrt150, {}},
    {"10", nullptr, "Calcform.MACRS10_2ndQrt150", tables::MACRS10_2ndQrt150, {}},
};
constexpr TableClass k3rdQrt150[] = {
    {"3", nullptr, "Calcform.MACRS3_3rdQrt150", tables::MACRS3_3rdQrt150, {}},
    {"5", nullptr, "Calcform.MACRS5_3rdQrt150", tables::MACRS5_3rdQrt150, {}},
    {"7", nullptr, "Calcform.MACRS7_3rdQrt150", tables::MACRS7_3rdQrt150, {}},
    {"10", nullptr, "Calcform.MACRS10_3rdQrt150", tables::MACRS10_3rdQrt150, {}},
};
constexpr TableClass k4thQrt150[] = {
    {"3", nullptr, "Calcform.MACRS3_4thQrt150", tables::MACRS3_4thQrt150, {}},
    {"5", nullptr, "Calcform.MACRS5_4thQrt150", tables::MACRS5_4thQrt150, {}},
    {"7", nullptr, "Calcform.MACRS7_4thQrt150", tables::MACRS7_4thQrt150, {}},
    {"10", nullptr, "Calcform.MACRS10_4thQrt150", tables::MACRS10_4thQrt150, {}},
};

// One family's entry points: the first-year calculator's trail name and its
// quarters, indexed by quarter − 1.
struct QuarterFamily {
    const char* firstYear;
    QuarterRoute quarters[4];
};

constexpr QuarterFamily kMACRSFamily{
    "Calcform.CalcMidQrtMACRS",
    {{"Calcform.Calc1stQrtMACRS", "Calcform.ClassLifeSelect1stQrt", k1stQrt},
     {"Calcform.Calc2ndQrtMACRS", "Calcform.ClassLifeSelect2ndQrt", k2ndQrt},
     {"Calcform.Calc3rdQrtMACRS", "Calcform.ClassLifeSelect3rdQrt", k3rdQrt},
     {"Calcform.Calc4thQrtMACRS", "Calcform.ClassLifeSelect4thQrt", k4thQrt}},
};
constexpr QuarterFamily kMACRS150Family{
    "Calcform.CalcMidQrtMACRS150",
    {{"Calcform.Calc1stQrtMACRS150", "Calcform.ClassLifeSelect1stQrt150", k1stQrt150},
     {"Calcform.Calc2ndQrtMACRS150", "Calcform.ClassLifeSelect2ndQrt150", k2ndQrt150},
     {"Calcform.Calc3rdQrtMACRS150", "Calcform.ClassLifeSelect3rdQrt150", k3rdQrt150},
     {"Calcform.Calc4thQrtMACRS150", "Calcform.ClassLifeSelect4thQrt150", k4thQrt150}},
};
// clang-format on

const QuarterFamily& familyOf(QuarterTables tables) {
    return tables == QuarterTables::MACRS150 ? kMACRS150Family : kMACRSFamily;
}

// A quarter's entry point: load the basis and apply the table of the class
// the life text selects; a life outside the quarter's classes gets no
// depreciation.
double quarterEntry(const Calcform& f, const QuarterRoute& route) {
    double amount = 0;
    procedure(route.entry, [&] {
        const double basis = tables::taxBasis(f.asset);
        procedure(route.classSelect, [&] {
            if (const TableClass* cls = tables::findClass(route.classes, f.asset.lifeTax))
                amount = tables::tableWorks(f, *cls, basis);
        });
    });
    return amount;
}

}  // namespace

// First year in a mid-quarter year: record the quarter of placement in the
// row, where the dispatch finds it in later years, then compute by it.
Depreciation calcMidQrtMACRS(const Calcform& f, QuarterTables tables) {
    const QuarterFamily& family = familyOf(tables);
    Depreciation result;
    procedure(family.firstYear, [&] {
        const int quarter = quarterOfPlacement(monthOf(required(f.company.yearEnd)),
                                               monthOf(required(f.asset.placedInService)));
        f.asset.midQrtAsset = std::to_string(quarter);
        result.amount = quarterEntry(f, family.quarters[quarter - 1]);
    });
    return result;
}

Depreciation calcQrtMACRS(const Calcform& f, int quarter, QuarterTables tables) {
    return {.amount = quarterEntry(f, familyOf(tables).quarters[quarter - 1])};
}

}  // namespace czx
