// Straight line prorated by months: book ("SL - Book") and old-law tax
// ("SL-Old").
#include <gtest/gtest.h>

#include <optional>

#include "engine/formulas/calculators.h"
#include "tests/engine/asset_desk.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::expectSchedule;
using testing::ymd;

// Cost 12,000, salvage 2,000, full business use, on both sides.
void twelveThousand(AssetDesk& d, const char* life) {
    d.asset.costBook = d.asset.costTax = 12000;
    d.asset.salvageBook = d.asset.salvageTax = 2000;
    d.asset.busUseBook = d.asset.busUseTax = 1;
    d.asset.lifeBook = d.asset.lifeTax = life;
}

TEST(CalcSLBook, SchedulesFollowTheHalfMonthRuleAndRecoverTheBasis) {
    struct Case {
        bool book;
        const char* life;
        Date yearEnd;
        Date placed;
        std::vector<double> schedule;
    };
    const Date dec = ymd(2012, 12, 31);
    const std::vector<double> march10 = {1666.67, 2000, 2000, 2000, 2000, 333.33, 0};
    const Case cases[] = {
        // March 10: 10/31 of the month, which counts.
        {true, "5", dec, ymd(2012, 3, 10), march10},
        // March 20: 20/31, past the middle; March does not count.
        {true, "5", dec, ymd(2012, 3, 20), {1500, 2000, 2000, 2000, 2000, 500, 0}},
        // The 15th of a 30-day month is the middle itself, which counts.
        {true, "5", dec, ymd(2012, 4, 15), {1500, 2000, 2000, 2000, 2000, 500, 0}},
        // Last day of the last fiscal month: nothing in year 1, a full stub.
        {true, "5", dec, ymd(2012, 12, 31), {0, 2000, 2000, 2000, 2000, 2000, 0}},
        // June year end, placed September 10, 2011: fiscal month 3, which
        // counts, so 10 months in the first year and 2 in the stub year.
        {true, "5", ymd(2012, 6, 30), ymd(2011, 9, 10), march10},
        {false,
         "10",
         dec,
         ymd(2012, 4, 10),
         {750, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 250, 0}},
        // 10,000 over 7.5 years from January 1: 1,333.33 a year for 7 years;
        // no recovery year equals 8.5, so nothing after, and 0.69 never taken.
        {false,
         "7.5",
         dec,
         ymd(2012, 1, 1),
         {1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << (c.book ? "book " : "old tax ") << c.life << ", " << isoDate(c.placed));
        AssetDesk d(c.yearEnd, c.placed);
        twelveThousand(d, c.life);
        const auto stored = d.schedule(c.book ? CalcSLBook : CalcSLOldTax,
                                       static_cast<int>(c.schedule.size()), c.book);
        expectSchedule(stored, c.schedule);
        if (std::string(c.life) != "7.5") {
            EXPECT_NEAR(testing::sum(stored), 10000, 1e-6);
        }
    }
}

TEST(CalcSLBook, BusinessUseAndWhatIsLeft) {
    struct Case {
        const char* name;
        std::optional<double> businessUse;
        double prior;
        int recoveryYear;
        double expected;
    };
    const Case cases[] = {
        {"half business use halves salvage too", 0.5, 0, 2, 1000},
        {"half business use, first year", 0.5, 0, 1, 833.333333},
        {"fully depreciated", 1, 10000, 3, 0},
        {"no business use", 0, 0, 2, 0},
        {"empty business use: nothing and no error", std::nullopt, 0, 1, 0},
        {"past the stub year, less than a stub left", 1, 9999, 8, 1},
        {"stub year, less than the stub left", 1, 9900, 6, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecordingReporter reporter;
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 10));
        twelveThousand(d, "5");
        d.asset.busUseBook = c.businessUse;
        d.asset.priorAccumBook = c.prior;
        d.atRecoveryYear(c.recoveryYear);
        EXPECT_NEAR(d.runBook(CalcSLBook), c.expected, 1e-6);
        EXPECT_TRUE(reporter.reports.empty());
    }
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
        twelveThousand(d, "10");
        d.asset.priorAccumTax = c.prior;
        d.atRecoveryYear(c.recoveryYear);
        EXPECT_NEAR(d.runTax(CalcSLOldTax), c.expected, 1e-6);
    }
}

}  // namespace
}  // namespace czx
