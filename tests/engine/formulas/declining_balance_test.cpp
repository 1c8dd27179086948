// Declining balance at 125 %, 150 % and 200 %, book and old-law tax.
#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::amountIn;
using testing::AssetDesk;
using testing::Calculator;
using testing::Holding;
using testing::ymd;

struct Variant {
    const char* name;
    Calculator calculator;
    bool book;
};
const Variant k125Book{"125 % book", testing::ddbBook<DecliningRate::Pct125>, true};
const Variant k150Book{"150 % book", testing::ddbBook<DecliningRate::Pct150>, true};
const Variant k200Book{"200 % book", testing::ddbBook<DecliningRate::Pct200>, true};
const Variant k125Tax{"125 % tax", testing::ddbOldTax<DecliningRate::Pct125>, false};
const Variant k150Tax{"150 % tax", testing::ddbOldTax<DecliningRate::Pct150>, false};
const Variant k200Tax{"200 % tax", testing::ddbOldTax<DecliningRate::Pct200>, false};

// 10,000 over 5 years placed January 5: the first month counts, a full first year.
TEST(DecliningBalance, SingleYears) {
    struct Case {
        const char* name;
        const Variant& variant;
        Holding holding;
        int year;
        double expected;
    };
    // clang-format off
    const Case cases[] = {
        // The schedules below start with the first years of 200 % and 150 % tax.
        {"first year", k125Book, {}, 1, 2500},
        {"first year", k150Book, {}, 1, 3000},
        {"first year", k125Tax, {}, 1, 2500},
        {"60 % business use depreciates 6,000", k200Book, {.use = 0.6}, 1, 2400},
        {"60 % business use depreciates 6,000", k200Tax, {.use = 0.6}, 1, 2400},
        {"salvage value plays no part", k200Book, {.salvage = 5000}, 1, 4000},
        {"salvage value plays no part", k200Tax, {.salvage = 5000}, 1, 4000},
        {"more taken than the business cost: negative", k200Book, {.prior = 10500}, 3, -500},
        {"more taken than the business cost: negative", k200Tax, {.prior = 10500}, 3, -500},
        {"more taken in the first year: negative", k200Book, {.prior = 10500}, 1, -500},
        {"more taken in the first year: negative", k200Tax, {.prior = 10500}, 1, -500},
        {"exactly 12 months left: all the rest", k200Book, {.prior = 8920}, 5, 1080},
        {"exactly 12 months left: all the rest", k200Tax, {.prior = 8920}, 5, 1080},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_NEAR(amountIn(c.variant.calculator, c.holding, c.year), c.expected, 1e-6)
            << c.variant.name << ": " << c.name;
}

// Each year takes the larger of the declining balance and the straight line
// over the months left, and the schedule recovers the whole cost.
TEST(DecliningBalance, TwoHundredPercentSwitchesToStraightLine) {
    struct Case {
        const Variant& variant;
        Holding holding;
        std::vector<double> schedule;
    };
    // clang-format off
    const Case cases[] = {
        // Year 4: declining balance 864 is below the straight line 2,160 ÷ 2.
        {k200Book, {}, {4000, 2400, 1440, 1080, 1080, 0}},
        {k200Tax, {}, {4000, 2400, 1440, 1080, 1080, 0}},
        // July 20 (past the middle): 5 months in year 1; months left at the
        // start of years 2 to 6: 55, 43, 31, 19, 7.
        //   3,333.33 = 8,333.33 × 0.4;  2,000 = 5,000 × 0.4;  1,200 = 3,000 × 0.4
        //   1,136.84 = 1,800 × 12 ÷ 19 (more than 720);  663.16 what is left.
        {k200Book, {.placed = ymd(2012, 7, 20)},
         {1666.67, 3333.33, 2000, 1200, 1136.84, 663.16, 0}},
        // 150 %: 2,100 = 7,000 × 0.3;  1,633.33 = 4,900 ÷ 3 (more than 1,470);
        // 1,633.335 to the even cent 1,633.34;  the rest 1,633.33.
        {k150Tax, {}, {3000, 2100, 1633.33, 1633.34, 1633.33, 0}},
        // June year end, placed September 10, 2011 (fiscal month 3, counts):
        // 10 months in year 1; months left at the start of years 2 to 6: 50,
        // 38, 26, 14, 2.
        //   2,666.67 = 6,666.67 × 0.4;  1,600 = 4,000 × 0.4 (straight line
        //   1,263.16);  1,107.69 = 2,400 × 12 ÷ 26 (more than 960);
        //   1,107.69 = 1,292.31 × 12 ÷ 14;  184.62 what is left.
        {k200Tax, {.yrpis = ymd(2012, 6, 30), .placed = ymd(2011, 9, 10)},
         {3333.33, 2666.67, 1600, 1107.69, 1107.69, 184.62, 0}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.variant.name << " placed " << isoDate(c.holding.placed));
        AssetDesk d(c.holding);
        const auto stored =
            d.schedule(c.variant.calculator, static_cast<int>(c.schedule.size()), c.variant.book);
        testing::expectSchedule(stored, c.schedule);
        EXPECT_NEAR(testing::sum(stored), 10000, 1e-6);
    }
}

}  // namespace
}  // namespace czx
