// The method a passenger automobile must take, and when a heavy vehicle's
// Section 179 cap may apply.
#include "engine/rules/vehicles.h"

#include <gtest/gtest.h>

#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::ymd;

TEST(AutomobileMethod, StraightLineAtHalfBusinessUseOrLess) {
    const std::pair<double, const char*> cases[] = {
        {1, "MACRS-Auto"},    {0.75, "MACRS-Auto"}, {0.51, "MACRS-Auto"},
        {0.5, "MACRS SL-PP"}, {0.3, "MACRS SL-PP"}, {0, "MACRS SL-PP"},
    };
    for (auto [use, method] : cases) EXPECT_EQ(automobileMethod(use), method) << use;
}

TEST(HeavyVehicleCapMayApply, FiveYearMacrsAfterTheCapBegan) {
    struct Case {
        Date placed;
        const char *method, *life;
        bool expected;
    };
    const Case cases[] = {
        {ymd(2012, 6, 1), "MACRS", "5", true},       {ymd(2004, 10, 23), "MACRS", "5", true},
        {ymd(2004, 10, 22), "MACRS", "5", false},    {ymd(2012, 6, 1), "MACRS", "7", false},
        {ymd(2012, 6, 1), "MACRS-Auto", "5", false}, {ymd(2012, 6, 1), "MACRS-150%", "5", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(heavyVehicleCapMayApply(c.placed, c.method, c.life), c.expected)
            << shortDate(c.placed) << " " << c.method << " " << c.life;
}

}  // namespace
}  // namespace czx
