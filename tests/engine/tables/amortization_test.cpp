// Amortization: the basis spread evenly over a number of months.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "engine/tables/calculators.h"
#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::ymd;

// The first year, `fullYears` years of 1,200, the last year, then nothing.
std::vector<double> years(double first, int fullYears, double last) {
    std::vector<double> v{first};
    v.insert(v.end(), fullYears, 1200.0);
    v.push_back(last);
    v.push_back(0.0);
    return v;
}

TEST(CalcAmort, MonthlyAmountsOverThePeriod) {
    struct Case {
        const char* name;
        Date yrpis;
        Date placed;
        std::vector<double> expected;  // by fiscal year from the first
    };
    // 18,000 over 180 months: 100 a month.
    const Date y2012 = ymd(2012, 12, 31);
    const Case cases[] = {
        // Placed 10 March, first half: March counts, 10 months; 2 months left in year 16.
        {"10 March", y2012, ymd(2012, 3, 10), years(1000, 14, 200)},
        // Placed 20 March, second half: 9 months; 3 left at the end.
        {"20 March", y2012, ymd(2012, 3, 20), years(900, 14, 300)},
        // The 15th of a 30-day month is exactly half: the month counts.
        {"15 April", y2012, ymd(2012, 4, 15), years(900, 14, 300)},
        {"16 April", y2012, ymd(2012, 4, 16), years(800, 14, 400)},
        // January, first half: 15 full years and nothing in year 16.
        {"5 January", y2012, ymd(2012, 1, 5), years(1200, 14, 0)},
        // January, second half: 11 months, 12 in years 2 to 15, 1 in year 16.
        {"25 January", y2012, ymd(2012, 1, 25), years(1100, 14, 100)},
        // The last month of the fiscal year, second half: nothing in the first year.
        {"20 December", y2012, ymd(2012, 12, 20), years(0, 14, 1200)},
        // A fiscal year ending in June: February is its 8th month, 5 months to June.
        {"June year end", ymd(2012, 6, 30), ymd(2012, 2, 10), years(500, 14, 700)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AssetDesk d(c.yrpis, c.placed);
        d.asset.lifeTax = "180";
        d.asset.costTax = 18000;
        d.asset.busUseTax = 1;
        double total = 0;
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            d.atRecoveryYear(static_cast<int>(i) + 1);
            EXPECT_NEAR(d.runTax(CalcAmort), c.expected[i], 1e-6) << "year " << i + 1;
            total += d.work.CurrentDprnTax;
        }
        EXPECT_NEAR(total, 18000, 1e-6);
    }
}

TEST(CalcAmort, KeepsTheMonthsLeftForTheFinalYearCatchUp) {
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 3, 10));
    d.asset.lifeTax = "180";
    d.asset.costTax = 18000;
    d.asset.busUseTax = 1;
    struct Step {
        int recoveryYear;
        int monthsLeft;  // at the start of the fiscal year
    };
    const Step steps[] = {{2, 170}, {15, 14}, {16, 2}, {17, -10}};
    for (const auto& s : steps) {
        d.atRecoveryYear(s.recoveryYear);
        d.runTax(CalcAmort);
        EXPECT_EQ(d.work.RemainingLifeMonths, s.monthsLeft) << "year " << s.recoveryYear;
        EXPECT_EQ(d.work.PlacedMonthCounts, 1);
    }
    // "YRPIS" a year late: the recovery year counts from the date placed, so
    // the first fiscal year is already the second, a full twelve months.
    AssetDesk late(ymd(2013, 12, 31), ymd(2012, 3, 10));
    late.asset.lifeTax = "180";
    late.asset.costTax = 18000;
    late.asset.busUseTax = 1;
    EXPECT_NEAR(late.runTax(CalcAmort), 1200, 1e-6);
    EXPECT_EQ(late.work.RecoveryYear, 2);
}

TEST(CalcAmortBook, AmortizesTheBookCostAtTheBookBusinessUse) {
    struct BookCase {
        Money cost;
        std::optional<double> businessUse;
        double firstYear;
        double secondYear;
    };
    const BookCase cases[] = {
        // 24,000 at 50 % over 120 months: 100 a month; July 1 counts, 6 months.
        {24000.0, 0.5, 600, 1200},
        {24000.0, 1.0, 1200, 2400},
        {24000.0, std::nullopt, 0, 0},
        {std::nullopt, 1.0, 0, 0},
    };
    for (const auto& c : cases) {
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, 7, 1));
        d.asset.costBook = c.cost;
        d.asset.busUseBook = c.businessUse;
        d.asset.lifeBook = "120";
        d.asset.lifeTax = "0";  // the tax side plays no part
        d.asset.costTax = 99999;
        d.asset.busUseTax = 1;
        EXPECT_NEAR(d.runBook(CalcAmortBook), c.firstYear, 1e-6);
        EXPECT_EQ(d.work.CurrentDprnTax, 0.0);
        d.atRecoveryYear(2);
        EXPECT_NEAR(d.runBook(CalcAmortBook), c.secondYear, 1e-6);
    }
}

}  // namespace
}  // namespace czx
