#include "engine/tables/rates.h"

#include <cmath>

#include "base/money.h"
#include "base/trail.h"
#include "engine/tables/calculators.h"

namespace czx::tables {

double rateForYear(std::span<const double> table, double recoveryYear) {
    if (!(recoveryYear >= 1) || recoveryYear != std::floor(recoveryYear)) return 0.0;
    if (recoveryYear > static_cast<double>(table.size())) return 0.0;
    return table[static_cast<std::size_t>(recoveryYear) - 1];
}

double rateForServiceMonth(std::span<const MonthRow> table, int serviceMonthIndex) {
    if (serviceMonthIndex < 1) return 0.0;
    const int year = (serviceMonthIndex - 1) / 12 + 1;
    const int month = (serviceMonthIndex - 1) % 12;
    for (const MonthRow& row : table) {
        if (row.firstYear <= year && year <= row.lastYear) return row.rates[month];
    }
    return 0.0;
}

const TableClass* findClass(std::span<const TableClass> classes, std::string_view life) {
    for (const TableClass& cls : classes) {
        if (cls.life == life) return &cls;
    }
    return nullptr;
}

void LoadTaxBasis(Calcform& f) {
    f.work.TableBasis = money::value(f.asset.post30Basis);
    f.work.DeprnBasisKind = "Tax";
}

void TableWorks(Calcform& f, const TableClass& cls) {
    procedure(cls.works, [&] {
        const double rate = cls.byMonth.empty()
                                ? rateForYear(cls.byYear, f.work.RecoveryYear)
                                : rateForServiceMonth(cls.byMonth, f.work.ServiceMonthIndex);
        f.work.TableDprn = f.work.TableBasis * rate;
        DeprnSeperator(f);
    });
}

void LoadAndWork(Calcform& f, const TableClass& cls) {
    procedure(cls.loader, [&] {
        LoadTaxBasis(f);
        TableWorks(f, cls);
    });
}

}  // namespace czx::tables
