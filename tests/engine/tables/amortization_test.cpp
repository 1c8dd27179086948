// Amortization: the basis spread evenly over a number of months.
#include <gtest/gtest.h>

#include <vector>

#include "engine/tables/calculators.h"
#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::amountIn;
using testing::Holding;
using testing::ymd;

// 18,000 over 180 months: 100 a month; the first year, then `fullYears` years
// of 1,200, the last year, then nothing.
std::vector<double> years(double first, double last, int fullYears = 14) {
    std::vector<double> v{first};
    v.insert(v.end(), fullYears, 1200.0);
    v.push_back(last);
    v.push_back(0.0);
    return v;
}

TEST(CalcAmort, MonthlyAmountsOverThePeriod) {
    struct Case {
        const char* name;
        Date placed;
        std::vector<double> expected;  // by fiscal year from the first
        Date yrpis = ymd(2012, 12, 31);
    };
    const Case cases[] = {
        // Placed 10 March, first half: March counts, 10 months; 2 months left in year 16.
        {"10 March", ymd(2012, 3, 10), years(1000, 200)},
        // Placed 20 March, second half: 9 months; 3 left at the end.
        {"20 March", ymd(2012, 3, 20), years(900, 300)},
        // The 15th of a 30-day month is exactly half: the month counts.
        {"15 April", ymd(2012, 4, 15), years(900, 300)},
        {"16 April", ymd(2012, 4, 16), years(800, 400)},
        // January, first half: 15 full years and nothing in year 16.
        {"5 January", ymd(2012, 1, 5), years(1200, 0)},
        // January, second half: 11 months, 12 in years 2 to 15, 1 in year 16.
        {"25 January", ymd(2012, 1, 25), years(1100, 100)},
        // The last month of the fiscal year, second half: nothing in the first year.
        {"20 December", ymd(2012, 12, 20), years(0, 1200)},
        // A fiscal year ending in June: February is its 8th month, 5 months to June.
        {"June year end", ymd(2012, 2, 10), years(500, 700), ymd(2012, 6, 30)},
        // "YRPIS" a year late: the recovery year counts from the date placed,
        // so the first fiscal year is already the second, a full twelve months.
        {"late YRPIS", ymd(2012, 3, 10), years(1200, 200, 13), ymd(2013, 12, 31)},
    };
    for (const auto& c : cases) {
        const Holding h{.yrpis = c.yrpis, .placed = c.placed, .life = "180", .cost = 18000};
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_NEAR(amountIn(calcAmort, h, static_cast<int>(i) + 1), c.expected[i], 1e-6)
                << c.name << ", year " << i + 1;
    }
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
        for (int year : {1, 2}) {
            testing::AssetDesk d({.placed = ymd(2012, 7, 1), .life = "0", .cost = 99999});
            d.asset.costBook = c.cost;  // the tax side plays no part
            d.asset.busUseBook = c.businessUse;
            d.asset.lifeBook = "120";
            d.atRecoveryYear(year);
            EXPECT_NEAR(d.run(calcAmortBook), year == 1 ? c.firstYear : c.secondYear, 1e-6);
        }
    }
}

}  // namespace
}  // namespace czx
