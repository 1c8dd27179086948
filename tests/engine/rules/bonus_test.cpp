// The bonus the calculator proposes, and when the automobile limits may cut it.
#include "engine/rules/bonus.h"

#include <gtest/gtest.h>

#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::ymd;

TEST(BonusAmount, BusinessBasisLessSection179AtTheRate) {
    struct Case {
        double cost, use, section179, rate, expected;
    };
    const Case cases[] = {
        {10000, 1, 2000, 0.5, 4000}, {10000, 1, 2000, 1, 8000},     {10000, 1, 2000, 0.3, 2400},
        {10000, 0.5, 0, 0.5, 2500},  {10000, 0.8, 2000, 0.6, 3600}, {18500, 1, 0, 1, 18500},
        {10000, 1, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(bonusAmount(c.cost, c.use, c.section179, c.rate), c.expected)
            << c.cost << " x " << c.use << " - " << c.section179 << " at " << c.rate;
}

TEST(AutomobileLimitsMayCutBonus, CostlyAutomobilesPlacedAfterTheBonusBegan) {
    struct Case {
        double cost;
        const char* method;
        Date placed;
        bool expected;
    };
    const Case cases[] = {
        {15321, "MACRS-Auto", ymd(2012, 6, 1), true},
        {15320, "MACRS-Auto", ymd(2012, 6, 1), false},
        {40000, "MACRS", ymd(2012, 6, 1), false},
        {40000, "MACRS SL-PP", ymd(2012, 6, 1), false},
        {40000, "MACRS-Auto", ymd(2001, 9, 10), false},
        {40000, "MACRS-Auto", ymd(2001, 9, 11), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(automobileLimitsMayCutBonus(c.cost, c.method, c.placed), c.expected)
            << c.cost << " " << c.method << " " << shortDate(c.placed);
}

}  // namespace
}  // namespace czx
