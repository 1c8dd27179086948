#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/tables/calculators.h"
#include "tests/engine/tables/rig.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::Rig;
using testing::ymd;

struct Case {
    const char* name;
    Date placed;
    Date yrpis;
    const char* life;
    double amount;
    std::vector<double> expected;  // by fiscal year from the first
};

void checkTaxSchedule(const Case& c) {
    Rig rig(c.placed, c.yrpis);
    rig.asset.lifeTax = c.life;
    rig.asset.post30Basis = c.amount;
    double total = 0;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        CalcAmort(rig.recoveryYear(static_cast<int>(i) + 1));
        EXPECT_NEAR(rig.work.CurrentDprnTax, c.expected[i], 1e-6) << c.name << ", year " << i + 1;
        total += rig.work.CurrentDprnTax;
    }
    EXPECT_NEAR(total, c.amount, 1e-6) << c.name;
}

// The first year, `fullYears` years of 1,200, the last year, then nothing.
std::vector<double> years(double first, int fullYears, double last) {
    std::vector<double> v{first};
    v.insert(v.end(), fullYears, 1200.0);
    v.push_back(last);
    v.push_back(0.0);
    return v;
}

TEST(CalcAmort, MonthlyAmountsOverThePeriod) {
    // 18,000 over 180 months: 100 a month.
    const Case cases[] = {
        // Placed 10 March, first half: March counts, 10 months; 2 months left in year 16.
        {"10 March", ymd(2012, 3, 10), ymd(2012, 12, 31), "180", 18000, years(1000, 14, 200)},
        // Placed 20 March, second half: 9 months; 3 left at the end.
        {"20 March", ymd(2012, 3, 20), ymd(2012, 12, 31), "180", 18000, years(900, 14, 300)},
        // The 15th of a 30-day month is exactly half: the month counts.
        {"15 April", ymd(2012, 4, 15), ymd(2012, 12, 31), "180", 18000, years(900, 14, 300)},
        {"16 April", ymd(2012, 4, 16), ymd(2012, 12, 31), "180", 18000, years(800, 14, 400)},
        // January, first half: 15 full years and nothing in year 16.
        {"5 January", ymd(2012, 1, 5), ymd(2012, 12, 31), "180", 18000, years(1200, 14, 0)},
        // January, second half: 11 months, 12 in years 2 to 15, 1 in year 16.
        {"25 January", ymd(2012, 1, 25), ymd(2012, 12, 31), "180", 18000, years(1100, 14, 100)},
        // The last month of the fiscal year, second half: nothing in the first year.
        {"20 December", ymd(2012, 12, 20), ymd(2012, 12, 31), "180", 18000, years(0, 14, 1200)},
        // A fiscal year ending in June: February is its 8th month, 5 months to June.
        {"June year end", ymd(2012, 2, 10), ymd(2012, 6, 30), "180", 18000, years(500, 14, 700)},
    };
    for (const auto& c : cases) checkTaxSchedule(c);
}

TEST(CalcAmort, KeepsTheMonthsLeftForTheFinalYearCatchUp) {
    Rig rig(ymd(2012, 3, 10), ymd(2012, 12, 31));
    rig.asset.lifeTax = "180";
    rig.asset.post30Basis = 18000.0;
    struct Step {
        int recoveryYear;
        int monthsLeft;  // at the start of the fiscal year
    };
    const Step steps[] = {{2, 170}, {15, 14}, {16, 2}, {17, -10}};
    for (const auto& s : steps) {
        CalcAmort(rig.recoveryYear(s.recoveryYear));
        EXPECT_EQ(rig.work.RemainingLifeMonths, s.monthsLeft) << "year " << s.recoveryYear;
        EXPECT_EQ(rig.work.PlacedMonthCounts, 1);
    }
}

TEST(CalcAmort, CountsTheRecoveryYearFromThePlacementDate) {
    // "YRPIS" a year late: the calculator still sees its second year, a
    // full twelve months.
    Rig rig(ymd(2012, 3, 10), ymd(2013, 12, 31));
    rig.asset.lifeTax = "180";
    rig.asset.post30Basis = 18000.0;
    CalcAmort(rig.year(ymd(2013, 12, 31)));
    EXPECT_EQ(rig.work.RecoveryYear, 2);
    EXPECT_NEAR(rig.work.CurrentDprnTax, 1200, 1e-6);
}

TEST(CalcAmortBook, AmortizesTheBookCostAtTheBookBusinessUse) {
    struct BookCase {
        Money cost;
        std::optional<double> businessUse;
        const char* life;
        double firstYear;
        double secondYear;
    };
    const BookCase cases[] = {
        // 24,000 at 50 % over 120 months: 100 a month; July 1 counts, 6 months.
        {24000.0, 0.5, "120", 600, 1200},
        {24000.0, 1.0, "120", 1200, 2400},
        {24000.0, std::nullopt, "120", 0, 0},
        {std::nullopt, 1.0, "120", 0, 0},
    };
    for (const auto& c : cases) {
        Rig rig(ymd(2012, 7, 1), ymd(2012, 12, 31));
        rig.asset.costBook = c.cost;
        rig.asset.busUseBook = c.businessUse;
        rig.asset.lifeBook = c.life;
        rig.asset.lifeTax = "0";  // the tax life plays no part
        rig.asset.post30Basis = 99999.0;
        CalcAmortBook(rig.recoveryYear(1));
        EXPECT_NEAR(rig.work.CurrentDprnBook, c.firstYear, 1e-6);
        EXPECT_EQ(rig.work.CurrentDprnTax, 0.0);
        CalcAmortBook(rig.recoveryYear(2));
        EXPECT_NEAR(rig.work.CurrentDprnBook, c.secondYear, 1e-6);
    }
}

TEST(CalcAmort, ALifeThatCannotDivideIsReportedAndLeavesNoAmount) {
    struct Bad {
        bool book;
        const char* life;
        const char* procedure;
        const char* error;
    };
    const Bad cases[] = {
        {false, "0", "Calcform.CalcAmort", "Division by zero (11)"},
        {false, "", "Calcform.CalcAmort", "Division by zero (11)"},
        {false, "nan", "Calcform.CalcAmort", "(13)"},
        {true, "0", "Calcform.CalcAmortBook", "Division by zero (11)"},
        {true, "", "Calcform.CalcAmortBook", "Division by zero (11)"},
    };
    for (const auto& c : cases) {
        testing::RecordingReporter reporter;
        Rig rig(ymd(2012, 3, 10), ymd(2012, 12, 31));
        rig.asset.lifeTax = c.life;
        rig.asset.lifeBook = c.life;
        rig.asset.post30Basis = 18000.0;
        rig.asset.costBook = 18000.0;
        rig.asset.busUseBook = 1.0;
        Calcform& f = rig.recoveryYear(2);
        c.book ? CalcAmortBook(f) : CalcAmort(f);
        ASSERT_EQ(reporter.reports.size(), 1u) << '"' << c.life << '"';
        EXPECT_NE(reporter.reports[0].find(std::string(c.procedure) + "\r\n"), std::string::npos)
            << reporter.reports[0];
        EXPECT_NE(reporter.reports[0].find(c.error), std::string::npos) << reporter.reports[0];
        const double result = c.book ? rig.work.CurrentDprnBook : rig.work.CurrentDprnTax;
        EXPECT_FALSE(std::isnan(result));
        EXPECT_EQ(result, 0.0);
    }
}

}  // namespace
}  // namespace czx
