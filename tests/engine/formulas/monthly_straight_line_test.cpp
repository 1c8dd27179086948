// Straight line prorated by months: book ("SL - Book") and old-law tax
// ("SL-Old").
#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/formulas/asset_desk.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::expectSchedule;
using testing::ymd;

// Cost 12,000, salvage 2,000, full business use.
void bookTwelveThousand(AssetDesk& d, const char* life) {
    d.asset.costBook = 12000;
    d.asset.salvageBook = 2000;
    d.asset.busUseBook = 1;
    d.asset.lifeBook = life;
}
void taxTwelveThousand(AssetDesk& d, const char* life) {
    d.asset.costTax = 12000;
    d.asset.salvageTax = 2000;
    d.asset.busUseTax = 1;
    d.asset.lifeTax = life;
}

TEST(CalcSLBook, SchedulesFollowTheHalfMonthRuleAndRecoverTheBasis) {
    struct Case {
        Date placed;
        std::vector<double> schedule;
    };
    const Case cases[] = {
        // March 10: 10/31 of the month, which counts.
        {ymd(2012, 3, 10), {1666.67, 2000, 2000, 2000, 2000, 333.33, 0}},
        // March 20: 20/31, past the middle; March does not count.
        {ymd(2012, 3, 20), {1500, 2000, 2000, 2000, 2000, 500, 0}},
        // The 15th of a 30-day month is the middle itself, which counts.
        {ymd(2012, 4, 15), {1500, 2000, 2000, 2000, 2000, 500, 0}},
        // Last day of the last fiscal month: nothing in year 1, a full stub.
        {ymd(2012, 12, 31), {0, 2000, 2000, 2000, 2000, 2000, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(isoDate(c.placed));
        AssetDesk d(ymd(2012, 12, 31), c.placed);
        bookTwelveThousand(d, "5");
        const auto stored = d.bookSchedule(CalcSLBook, 7);
        expectSchedule(stored, c.schedule);
        EXPECT_NEAR(testing::sum(stored), 10000, 1e-6);
    }
}

TEST(CalcSLBook, FiscalYearCompanyCountsFiscalMonths) {
    // June year end, placed September 10, 2011: fiscal month 3, which counts,
    // so 10 months in the first year and 2 in the stub year.
    AssetDesk d(ymd(2012, 6, 30), ymd(2011, 9, 10));
    bookTwelveThousand(d, "5");
    const auto stored = d.bookSchedule(CalcSLBook, 7);
    expectSchedule(stored, {1666.67, 2000, 2000, 2000, 2000, 333.33, 0});
}

TEST(CalcSLBook, BusinessUseAndWhatIsLeft) {
    struct Case {
        const char* name;
        double businessUse;
        double prior;
        int recoveryYear;
        double expected;
    };
    const Case cases[] = {
        {"half business use halves salvage too", 0.5, 0, 2, 1000},
        {"half business use, first year", 0.5, 0, 1, 833.333333},
        {"fully depreciated", 1, 10000, 3, 0},
        {"no business use", 0, 0, 2, 0},
        {"past the stub year, less than a stub left", 1, 9999, 8, 1},
        {"stub year, less than the stub left", 1, 9900, 6, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 10));
        bookTwelveThousand(d, "5");
        d.asset.busUseBook = c.businessUse;
        d.asset.priorAccumBook = c.prior;
        d.atRecoveryYear(c.recoveryYear);
        EXPECT_NEAR(d.runBook(CalcSLBook), c.expected, 1e-6);
    }
}

TEST(CalcSLBook, AnEmptyBusinessUseGivesNothingWithoutAnError) {
    testing::RecordingReporter reporter;
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 10));
    bookTwelveThousand(d, "5");
    d.asset.busUseBook.reset();
    EXPECT_DOUBLE_EQ(d.runBook(CalcSLBook), 0);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST(CalcSLOldTax, TenYearScheduleFromAprilTenth) {
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 4, 10));
    taxTwelveThousand(d, "10");
    const auto stored = d.taxSchedule(CalcSLOldTax, 12);
    expectSchedule(stored, {750, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 250, 0});
    EXPECT_NEAR(testing::sum(stored), 10000, 1e-6);
}

TEST(CalcSLOldTax, AFractionalLifeStopsAfterItsLastWholeYear) {
    // 10,000 over 7.5 years from January 1: 1,333.33 a year for 7 years;
    // no recovery year equals 8.5, so nothing after.
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 1, 1));
    taxTwelveThousand(d, "7.5");
    const auto stored = d.taxSchedule(CalcSLOldTax, 9);
    expectSchedule(stored, {1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 0, 0});
}

TEST(CalcSLOldTax, OnlyTheExtraYearTakesTheStub) {
    struct Case {
        int recoveryYear;
        double prior;
        double expected;
    };
    const Case cases[] = {
        {11, 9750, 250},  // the stub, 3 months
        {11, 9900, 100},  // less than the stub left
        {12, 9999, 0},    // the book method would take the 1.00 left
        {3, 10000, 0},    // fully depreciated
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.recoveryYear);
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, 4, 10));
        taxTwelveThousand(d, "10");
        d.asset.priorAccumTax = c.prior;
        d.atRecoveryYear(c.recoveryYear);
        EXPECT_NEAR(d.runTax(CalcSLOldTax), c.expected, 1e-6);
    }
}

TEST(MonthlyStraightLine, ALifeOfZeroOrNoneIsReportedNotComputed) {
    for (const char* life : {"0", ""}) {
        SCOPED_TRACE(life);
        {
            testing::RecordingReporter reporter;
            AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 10));
            bookTwelveThousand(d, life);
            EXPECT_DOUBLE_EQ(d.runBook(CalcSLBook), 0);
            EXPECT_TRUE(testing::reportedOnce(reporter.reports, "Calcform.CalcSLBook",
                                              "Division by zero (11)"));
        }
        {
            testing::RecordingReporter reporter;
            AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 10));
            taxTwelveThousand(d, life);
            EXPECT_DOUBLE_EQ(d.runTax(CalcSLOldTax), 0);
            EXPECT_TRUE(testing::reportedOnce(reporter.reports, "Calcform.CalcSLOldTax",
                                              "Division by zero (11)"));
        }
    }
}

}  // namespace
}  // namespace czx
