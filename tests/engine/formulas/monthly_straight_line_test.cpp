// Straight line prorated by months: book ("SL - Book") and old-law tax
// ("SL-Old"). A month of placement counts when placed by its middle.
#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/asset_desk.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::amountIn;
using testing::AssetDesk;
using testing::Holding;
using testing::ymd;

// Cost 12,000 with a salvage value of 2,000, placed March 10 (which counts).
Holding twelveThousand(const char* life = "5", Date placed = ymd(2012, 3, 10),
                       Date yrpis = ymd(2012, 12, 31)) {
    return {.yrpis = yrpis, .placed = placed, .life = life, .cost = 12000, .salvage = 2000};
}

TEST(CalcSLBook, SchedulesFollowTheHalfMonthRuleAndRecoverTheBasis) {
    struct Case {
        bool book;
        Holding holding;
        std::vector<double> schedule;
    };
    const std::vector<double> march10 = {1666.67, 2000, 2000, 2000, 2000, 333.33, 0};
    const std::vector<double> march20 = {1500, 2000, 2000, 2000, 2000, 500, 0};
    // clang-format off
    const Case cases[] = {
        // March 10: 10/31 of the month, which counts.
        {true, twelveThousand(), march10},
        // March 20: 20/31, past the middle; March does not count.
        {true, twelveThousand("5", ymd(2012, 3, 20)), march20},
        // The 15th of a 30-day month is the middle itself, which counts.
        {true, twelveThousand("5", ymd(2012, 4, 15)), march20},
        // Last day of the last fiscal month: nothing in year 1, a full stub.
        {true, twelveThousand("5", ymd(2012, 12, 31)), {0, 2000, 2000, 2000, 2000, 2000, 0}},
        // June year end, placed September 10, 2011: fiscal month 3, which
        // counts, so 10 months in the first year and 2 in the stub year.
        {true, twelveThousand("5", ymd(2011, 9, 10), ymd(2012, 6, 30)), march10},
        {false, twelveThousand("10", ymd(2012, 4, 10)),
         {750, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 250, 0}},
        // 10,000 over 7.5 years from January 1: 1,333.33 a year for 7 years;
        // no recovery year equals 8.5, so nothing after, and 666.69 never taken.
        {false, twelveThousand("7.5", ymd(2012, 1, 1)),
         {1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 1333.33, 0, 0}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.book ? "book " : "old tax ") << c.holding.life
                                          << ", " << isoDate(c.holding.placed));
        AssetDesk d(c.holding);
        const auto stored = d.schedule(c.book ? calcSLBook : calcSLOldTax,
                                       static_cast<int>(c.schedule.size()), c.book);
        testing::expectSchedule(stored, c.schedule);
    }
}

TEST(MonthlyStraightLine, BusinessUseAndWhatIsLeft) {
    struct Case {
        const char* name;
        bool book;
        Holding holding;
        int year;
        double expected;
    };
    Holding empty = twelveThousand();
    empty.use.reset();
    Holding half = twelveThousand(), none = twelveThousand();
    half.use = 0.5;
    none.use = 0;
    auto after = [](double prior, const char* life = "5", Date placed = ymd(2012, 3, 10)) {
        Holding h = twelveThousand(life, placed);
        h.prior = prior;
        return h;
    };
    const Date april10 = ymd(2012, 4, 10);
    // clang-format off
    const Case cases[] = {
        {"half business use halves salvage too", true, half, 2, 1000},
        {"half business use, first year", true, half, 1, 833.333333},
        {"fully depreciated", true, after(10000), 3, 0},
        {"no business use", true, none, 2, 0},
        {"empty business use: nothing and no error", true, empty, 1, 0},
        {"past the stub year, less than a stub left", true, after(9999), 8, 1},
        {"stub year, less than the stub left", true, after(9900), 6, 100},
        // Old law: only the extra year takes the stub.
        {"the stub, 3 months", false, after(9750, "10", april10), 11, 250},
        {"less than the stub left", false, after(9900, "10", april10), 11, 100},
        {"the book method would take the 1.00 left", false, after(9999, "10", april10), 12, 0},
        {"fully depreciated", false, after(10000, "10", april10), 3, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        testing::RecordingReporter reporter;
        EXPECT_NEAR(amountIn(c.book ? calcSLBook : calcSLOldTax, c.holding, c.year), c.expected,
                    1e-6)
            << c.name;
        EXPECT_TRUE(reporter.reports.empty()) << c.name;
    }
}

}  // namespace
}  // namespace czx
