// MACRS straight line for personal property: conventions, the remaining
// balance after the life, the passenger-automobile cap.
#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/formulas/asset_desk.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::expectSchedule;
using testing::ymd;

// Calendar-year company, 10,000 of basis over 5 years.
void tenThousandOverFive(AssetDesk& d) {
    d.asset.costTax = 10000;
    d.asset.busUseTax = 1;
    d.asset.lifeTax = "5";
}

TEST(CalcSLTax, HalfYearScheduleRecoversTheBasis) {
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 15));
    tenThousandOverFive(d);
    const auto stored = d.taxSchedule(CalcSLTax, 7);
    expectSchedule(stored, {1000, 2000, 2000, 2000, 2000, 1000, 0});
    EXPECT_NEAR(testing::sum(stored), 10000, 1e-6);
}

TEST(CalcSLTax, MidQuarterSchedulesTakeTheQuarterShareAndItsComplement) {
    struct Case {
        const char* quarter;
        unsigned placedMonth;
        double first, last;
    };
    const Case cases[] = {
        {"1", 2, 1750, 250},
        {"2", 5, 1250, 750},
        {"3", 8, 750, 1250},
        {"4", 11, 250, 1750},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quarter);
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, c.placedMonth, 10));
        tenThousandOverFive(d);
        d.asset.midQrtAsset = c.quarter;
        const auto stored = d.taxSchedule(CalcSLTax, 7);
        expectSchedule(stored, {c.first, 2000, 2000, 2000, 2000, c.last, 0});
        EXPECT_NEAR(testing::sum(stored), 10000, 1e-6);
    }
}

TEST(CalcSLTax, SectionOneSeventyNineAndBonusCountInTheRemainingBalance) {
    // Business cost 15,000: 4,000 expensed, 1,000 of bonus, 10,000 depreciated.
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 6, 1));
    d.asset.costTax = 15000;
    d.asset.busUseTax = 1;
    d.asset.lifeTax = "5";
    d.asset.sec179 = 4000;
    d.asset.bonus = 1000;
    const auto stored = d.taxSchedule(CalcSLTax, 7);
    expectSchedule(stored, {6000, 2000, 2000, 2000, 2000, 1000, 0});
    EXPECT_NEAR(testing::sum(stored), 15000, 1e-6);
}

TEST(CalcSLTax, RemainingEqualToAFullYearGivesNothing) {
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 15));
    tenThousandOverFive(d);
    d.atRecoveryYear(6);
    d.asset.priorAccumTax = 8000;  // 2,000 left, exactly B / L
    EXPECT_DOUBLE_EQ(d.runTax(CalcSLTax), 0);
    d.asset.priorAccumTax = 8000.01;
    EXPECT_NEAR(d.runTax(CalcSLTax), 1999.99, 1e-6);
}

TEST(CalcSLTax, AnUnknownQuarterCodeInTheFirstYearGivesNothing) {
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 15));
    tenThousandOverFive(d);
    d.asset.midQrtAsset = "7";
    EXPECT_DOUBLE_EQ(d.runTax(CalcSLTax), 0);
}

TEST(CalcSLTax, CountsRecoveryYearsFromTheDatePlacedInService) {
    // Fiscal year ending June 2012, placed in service September 2011: the
    // calendar years of placement and year end differ, so the first fiscal
    // year already counts as recovery year 2 and takes a full year.
    AssetDesk d(ymd(2012, 6, 30), ymd(2011, 9, 1));
    tenThousandOverFive(d);
    EXPECT_DOUBLE_EQ(d.runTax(CalcSLTax), 2000);
    EXPECT_DOUBLE_EQ(d.work.RecoveryYear, 2);
}

TEST(CalcSLTax, PassengerAutomobilesAreCappedByTheLimitsWithoutBonus) {
    struct Case {
        int yearPlaced;
        bool truck;
        int recoveryYear;
        double cost, businessUse;
        double expected;
    };
    // Life 3: a year's amount is cost × business use ÷ 3.
    const Case cases[] = {
        {2012, false, 2, 20000, 0.6, 3060},  // 4,000 capped at 5,100 × 0.6
        {2012, false, 1, 20000, 0.6, 1896},  // 2,000 above 3,160 × 0.6
        {2003, true, 1, 30000, 1, 3360},     // truck row from 2003
        {2003, false, 1, 30000, 1, 3060},    // car row: no bonus amount
        {2002, true, 1, 30000, 1, 3060},     // before 2003 a truck takes the car row
        {2004, false, 3, 30000, 1, 2850},    // third-year limit
        {2004, false, 4, 30000, 1, 1675},    // after the life: 5,000 left, fourth-year limit
        {2010, true, 2, 30000, 1, 5100},     // truck year 2
        {1994, false, 2, 30000, 1, 10000},   // no limits before 1995
        {2027, false, 2, 30000, 1, 10000},   // nor after the last year known
        {2016, true, 2, 30000, 1, 5700},     // 2016 truck row
        {2016, false, 2, 30000, 1, 5100},    // 2016 car row
        {2019, true, 2, 60000, 1, 16100},    // from 2018 one table for every vehicle
        {2024, false, 1, 90000, 1, 12400},   // first year without bonus
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.yearPlaced << " year " << c.recoveryYear);
        AssetDesk d(ymd(c.yearPlaced, 12, 31), ymd(c.yearPlaced, 2, 1));
        d.asset.costTax = c.cost;
        d.asset.busUseTax = c.businessUse;
        d.asset.lifeTax = "3";
        d.asset.passengerAuto = true;
        d.asset.truckVanBonus = c.truck;
        d.atRecoveryYear(c.recoveryYear);
        d.asset.priorAccumTax = c.recoveryYear == 4 ? 25000 : 0;  // leaves 5,000 in year 4
        EXPECT_NEAR(d.runTax(CalcSLTax), c.expected, 1e-6);
    }
}

TEST(CalcSLTax, OnlyPassengerAutomobilesAreCapped) {
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 2, 1));
    d.asset.costTax = 20000;
    d.asset.busUseTax = 0.6;
    d.asset.lifeTax = "3";
    d.atRecoveryYear(2);
    EXPECT_NEAR(d.runTax(CalcSLTax), 4000, 1e-6);
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

TEST(CalcSLTax, ALifeOfZeroOrNoneIsReportedNotComputed) {
    for (const char* life : {"0", ""}) {
        testing::RecordingReporter reporter;
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 15));
        tenThousandOverFive(d);
        d.asset.lifeTax = life;
        EXPECT_DOUBLE_EQ(d.runTax(CalcSLTax), 0);
        EXPECT_TRUE(
            testing::reportedOnce(reporter.reports, "Calcform.CalcSLTax", "Division by zero (11)"));
    }
}

TEST(CalcMidQrtSL, AFailureOfTheAmountIsReportedByCalcSLTax) {
    testing::RecordingReporter reporter;
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 11, 15));
    tenThousandOverFive(d);
    d.asset.lifeTax = "0";
    EXPECT_DOUBLE_EQ(d.runTax(CalcMidQrtSL), 0);
    EXPECT_EQ(d.asset.midQrtAsset, "4");
    EXPECT_TRUE(
        testing::reportedOnce(reporter.reports, "Calcform.CalcSLTax", "Division by zero (11)"));
}

}  // namespace
}  // namespace czx
