#include "engine/tables/rates.h"

#include <cmath>

#include "base/money.h"
#include "base/trail.h"

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

double taxBasis(const Asset& asset) {
    return money::value(asset.post30Basis);
}

double deprnSeparator(double tableAmount) {
    double amount = 0;
    procedure("Calcform.DeprnSeperator", [&] { amount = tableAmount; });
    return amount;
}

double tableWorks(const Calcform& f, const TableClass& cls, double basis) {
    double amount = 0;
    procedure(cls.works, [&] {
        const double rate = cls.byMonth.empty()
                                ? rateForYear(cls.byYear, f.timing.recoveryYear)
                                : rateForServiceMonth(cls.byMonth, f.timing.serviceMonthIndex);
        amount = deprnSeparator(basis * rate);
    });
    return amount;
}

double loadAndWork(const Calcform& f, const TableClass& cls) {
    double amount = 0;
    procedure(cls.loader, [&] { amount = tableWorks(f, cls, taxBasis(f.asset)); });
    return amount;
}

}  // namespace czx::tables
