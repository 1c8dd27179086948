// ACRS, for property placed in service from 1981 to 1986: the depreciable
// basis times the class's rate, by recovery year for personal property and by
// the service month index for real property.
#include "base/trail.h"
#include "engine/tables/acrs_tables.h"
#include "engine/tables/calculators.h"

namespace czx {
namespace {

using tables::TableClass;

// Matched against the exact life text, in this order; any other life gets no
// depreciation. calcACRS loads the basis itself, so no class has a loader.
constexpr TableClass kACRSClasses[] = {
    {"3", nullptr, "Calcform.ACRS3WORKS", tables::ACRS3, {}},
    {"5", nullptr, "Calcform.ACRS5WORKS", tables::ACRS5, {}},
    {"10", nullptr, "Calcform.ACRS10WORKS", tables::ACRS10, {}},
    {"15", nullptr, "Calcform.ACRS15WORKS", {}, tables::ACRS15},
    {"18", nullptr, "Calcform.ACRS18WORKS", {}, tables::ACRS18},
    {"19", nullptr, "Calcform.ACRS19WORKS", {}, tables::ACRS19},
};

}  // namespace

bool acrsLifeHasTable(std::string_view life) {
    return tables::findClass(kACRSClasses, life) != nullptr;
}

Depreciation calcACRS(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcACRS", [&] {
        const double basis = tables::taxBasis(f.asset);
        if (const TableClass* cls = tables::findClass(kACRSClasses, f.asset.lifeTax))
            result.amount = tables::tableWorks(f, *cls, basis);
    });
    return result;
}

}  // namespace czx
