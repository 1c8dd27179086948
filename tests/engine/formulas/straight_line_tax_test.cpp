// MACRS straight line: personal property (conventions, the remaining balance
// after the life, the passenger-automobile cap) and real property over 40
// years, mid-month.
#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::expectSchedule;
using testing::ymd;

// 10,000 of basis over 5 years, on top of the first year's expenses.
void tenThousandOverFive(AssetDesk& d, double sec179 = 0, double bonus = 0) {
    d.asset.costTax = 10000 + sec179 + bonus;
    d.asset.busUseTax = 1;
    d.asset.lifeTax = "5";
    d.asset.sec179 = sec179;
    d.asset.bonus = bonus;
}

TEST(CalcSLTax, SchedulesTakeTheConventionsShareAndItsComplement) {
    struct Case {
        const char* quarter;
        unsigned placedMonth;
        double sec179, bonus;
        std::vector<double> schedule;
    };
    const Case cases[] = {
        {"", 3, 0, 0, {1000, 2000, 2000, 2000, 2000, 1000, 0}},
        {"1", 2, 0, 0, {1750, 2000, 2000, 2000, 2000, 250, 0}},
        {"2", 5, 0, 0, {1250, 2000, 2000, 2000, 2000, 750, 0}},
        {"3", 8, 0, 0, {750, 2000, 2000, 2000, 2000, 1250, 0}},
        {"4", 11, 0, 0, {250, 2000, 2000, 2000, 2000, 1750, 0}},
        // Section 179 and the bonus count in the remaining balance.
        {"", 6, 4000, 1000, {6000, 2000, 2000, 2000, 2000, 1000, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "quarter '" << c.quarter << "' " << c.sec179);
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, c.placedMonth, 10));
        tenThousandOverFive(d, c.sec179, c.bonus);
        d.asset.midQrtAsset = c.quarter;
        const auto stored = d.taxSchedule(CalcSLTax, 7);
        expectSchedule(stored, c.schedule);
        EXPECT_NEAR(testing::sum(stored), 10000 + c.sec179 + c.bonus, 1e-6);
    }
}

TEST(CalcSLTax, SingleYears) {
    struct Case {
        const char* name;
        Date yearEnd;
        Date placed;
        const char* quarter;
        int recoveryYear;
        double prior;
        double expected;
    };
    const Date dec = ymd(2012, 12, 31);
    const Case cases[] = {
        {"2,000 left, exactly a full year: nothing", dec, ymd(2012, 3, 15), "", 6, 8000, 0},
        {"1,999.99 left", dec, ymd(2012, 3, 15), "", 6, 8000.01, 1999.99},
        {"an unknown quarter code", dec, ymd(2012, 3, 15), "7", 1, 0, 0},
        // Placed September 2011 in the fiscal year ending June 2012: the
        // calendar years differ, so the first fiscal year already counts as
        // recovery year 2 and takes a full year.
        {"fiscal year", ymd(2012, 6, 30), ymd(2011, 9, 1), "", 1, 0, 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AssetDesk d(c.yearEnd, c.placed);
        tenThousandOverFive(d);
        d.asset.midQrtAsset = c.quarter;
        d.asset.priorAccumTax = c.prior;
        d.atRecoveryYear(c.recoveryYear);
        EXPECT_NEAR(d.runTax(CalcSLTax), c.expected, 1e-6);
    }
}

TEST(CalcSLTax, PassengerAutomobilesAreCappedByTheLimitsWithoutBonus) {
    struct Case {
        int yearPlaced;
        bool truck;
        int recoveryYear;
        double cost, businessUse;
        double expected;
        bool car = true;
    };
    // Life 3: a year's amount is cost × business use ÷ 3.
    const Case cases[] = {
        {2012, false, 2, 20000, 0.6, 3060},         // 4,000 capped at 5,100 × 0.6
        {2012, false, 2, 20000, 0.6, 4000, false},  // not a passenger automobile: no cap
        {2012, false, 1, 20000, 0.6, 1896},         // 2,000 above 3,160 × 0.6
        {2003, true, 1, 30000, 1, 3360},            // truck row from 2003
        {2003, false, 1, 30000, 1, 3060},           // car row: no bonus amount
        {2002, true, 1, 30000, 1, 3060},            // before 2003 a truck takes the car row
        {2004, false, 3, 30000, 1, 2850},           // third-year limit
        {2004, false, 4, 30000, 1, 1675},           // after the life: 5,000 left, fourth-year limit
        {2010, true, 2, 30000, 1, 5100},            // truck year 2
        {1994, false, 2, 30000, 1, 10000},          // no limits before 1995
        {2027, false, 2, 30000, 1, 10000},          // nor after the last year known
        {2016, true, 2, 30000, 1, 5700},            // 2016 truck row
        {2016, false, 2, 30000, 1, 5100},           // 2016 car row
        {2019, true, 2, 60000, 1, 16100},           // from 2018 one table for every vehicle
        {2024, false, 1, 90000, 1, 12400},          // first year without bonus
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.yearPlaced << " year " << c.recoveryYear);
        AssetDesk d(ymd(c.yearPlaced, 12, 31), ymd(c.yearPlaced, 2, 1));
        d.asset.costTax = c.cost;
        d.asset.busUseTax = c.businessUse;
        d.asset.lifeTax = "3";
        d.asset.passengerAuto = c.car;
        d.asset.truckVanBonus = c.truck;
        d.atRecoveryYear(c.recoveryYear);
        d.asset.priorAccumTax = c.recoveryYear == 4 ? 25000 : 0;  // leaves 5,000 in year 4
        EXPECT_NEAR(d.runTax(CalcSLTax), c.expected, 1e-6);
    }
}

TEST(CalcMidQrtSL, RecordsTheQuarterOfTheFiscalYearAndComputes) {
    struct Case {
        Date yearEnd;
        Date placed;
        const char* quarter;
        double amount;  // of 10,000 over 5 years
    };
    const Case cases[] = {
        {ymd(2012, 12, 31), ymd(2012, 1, 31), "1", 1750},
        {ymd(2012, 12, 31), ymd(2012, 6, 30), "2", 1250},
        {ymd(2012, 12, 31), ymd(2012, 7, 1), "3", 750},
        {ymd(2012, 12, 31), ymd(2012, 11, 15), "4", 250},
        {ymd(2012, 6, 30), ymd(2012, 5, 3), "4", 250},    // June year end, May
        {ymd(2012, 6, 30), ymd(2012, 3, 3), "3", 750},    // June year end, March
        {ymd(2013, 2, 28), ymd(2013, 1, 20), "4", 250},   // February year end, January
        {ymd(2012, 9, 30), ymd(2012, 2, 10), "2", 1250},  // September year end, February
        // June year end, July 2011: the first quarter, but a full year, as
        // the recovery year counts calendar years from the date placed.
        {ymd(2012, 6, 30), ymd(2011, 7, 5), "1", 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(isoDate(c.placed));
        AssetDesk d(c.yearEnd, c.placed);
        tenThousandOverFive(d);
        EXPECT_NEAR(d.runTax(CalcMidQrtSL), c.amount, 1e-6);
        EXPECT_EQ(d.asset.midQrtAsset, c.quarter);
    }
}

// Real property: 100,000 over 40 years, mid-month: a first year of
// (12.5 - month) / 12 of 2,500, and the rest in year 41.
TEST(CalcSLRPTax, WorkedBuildingsOfOneHundredThousand) {
    struct Case {
        unsigned placedMonth;
        int recoveryYear;
        double expected;
        Date yearEnd = ymd(2012, 12, 31);
    };
    const Case cases[] = {
        {1, 1, 2396},
        {1, 2, 2500},
        {1, 40, 2500},
        {1, 41, 104},
        {1, 42, 0},
        {12, 1, 104},
        {12, 2, 2500},
        {12, 41, 2396},
        {12, 42, 0},
        {7, 1, 1146},
        {7, 41, 1354},
        {2, 41, 312},
        {5, 41, 937},
        {8, 41, 1562},
        {11, 41, 2187},
        {12, 0, 0},  // before the year placed in service there is no rate
        // June year end: July is the first fiscal month, June the last.
        {7, 1, 2396, ymd(2012, 6, 30)},
        {6, 1, 104, ymd(2012, 6, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "month " << c.placedMonth << " year " << c.recoveryYear
                                          << " of " << isoDate(c.yearEnd));
        const int placedYear = static_cast<int>(c.placedMonth) > monthOf(c.yearEnd) ? 2011 : 2012;
        AssetDesk d(c.yearEnd, ymd(placedYear, c.placedMonth, 1));
        d.asset.costTax = 100000;
        d.asset.busUseTax = 1;
        d.atRecoveryYear(c.recoveryYear);
        EXPECT_NEAR(d.runTax(CalcSLRPTax), c.expected, 1e-6);
    }
    for (unsigned month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, month, 20));
        d.asset.costTax = 100000;
        d.asset.busUseTax = 1;
        const auto stored = d.taxSchedule(CalcSLRPTax, 42);
        EXPECT_NEAR(testing::sum(stored), 100000, 1e-6);
        EXPECT_DOUBLE_EQ(stored.back(), 0);
    }
}

}  // namespace
}  // namespace czx
