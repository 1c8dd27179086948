// Disposal-year proration: the months held in the year of disposal.
#include "engine/run/proration.h"

#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/asset_desk.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::ymd;

// Old-law straight line: cost 12,000, salvage 2,000, 10 years, 1,000 a full year.
void slOldTenYears(AssetDesk& d) {
    d.asset.costTax = 12000;
    d.asset.salvageTax = 2000;
    d.asset.busUseTax = 1;
    d.asset.lifeTax = "10";
    d.asset.methodTax = "SL-Old";
}

TEST(CalcOldDprnProRation, DisposalYearsOfAnOldLawAsset) {
    struct Case {
        const char* name;
        Date placed;
        int recoveryYear;
        double prior;
        Date disposed;
        double expected;
        std::optional<double> yearAmount = {};  // in place of the calculator's
    };
    const Case cases[] = {
        // Middle year (A = 1,000): the disposal month counts after its middle.
        {"fifth year, April 20", ymd(2012, 4, 10), 5, 3750, ymd(2016, 4, 20), 333.33},
        {"fifth year, April 10", ymd(2012, 4, 10), 5, 3750, ymd(2016, 4, 10), 250},
        {"fifth year, April 15: the middle", ymd(2012, 4, 10), 5, 3750, ymd(2016, 4, 15), 250},
        // Year placed in service: placed 7/1 (P = 6, A = 500 for 6 months).
        {"same year, October 20", ymd(2012, 7, 1), 1, 0, ymd(2012, 10, 20), 333.33},
        // The extra year (A = the 500 stub for P = 6 months).
        {"extra year, March 20", ymd(2012, 7, 1), 11, 9500, ymd(2022, 3, 20), 250},
        {"extra year, August 20", ymd(2012, 7, 1), 11, 9500, ymd(2022, 8, 20), 500},
        // Beyond the extra year, whatever the year's amount, nothing is owed.
        {"beyond the extra year", ymd(2012, 4, 10), 12, 0, ymd(2023, 6, 20), 0, 700},
        // February 15 in a year of 365 days: 15/28 is past the middle.
        {"February 15", ymd(2012, 4, 10), 4, 2750, ymd(2015, 2, 15), 166.67},
        {"February 14", ymd(2012, 4, 10), 4, 2750, ymd(2015, 2, 14), 83.33},
        // 1,000.02 × 3 ÷ 12 = 250.005 exactly: the even cent 250.00;
        // 1,000.05 × 5 ÷ 12 = 416.6875 at 4 places, 416.69 at 2.
        {"a tie at the cent", ymd(2012, 4, 10), 5, 0, ymd(2016, 3, 20), 250.00, 1000.02},
        {"4 places, then 2", ymd(2012, 4, 10), 5, 0, ymd(2016, 5, 20), 416.69, 1000.05},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AssetDesk d({.yrpis = ymd(2012, 12, 31), .placed = c.placed});
        slOldTenYears(d);
        d.atRecoveryYear(c.recoveryYear);
        d.asset.priorAccumTax = c.prior;
        d.asset.currentTax = 123.45;
        d.asset.disposed = c.disposed;
        d.runTax(CalcSLOldTax);
        if (c.yearAmount) d.work.CurrentDprnTax = *c.yearAmount;
        d.work.DisposalFiscalMonth = 11;  // left by another asset: the row's own month counts
        CalcOldDprnProRation(d.form);
        ASSERT_TRUE(d.asset.currentTax.has_value());
        EXPECT_NEAR(*d.asset.currentTax, c.expected, 1e-6);
    }
}

TEST(CalcOldDprnProRation, ALifeThatIsNoNumberIsReported) {
    testing::RecordingReporter reporter;
    AssetDesk d({.yrpis = ymd(2012, 12, 31), .placed = ymd(2012, 4, 10)});
    slOldTenYears(d);
    d.atRecoveryYear(5);
    d.asset.disposed = ymd(2016, 4, 20);
    d.runTax(CalcSLOldTax);
    d.asset.lifeTax = "";
    d.asset.currentTax = 55;
    CalcOldDprnProRation(d.form);
    EXPECT_TRUE(testing::reportedOnce(reporter.reports, "Calcform.CalcOldDprnProRation",
                                      "Type mismatch (13)"));
    EXPECT_DOUBLE_EQ(*d.asset.currentTax, 55);
}

TEST(CalcOldDprnProRationBk, DisposalYearsOfBookAssets) {
    struct Case {
        const char* name;
        testing::Calculator calculator;
        Date yearEnd;
        Date placed;
        int recoveryYear;
        double prior;
        Date disposed;
        double expected;
    };
    const Case cases[] = {
        // 200 % declining balance, year 2 (2,400), held to the end of June.
        {"DDB 200 %, June 30", CalcDDB200Book, ymd(2012, 12, 31), ymd(2012, 1, 5), 2, 4000,
         ymd(2013, 6, 30), 1200},
        // Straight line placed March 10 (counts, P = 2), disposed September
        // 10 (excluded, D = 8): 6 of the first year's 10 months.
        {"SL, same year", CalcSLBook, ymd(2012, 12, 31), ymd(2012, 3, 10), 1, 0, ymd(2012, 9, 10),
         1000},
        // June year end: January is fiscal month 7, held after its middle.
        {"SL, fiscal year", CalcSLBook, ymd(2012, 6, 30), ymd(2011, 9, 10), 3, 3666.67,
         ymd(2014, 1, 20), 1166.67},
        // Placed on the last day of the last fiscal month: no month of the
        // first year counts, nothing to prorate.
        {"SL, no month held", CalcSLBook, ymd(2012, 12, 31), ymd(2012, 12, 31), 1, 0,
         ymd(2012, 12, 31), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecordingReporter reporter;
        AssetDesk d({.yrpis = c.yearEnd, .placed = c.placed});
        d.asset.costBook = 12000;
        d.asset.salvageBook = 2000;
        d.asset.busUseBook = 1;
        d.asset.lifeBook = "5";
        if (c.calculator == CalcDDB200Book) {
            d.asset.costBook = 10000;
            d.asset.salvageBook.reset();
        }
        d.atRecoveryYear(c.recoveryYear);
        d.asset.priorAccumBook = c.prior;
        d.asset.disposed = c.disposed;
        d.runBook(c.calculator);
        CalcOldDprnProRationBk(d.form);
        ASSERT_TRUE(d.asset.currentBook.has_value());
        EXPECT_NEAR(*d.asset.currentBook, c.expected, 1e-6);
        EXPECT_TRUE(reporter.reports.empty());
    }
}

}  // namespace
}  // namespace czx
