// MACRS straight line: personal property (conventions, the remaining balance
// after the life, the passenger-automobile cap) and real property over 40
// years, mid-month.
#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::amountIn;
using testing::AssetDesk;
using testing::Holding;
using testing::ymd;

TEST(CalcSLTax, SchedulesTakeTheConventionsShareAndItsComplement) {
    struct Case {
        Holding holding;
        std::vector<double> schedule;
    };
    // clang-format off
    const Case cases[] = {
        {{.placed = ymd(2012, 3, 10)}, {1000, 2000, 2000, 2000, 2000, 1000, 0}},
        {{.placed = ymd(2012, 2, 10), .quarter = "1"}, {1750, 2000, 2000, 2000, 2000, 250, 0}},
        {{.placed = ymd(2012, 5, 10), .quarter = "2"}, {1250, 2000, 2000, 2000, 2000, 750, 0}},
        {{.placed = ymd(2012, 8, 10), .quarter = "3"}, {750, 2000, 2000, 2000, 2000, 1250, 0}},
        {{.placed = ymd(2012, 11, 10), .quarter = "4"}, {250, 2000, 2000, 2000, 2000, 1750, 0}},
        // Section 179 and the bonus count in the remaining balance.
        {{.placed = ymd(2012, 6, 1), .cost = 15000, .sec179 = 4000, .bonus = 1000},
         {6000, 2000, 2000, 2000, 2000, 1000, 0}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "quarter '" << c.holding.quarter << "' " << isoDate(c.holding.placed));
        AssetDesk d(c.holding);
        testing::expectSchedule(d.schedule(calcSLTax, 7), c.schedule);
    }
}

TEST(CalcSLTax, PassengerAutomobilesAreCappedByTheLimitsWithoutBonus) {
    struct Case {
        const char* name;
        Holding holding;
        int year;
        double expected;
    };
    // Life 3: a year's amount is cost × business use ÷ 3.
    auto vehicle = [](int year, double cost, double use = 1, bool truck = false, double prior = 0) {
        Holding h{.yrpis = ymd(year, 12, 31), .placed = ymd(year, 2, 1), .life = "3"};
        h.cost = cost;
        h.use = use;
        h.prior = prior;
        h.car = true;
        h.truck = truck;
        return h;
    };
    Holding notACar = vehicle(2012, 20000, 0.6);
    notACar.car = false;
    // clang-format off
    const Case cases[] = {
        {"4,000 capped at 5,100 × 0.6", vehicle(2012, 20000, 0.6), 2, 3060},
        {"not a passenger automobile: no cap", notACar, 2, 4000},
        {"2,000 above 3,160 × 0.6", vehicle(2012, 20000, 0.6), 1, 1896},
        {"truck row from 2003", vehicle(2003, 30000, 1, true), 1, 3360},
        {"car row: no bonus amount", vehicle(2003, 30000), 1, 3060},
        {"before 2003 a truck takes the car row", vehicle(2002, 30000, 1, true), 1, 3060},
        {"third-year limit", vehicle(2004, 30000), 3, 2850},
        {"after the life: 5,000 left, fourth-year limit",
         vehicle(2004, 30000, 1, false, 25000), 4, 1675},
        {"truck year 2", vehicle(2010, 30000, 1, true), 2, 5100},
        {"no limits before 1995", vehicle(1994, 30000), 2, 10000},
        {"nor after the last year known", vehicle(2027, 30000), 2, 10000},
        {"2016 truck row", vehicle(2016, 30000, 1, true), 2, 5700},
        {"2016 car row", vehicle(2016, 30000), 2, 5100},
        {"from 2018 one table for every vehicle", vehicle(2019, 60000, 1, true), 2, 16100},
        {"first year without bonus", vehicle(2024, 90000), 1, 12400},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_NEAR(amountIn(calcSLTax, c.holding, c.year), c.expected, 1e-6) << c.name;
}

TEST(CalcSLTax, SingleYears) {
    struct Case {
        const char* name;
        Holding holding;
        int year;
        double expected;
    };
    // clang-format off
    const Case cases[] = {
        {"2,000 left, exactly a full year: nothing",
         {.placed = ymd(2012, 3, 15), .prior = 8000}, 6, 0},
        {"1,999.99 left", {.placed = ymd(2012, 3, 15), .prior = 8000.01}, 6, 1999.99},
        {"an unknown quarter code", {.placed = ymd(2012, 3, 15), .quarter = "7"}, 1, 0},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_NEAR(amountIn(calcSLTax, c.holding, c.year), c.expected, 1e-6) << c.name;
}

TEST(CalcMidQrtSL, RecordsTheQuarterOfTheFiscalYearAndComputes) {
    struct Case {
        Date yearEnd;
        Date placed;
        const char* quarter;
        double amount;  // of 10,000 over 5 years
    };
    const Case cases[] = {
        {ymd(2012, 12, 31), ymd(2012, 6, 30), "2", 1250},
        {ymd(2012, 12, 31), ymd(2012, 7, 1), "3", 750},
        {ymd(2012, 12, 31), ymd(2012, 11, 15), "4", 250},
        {ymd(2012, 6, 30), ymd(2012, 3, 3), "3", 750},    // June year end, March
        {ymd(2012, 9, 30), ymd(2012, 2, 10), "2", 1250},  // September year end, February
        // June year end, July 2011: the first quarter, but a full year, as
        // the recovery year counts calendar years from the date placed.
        {ymd(2012, 6, 30), ymd(2011, 7, 5), "1", 2000},
    };
    for (const auto& c : cases) {
        AssetDesk d({.yrpis = c.yearEnd, .placed = c.placed});
        EXPECT_NEAR(d.run(calcMidQrtSL), c.amount, 1e-6) << isoDate(c.placed);
        EXPECT_EQ(d.asset.midQrtAsset, c.quarter) << isoDate(c.placed);
    }
}

// Real property: 100,000 over 40 years, mid-month: a first year of
// (12.5 - month) / 12 of 2,500, and the rest in year 41.
TEST(CalcSLRPTax, WorkedBuildingsOfOneHundredThousand) {
    struct Case {
        unsigned placedMonth;
        int year;
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
        const int placedYear = static_cast<int>(c.placedMonth) > monthOf(c.yearEnd) ? 2011 : 2012;
        const Holding building{
            .yrpis = c.yearEnd, .placed = ymd(placedYear, c.placedMonth, 1), .cost = 100000};
        EXPECT_NEAR(amountIn(calcSLRPTax, building, c.year), c.expected, 1e-6)
            << "month " << c.placedMonth << " year " << c.year << " of " << isoDate(c.yearEnd);
    }
    for (unsigned month = 1; month <= 12; ++month) {
        AssetDesk d({.placed = ymd(2012, month, 20), .cost = 100000});
        const auto stored = d.schedule(calcSLRPTax, 42);
        EXPECT_NEAR(testing::sum(stored), 100000, 1e-6) << month;
        EXPECT_DOUBLE_EQ(stored.back(), 0) << month;
    }
}

}  // namespace
}  // namespace czx
