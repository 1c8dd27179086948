// MACRS by the percentage tables, half-year convention for personal property
// and mid-month convention for real property: the year's amount is the
// depreciable basis times the class's rate for the recovery year (personal
// property) or for the service month index (real property).
#include "base/trail.h"
#include "engine/run/methods.h"
#include "engine/tables/calculators.h"
#include "engine/tables/macrs_tables.h"

namespace czx {
namespace {

using tables::TableClass;

// The class is chosen by the exact life text, in this order; any other life
// gets no depreciation.
constexpr TableClass kMACRSClasses[] = {
    {"3", "Calcform.MACRS3", "Calcform.MACRS3WORKS", tables::MACRS3, {}},
    {"5", "Calcform.MACRS5", "Calcform.MACRS5WORKS", tables::MACRS5, {}},
    {"7", "Calcform.MACRS7", "Calcform.MACRS7WORKS", tables::MACRS7, {}},
    {"10", "Calcform.MACRS10", "Calcform.MACRS10WORKS", tables::MACRS10, {}},
    {"15", "Calcform.MACRS15", "Calcform.MACRS15WORKS", tables::MACRS15, {}},
    {"20", "Calcform.MACRS20", "Calcform.MACRS20WORKS", tables::MACRS20, {}},
    {"27.5", "Calcform.MACRS28", "Calcform.MACRS28WORKS", {}, tables::MACRS28},
    {"31.5", "Calcform.MACRS32", "Calcform.MACRS32WORKS", {}, tables::MACRS32},
    {"39", "Calcform.MACRS39", "Calcform.MACRS39WORKS", {}, tables::MACRS39},
};

constexpr TableClass kMACRS150Classes[] = {
    {"3", "Calcform.MACRS150_3", "Calcform.MACRS150_3WORKS", tables::MACRS150_3, {}},
    {"5", "Calcform.MACRS150_5", "Calcform.MACRS150_5WORKS", tables::MACRS150_5, {}},
    {"7", "Calcform.MACRS150_7", "Calcform.MACRS150_7WORKS", tables::MACRS150_7, {}},
    {"10", "Calcform.MACRS150_10", "Calcform.MACRS150_10WORKS", tables::MACRS150_10, {}},
};

double calcByLife(const Calcform& f, std::span<const TableClass> classes) {
    if (const TableClass* cls = tables::findClass(classes, f.asset.lifeTax))
        return tables::loadAndWork(f, *cls);
    return 0.0;
}

}  // namespace

bool lifeHasRateTable(std::string_view m, std::string_view life) {
    if (m == method::MACRS) return tables::findClass(kMACRSClasses, life) != nullptr;
    if (m == method::MACRS150) return tables::findClass(kMACRS150Classes, life) != nullptr;
    if (m == method::ACRS) return acrsLifeHasTable(life);
    return true;
}

Depreciation calcMACRS(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcMACRS", [&] { result.amount = calcByLife(f, kMACRSClasses); });
    return result;
}

Depreciation calcMACRS150(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcMACRS150", [&] { result.amount = calcByLife(f, kMACRS150Classes); });
    return result;
}

}  // namespace czx
