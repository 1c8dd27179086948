// MACRS straight line for real property over 40 years, mid-month.
#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/formulas/asset_desk.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::ymd;

TEST(CalcSLRPTax, WorkedBuildingsOfOneHundredThousand) {
    struct Case {
        unsigned placedMonth;
        int recoveryYear;
        double expected;
    };
    const Case cases[] = {
        {1, 1, 2396},  {1, 2, 2500},  {1, 40, 2500},  {1, 41, 104},  {1, 42, 0},
        {12, 1, 104},  {12, 2, 2500}, {12, 41, 2396}, {12, 42, 0},   {7, 1, 1146},
        {7, 41, 1354}, {2, 41, 312},  {5, 41, 937},   {8, 41, 1562}, {11, 41, 2187},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "month " << c.placedMonth << " year " << c.recoveryYear);
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, c.placedMonth, 1));
        d.asset.costTax = 100000;
        d.asset.busUseTax = 1;
        d.atRecoveryYear(c.recoveryYear);
        EXPECT_NEAR(d.runTax(CalcSLRPTax), c.expected, 1e-6);
    }
}

TEST(CalcSLRPTax, EveryMonthOfPlacementRecoversTheWholeBasisIn41Years) {
    for (unsigned month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, month, 20));
        d.asset.costTax = 100000;
        d.asset.busUseTax = 1;
        const auto stored = d.taxSchedule(CalcSLRPTax, 42);
        EXPECT_NEAR(testing::sum(stored), 100000, 1e-6);
        EXPECT_DOUBLE_EQ(stored.back(), 0);
    }
}

TEST(CalcSLRPTax, FiscalYearMonthsCountFromTheYearEnd) {
    // June year end: placed in July is the first fiscal month, in June the last.
    AssetDesk july(ymd(2012, 6, 30), ymd(2011, 7, 15));
    july.asset.costTax = 100000;
    july.asset.busUseTax = 1;
    EXPECT_NEAR(july.runTax(CalcSLRPTax), 2396, 1e-6);
    AssetDesk june(ymd(2012, 6, 30), ymd(2012, 6, 15));
    june.asset.costTax = 100000;
    june.asset.busUseTax = 1;
    EXPECT_NEAR(june.runTax(CalcSLRPTax), 104, 1e-6);
}

TEST(CalcSLRPTax, BeforeThePlacementYearThereIsNoRate) {
    // A year end before "YRPIS" gives an index below 1.
    AssetDesk d(ymd(2012, 12, 31), ymd(2012, 12, 1));
    d.asset.costTax = 100000;
    d.asset.busUseTax = 1;
    d.atRecoveryYear(0);
    EXPECT_DOUBLE_EQ(d.runTax(CalcSLRPTax), 0);
}

}  // namespace
}  // namespace czx
