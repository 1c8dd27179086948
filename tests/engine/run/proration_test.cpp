// Disposal-year proration: the months held in the year of disposal.
#include "engine/run/proration.h"

#include <gtest/gtest.h>

#include <optional>

#include "engine/formulas/calculators.h"
#include "tests/engine/asset_desk.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::Holding;
using testing::ymd;

// Cost 12,000, salvage 2,000: old-law straight line over 10 years takes 1,000
// a full year, book straight line over 5 years 2,000.
Holding held(Date placed, double prior = 0, const char* life = "10",
             Date yrpis = ymd(2012, 12, 31)) {
    return {.yrpis = yrpis,
            .placed = placed,
            .life = life,
            .cost = 12000,
            .salvage = 2000,
            .prior = prior};
}

TEST(CalcOldDprnProRation, DisposalYearsOfOldLawAndBookAssets) {
    struct Case {
        const char* name;
        Calculator calculator;
        Holding holding;
        int year;
        Date disposed;
        double expected;
        std::optional<double> yearAmount = {};  // in place of the calculator's
    };
    const Date april10 = ymd(2012, 4, 10), july1 = ymd(2012, 7, 1);
    const Calculator slOld = calcSLOldTax;
    // clang-format off
    const Case cases[] = {
        // Old law, a middle year (A = 1,000): the disposal month counts after its middle.
        {"fifth year, April 20", slOld, held(april10, 3750), 5, ymd(2016, 4, 20), 333.33},
        {"fifth year, April 10", slOld, held(april10, 3750), 5, ymd(2016, 4, 10), 250},
        {"April 15: the middle", slOld, held(april10, 3750), 5, ymd(2016, 4, 15), 250},
        // Year placed in service: placed 7/1 (P = 6, A = 500 for 6 months).
        {"same year, October 20", slOld, held(july1), 1, ymd(2012, 10, 20), 333.33},
        // The extra year (A = the 500 stub for P = 6 months).
        {"extra year, March 20", slOld, held(july1, 9500), 11, ymd(2022, 3, 20), 250},
        {"extra year, August 20", slOld, held(july1, 9500), 11, ymd(2022, 8, 20), 500},
        // Beyond the extra year, whatever the year's amount, nothing is owed.
        {"beyond the extra year", slOld, held(april10), 12, ymd(2023, 6, 20), 0, 700},
        // February 15 in a year of 365 days: 15/28 is past the middle.
        {"February 15", slOld, held(april10, 2750), 4, ymd(2015, 2, 15), 166.67},
        {"February 14", slOld, held(april10, 2750), 4, ymd(2015, 2, 14), 83.33},
        // 1,000.02 × 3 ÷ 12 = 250.005 exactly: the even cent 250.00;
        // 1,000.05 × 5 ÷ 12 = 416.6875 at 4 places, 416.69 at 2.
        {"a tie at the cent", slOld, held(april10), 5, ymd(2016, 3, 20), 250.00, 1000.02},
        {"4 places, then 2", slOld, held(april10), 5, ymd(2016, 5, 20), 416.69, 1000.05},
        // Book: 200 % declining balance, year 2 (2,400), held to the end of June.
        {"DDB 200 %, June 30", testing::ddbBook<DecliningRate::Pct200>, {.prior = 4000}, 2, ymd(2013, 6, 30), 1200},
        // Straight line placed March 10 (counts, P = 2), disposed September
        // 10 (excluded, D = 8): 6 of the first year's 10 months.
        {"SL, same year", calcSLBook, held(ymd(2012, 3, 10), 0, "5"), 1, ymd(2012, 9, 10), 1000},
        // June year end: January is fiscal month 7, held after its middle.
        {"SL, fiscal year", calcSLBook, held(ymd(2011, 9, 10), 3666.67, "5", ymd(2012, 6, 30)), 3,
         ymd(2014, 1, 20), 1166.67},
        // Placed on the last day of the last fiscal month: no month of the
        // first year counts, nothing to prorate.
        {"SL, no month held", calcSLBook, held(ymd(2012, 12, 31), 0, "5"), 1, ymd(2012, 12, 31), 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecordingReporter reporter;
        AssetDesk d(c.holding);
        const bool book = c.calculator != slOld;
        d.atRecoveryYear(c.year);
        d.asset.currentTax = d.asset.currentBook = 123.45;
        d.asset.disposed = c.disposed;
        double yearAmount = d.run(c.calculator);
        if (c.yearAmount) yearAmount = *c.yearAmount;
        const Timing timing = d.timing();
        const Calcform f{d.company, d.asset, timing};
        book ? calcOldDprnProRationBk(f, yearAmount) : calcOldDprnProRation(f, yearAmount);
        const Money& stored = book ? d.asset.currentBook : d.asset.currentTax;
        ASSERT_TRUE(stored.has_value());
        EXPECT_NEAR(*stored, c.expected, 1e-6);
        EXPECT_TRUE(reporter.reports.empty());
    }
}

TEST(CalcOldDprnProRation, ALifeThatIsNoNumberIsReported) {
    testing::RecordingReporter reporter;
    AssetDesk d(held(ymd(2012, 4, 10)));
    d.atRecoveryYear(5);
    d.asset.disposed = ymd(2016, 4, 20);
    const double yearAmount = d.run(calcSLOldTax);
    d.asset.lifeTax = "";
    d.asset.currentTax = 55;
    const Timing timing = d.timing();
    calcOldDprnProRation({d.company, d.asset, timing}, yearAmount);
    EXPECT_TRUE(testing::reportedOnce(reporter.reports, "Calcform.CalcOldDprnProRation",
                                      "Type mismatch (13)"));
    EXPECT_DOUBLE_EQ(*d.asset.currentTax, 55);
}

}  // namespace
}  // namespace czx
