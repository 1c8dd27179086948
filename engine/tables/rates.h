#pragma once
// How the percentage tables are read. A rate is a decimal fraction of the
// depreciable basis (0.3333 for 33.33 %).
//
// Personal-property tables list one rate per recovery year, year 1 first.
// Real-property tables are laid out as the IRS prints them: rows of recovery
// years, each with twelve columns for the month of the fiscal year in which
// the property was placed in service; a row may stand for a run of years
// that share their rates ("2 to 9"). Both kinds yield 0 before year 1 and
// past their last row.
#include <span>
#include <string_view>

#include "engine/run/calcform.h"

namespace czx::tables {

struct MonthRow {
    int firstYear;
    int lastYear;
    double rates[12];  // months 1 to 12 of the fiscal year placed in service
};

// The rate of recovery year `recoveryYear`; only the whole years 1 to the
// table's length match, so 0, negative and fractional years give 0.
double rateForYear(std::span<const double> table, double recoveryYear);

// The rate at `serviceMonthIndex` = 12 × (recovery year − 1) + month placed
// in service; indices below 1 give 0.
double rateForServiceMonth(std::span<const MonthRow> table, int serviceMonthIndex);

// One class of a table calculator: the life text that selects it, the trail
// names of its loader (null where the caller loads the basis itself) and of
// its rate routine, and its table, by recovery year or by service month.
struct TableClass {
    std::string_view life;
    const char* loader;
    const char* works;
    std::span<const double> byYear;
    std::span<const MonthRow> byMonth;
};

// The class whose life text equals `life` exactly ("5.0" is not "5"), or null.
const TableClass* findClass(std::span<const TableClass> classes, std::string_view life);

// The depreciable basis the tables apply to: "Post30%DeductionBasis".
double taxBasis(const Asset& asset);

// The rate routine of `cls`: `basis` × the rate for the row's recovery year
// (or service month index), handed on through deprnSeparator.
double tableWorks(const Calcform& f, const TableClass& cls, double basis);

// Loader then rate routine, each entering the trail under its own name;
// `cls.loader` must be set.
double loadAndWork(const Calcform& f, const TableClass& cls);

// Every table result passes here, under its own trail name, on its way to
// the tax amount; book depreciation never reads these tables.
double deprnSeparator(double tableAmount);

}  // namespace czx::tables
