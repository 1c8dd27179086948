#include <gtest/gtest.h>

#include <span>

#include "engine/tables/acrs_tables.h"
#include "engine/tables/calculators.h"
#include "tests/engine/tables/rig.h"

namespace czx {
namespace {

using testing::Rig;
using testing::ymd;

TEST(AcrsTables, EveryClassAndMonthTotalsTheWholeBasis) {
    const struct {
        const char* name;
        std::span<const double> rates;
    } personal[] = {{"ACRS3", tables::ACRS3}, {"ACRS5", tables::ACRS5}, {"ACRS10", tables::ACRS10}};
    for (const auto& t : personal) {
        double sum = 0;
        for (double rate : t.rates) sum += rate;
        EXPECT_NEAR(sum, 1.0, 1e-9) << t.name;
    }

    const struct {
        const char* name;
        std::span<const tables::MonthRow> rows;
    } real[] = {{"ACRS15", tables::ACRS15}, {"ACRS18", tables::ACRS18}, {"ACRS19", tables::ACRS19}};
    for (const auto& t : real) {
        for (int month = 1; month <= 12; ++month) {
            double sum = 0;
            for (int year = 1; year <= 40; ++year) {
                sum += tables::rateForServiceMonth(t.rows, 12 * (year - 1) + month);
            }
            EXPECT_NEAR(sum, 1.0, 1e-9) << t.name << " month " << month;
        }
    }
}

TEST(CalcACRS, RatesByClassRecoveryYearAndMonth) {
    struct Case {
        const char* life;
        unsigned placedMonth;
        int recoveryYear;
        double expected;  // on a basis of 100,000
    };
    const Case cases[] = {
        {"5", 4, 1, 15000},
        {"5", 4, 2, 22000},
        {"5", 4, 3, 21000},
        {"5", 4, 4, 21000},
        {"5", 4, 5, 21000},
        {"5", 4, 6, 0},
        {"3", 9, 1, 25000},
        {"3", 9, 3, 37000},
        {"3", 9, 4, 0},
        {"10", 1, 1, 8000},
        {"10", 1, 10, 9000},
        {"10", 1, 11, 0},
        // 15-year real property placed in month 7.
        {"15", 7, 1, 6000},
        {"15", 7, 8, 5000},
        {"15", 7, 10, 5000},
        {"15", 7, 16, 3000},
        {"15", 7, 17, 0},
        // 19-year real property placed in month 12.
        {"19", 12, 1, 400},
        {"19", 12, 2, 9200},
        {"19", 12, 20, 4000},
        {"19", 12, 21, 0},
        // 18-year real property placed in month 1: nothing left for year 19.
        {"18", 1, 1, 9000},
        {"18", 1, 18, 4000},
        {"18", 1, 19, 0},
        {"18", 12, 19, 3600},
        // Lives without a table.
        {"7", 4, 1, 0},
        {"5.0", 4, 1, 0},
        {"", 4, 1, 0},
    };
    for (const auto& c : cases) {
        Rig rig(ymd(1984, c.placedMonth, 10), ymd(1984, 12, 31));
        rig.asset.lifeTax = c.life;
        rig.asset.post30Basis = 100000.0;
        CalcACRS(rig.recoveryYear(c.recoveryYear));
        EXPECT_NEAR(rig.work.CurrentDprnTax, c.expected, 1e-6)
            << '"' << c.life << "\" month " << c.placedMonth << " year " << c.recoveryYear;
    }
}

TEST(CalcACRS, RealPropertyMonthIsTheMonthOfTheFiscalYear) {
    // September is month 3 of a fiscal year ending in June: 10 % in year 1
    // of the 15-year table, 11 % in year 2.
    Rig rig(ymd(1983, 9, 1), ymd(1984, 6, 30));
    rig.asset.lifeTax = "15";
    rig.asset.post30Basis = 50000.0;
    CalcACRS(rig.recoveryYear(1));
    EXPECT_NEAR(rig.work.CurrentDprnTax, 5000, 1e-6);
    CalcACRS(rig.recoveryYear(2));
    EXPECT_NEAR(rig.work.CurrentDprnTax, 5500, 1e-6);
}

}  // namespace
}  // namespace czx
