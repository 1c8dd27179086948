// Passenger automobiles under the yearly limits.
#include <gtest/gtest.h>

#include "engine/tables/calculators.h"
#include "tests/engine/asset_desk.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::ymd;

struct Purchase {
    double cost;
    double businessUse = 1;
    double sec179 = 0;
    double bonus = 0;
    bool truck = false;
};

// A passenger automobile bought on `placed` by a calendar-year company.
void buy(AssetDesk& d, const Purchase& p) {
    d.asset.methodTax = "MACRS-Auto";
    d.asset.costTax = p.cost;
    d.asset.busUseTax = p.businessUse;
    d.asset.sec179 = p.sec179;
    d.asset.bonus = p.bonus;
    d.asset.truckVanBonus = p.truck;
    d.asset.passengerAuto = true;
}

TEST(CalcMACRSAuto, WorkedFirstYearsOfA2010Car) {
    struct Case {
        const char* name;
        Purchase purchase;
        double amount, nonBusiness;
        double sec179, bonus, basis;  // as written back into the row
        Date placed = ymd(2010, 3, 15);
        Date yrpis = ymd(2010, 12, 31);
        bool midQuarterYear = false;
        const char* quarter = "";  // "MidQrtAsset" after the year, "3" before it
    };
    const Date y2003 = ymd(2003, 12, 31);
    // clang-format off
    const Case cases[] = {
        {"under the limit", {30000}, 6000, 0, 0, 0, 30000},
        {"limit below the table amount", {60000, 0.8}, 8848, 2212, 0, 0, 48000},
        {"bonus lowered to the limit", {30000, 1, 0, 15000}, 0, 0, 0, 11060, 18940},
        {"Section 179 lowered", {30000, 1, 20000}, 4735, 0, 6325, 0, 23675},
        {"partial bonus raised to 50 %", {20000, 1, 0, 1000}, 1060, 0, 0, 10000, 10000},
        {"60 % business use", {20000, 0.6}, 2400, 1600, 0, 0, 12000},
        {"no business use: nothing, and no fault", {20000, 0}, 0, 0, 0, 0, 0},
        // The bonus is raised to 30 % on May 5, 2003, to 50 % on May 6; the
        // rest of the limit goes to depreciation.
        {"30 % bonus of 2003", {20000, 1, 0, 1000}, 1660, 0, 0, 6000, 14000,
         ymd(2003, 5, 5), y2003},
        {"50 % bonus of 2003", {20000, 1, 0, 1000}, 710, 0, 0, 10000, 10000,
         ymd(2003, 5, 6), y2003},
        // The first-year convention is recorded on the row.
        {"half-year, November", {30000}, 6000, 0, 0, 0, 30000, ymd(2010, 11, 15)},
        {"mid-quarter, November", {30000}, 1500, 0, 0, 0, 30000,
         ymd(2010, 11, 15), ymd(2010, 12, 31), true, "4"},
        {"mid-quarter, February", {30000}, 10500, 0, 0, 0, 30000,
         ymd(2010, 2, 15), ymd(2010, 12, 31), true, "1"},
        {"mid-quarter, fiscal year", {30000}, 7500, 0, 0, 0, 30000,
         ymd(2010, 11, 15), ymd(2011, 6, 30), true, "2"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecordingReporter reporter;
        AssetDesk d({.yrpis = c.yrpis, .placed = c.placed, .quarter = "3"});
        buy(d, c.purchase);
        d.midQuarterYear = c.midQuarterYear;
        EXPECT_NEAR(d.run(calcMACRSAuto), c.amount, 1e-6);
        EXPECT_NEAR(d.last.autoNonBusiness, c.nonBusiness, 1e-6);
        EXPECT_NEAR(*d.asset.sec179, c.sec179, 1e-6);
        EXPECT_NEAR(*d.asset.bonus, c.bonus, 1e-6);
        EXPECT_NEAR(*d.asset.post30Basis, c.basis, 1e-6);
        EXPECT_EQ(d.asset.midQrtAsset, c.quarter);
        EXPECT_TRUE(reporter.reports.empty());
    }
}

TEST(CalcMACRSAuto, FirstYearLimitsByDateAndKind) {
    // 60,000 at full business use: 20 % of it is above every first-year
    // limit, so the year's amount is the limit itself, all of it business use.
    struct Case {
        Date placed;
        bool truck;
        double limit;
    };
    // clang-format off
    const Case cases[] = {
        {ymd(1995, 6, 1), false, 3060},    {ymd(1997, 6, 1), false, 3160},
        {ymd(2001, 9, 10), false, 3060},   {ymd(2001, 9, 11), false, 7660},
        {ymd(2002, 6, 1), true, 7660},  // a 2002 truck takes the car limit
        {ymd(2003, 5, 5), false, 7660},    {ymd(2003, 5, 6), false, 10710},
        {ymd(2003, 5, 5), true, 7960},     {ymd(2003, 5, 6), true, 11010},
        {ymd(2005, 6, 1), false, 2960},    {ymd(2008, 6, 1), true, 11160},
        {ymd(2012, 6, 1), false, 11160},   {ymd(2012, 6, 1), true, 11360},
        {ymd(2016, 6, 1), false, 11160},   {ymd(2016, 6, 1), true, 11560},
        // Placed in a year without limits: nothing at all.
        {ymd(1994, 6, 1), false, 0},       {ymd(2027, 6, 1), false, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << isoDate(c.placed) << (c.truck ? " truck" : " car"));
        AssetDesk d({.yrpis = ymd(static_cast<int>(c.placed.year()), 12, 31), .placed = c.placed});
        buy(d, {60000, 1, 0, 0, c.truck});
        EXPECT_NEAR(d.run(calcMACRSAuto), c.limit, 1e-6);
        EXPECT_DOUBLE_EQ(d.last.autoNonBusiness, 0);
    }
}

TEST(CalcMACRSAuto, LaterYearsTakeTheSmallerOfTableAndLimit) {
    struct Case {
        const char* name;
        double cost, businessUse;
        const char* quarter;
        int recoveryYear;
        double prior, priorNonBusiness;
        double expected;
    };
    const Case cases[] = {
        {"year 2, limit", 60000, 1, "", 2, 0, 0, 4900},
        {"year 2, table", 10000, 1, "", 2, 0, 0, 3200},
        {"year 2, half business use", 30000, 0.5, "", 2, 0, 0, 2450},
        {"year 3, table", 10000, 1, "", 3, 0, 0, 1920},
        {"year 4, limit", 30000, 1, "", 4, 0, 0, 1775},
        {"year 6, table", 10000, 1, "", 6, 0, 0, 576},
        {"year 2, fourth quarter", 10000, 1, "4", 2, 0, 0, 3800},
        {"year 6, first quarter", 10000, 1, "1", 6, 0, 0, 138},
        {"year 7, limit", 30000, 1, "", 7, 25000, 0, 1775},
        {"year 7, the rest", 30000, 1, "", 7, 29000, 0, 1000},
        {"year 7, nothing left", 30000, 1, "", 7, 25000, 5000, 0},
        {"year 9, half business use, limit", 30000, 0.5, "", 9, 14000, 14000, 887.5},
        {"year 9, half business use, the rest", 30000, 0.5, "", 9, 14500, 14500, 500},
        {"before the first year", 10000, 1, "", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AssetDesk d({.yrpis = ymd(2010, 12, 31),
                     .placed = ymd(2010, 3, 15),
                     .prior = c.prior,
                     .quarter = c.quarter});
        buy(d, {c.cost, c.businessUse});
        d.asset.priorNonBusAccum = c.priorNonBusiness;
        d.atRecoveryYear(c.recoveryYear);
        // A later year keeps the row's own convention, even in a mid-quarter year.
        d.midQuarterYear = true;
        EXPECT_NEAR(d.run(calcMACRSAuto), c.expected, 1e-6);
        EXPECT_EQ(d.asset.midQrtAsset, c.quarter);
        EXPECT_DOUBLE_EQ(d.last.autoNonBusiness, 0);
    }
}

TEST(CalcMACRSAuto, SchedulesRecoverTheCostUnderTheLimits) {
    // A 30,000 car of 2010; the plain one is followed in LaterYears and MultiYear.
    struct Case {
        Purchase purchase;
        std::vector<double> schedule;
    };
    // clang-format off
    const Case cases[] = {
        // Section 179 lowered to 6,325: 11,060 in year 1 on a basis of
        // 23,675; 5.76 % of it is 1,363.68.
        {{30000, 1, 20000}, {11060, 4900, 2950, 1775, 1775, 1363.68, 1775, 1775, 1775, 851.32, 0}},
        // Bonus lowered to 11,060 on a basis of 18,940; 5.76 % is 1,090.94.
        {{30000, 1, 0, 15000},
         {11060, 4900, 2950, 1775, 1775, 1090.94, 1775, 1775, 1775, 1124.06, 0}},
    };
    // clang-format on
    for (const auto& c : cases) {
        AssetDesk d({.yrpis = ymd(2010, 12, 31), .placed = ymd(2010, 3, 15)});
        buy(d, c.purchase);
        testing::expectSchedule(d.schedule(calcMACRSAuto, static_cast<int>(c.schedule.size())),
                                c.schedule);
    }
}

}  // namespace
}  // namespace czx
