// The yearly federal figures: complete for every year known, and the
// published values at the boundaries the law drew.
#include "engine/tables/federal_law.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::ymd;

TEST(FederalLaw, EveryYearKnownHasEachFigureOnce) {
    std::set<int> years;
    for (const auto& row : law::section179Years()) {
        EXPECT_TRUE(years.insert(row.year).second) << row.year;
        EXPECT_GT(row.limit, 0) << row.year;
        EXPECT_GT(row.threshold, row.limit) << row.year;
        EXPECT_NE(std::string(row.source), "") << row.year;
    }
    EXPECT_EQ(*years.begin(), 1995);
    EXPECT_EQ(*years.rbegin(), law::kLastYearKnown);
    EXPECT_EQ(years.size(), static_cast<std::size_t>(law::kLastYearKnown - 1995 + 1));
    for (int year = 1995; year <= law::kLastYearKnown; ++year)
        EXPECT_TRUE(law::automobileLimits(year, ymd(year, 12, 31), false)) << year;
    for (int year = 2004; year <= law::kLastYearKnown; ++year)
        EXPECT_TRUE(law::heavyVehicleSection179Cap(year)) << year;
    EXPECT_FALSE(law::heavyVehicleSection179Cap(2003));
    EXPECT_EQ(law::heavyVehicleSection179Cap(2018), 25000);
    EXPECT_EQ(law::heavyVehicleSection179Cap(2024), 30500);
    EXPECT_EQ(law::heavyVehicleSection179Cap(2026), 32000);
    EXPECT_FALSE(law::section179(law::kLastYearKnown + 1));
    EXPECT_FALSE(law::automobileLimits(law::kLastYearKnown + 1, ymd(2027, 3, 1), false));
    EXPECT_EQ(law::knownLaw(), "Federal law through 2026");
    EXPECT_EQ(law::unknownYearMessage(2027),
              "The program knows federal law through 2026; the limits of 2027 are not known "
              "and were not applied.");
}

TEST(FederalLaw, BonusPeriodsFollowEachOtherWithoutGapOrOverlap) {
    auto periods = law::bonusPeriods();
    ASSERT_FALSE(periods.empty());
    for (std::size_t i = 1; i < periods.size(); ++i)
        EXPECT_EQ(std::chrono::sys_days(periods[i].from),
                  std::chrono::sys_days(periods[i - 1].through) + std::chrono::days(1))
            << i;
}

TEST(FederalLaw, BonusRateByDatePlacedInService) {
    using O = law::BonusOutcome;
    struct BonusCase {
        Date placed;
        law::BonusOutcome outcome;
        double rate;
    };
    const BonusCase cases[] = {
        {ymd(2001, 9, 10), O::Zero, 0},     {ymd(2001, 9, 11), O::Rate, 0.30},
        {ymd(2006, 6, 1), O::Unchanged, 0}, {ymd(2012, 12, 31), O::Rate, 0.50},
        {ymd(2013, 1, 1), O::Rate, 0.50},   {ymd(2017, 9, 27), O::Rate, 0.50},
        {ymd(2017, 9, 28), O::Rate, 1.00},  {ymd(2022, 12, 31), O::Rate, 1.00},
        {ymd(2023, 1, 1), O::Rate, 0.80},   {ymd(2024, 7, 4), O::Rate, 0.60},
        {ymd(2025, 1, 19), O::Rate, 0.40},  {ymd(2025, 1, 20), O::Rate, 1.00},
        {ymd(2026, 12, 31), O::Rate, 1.00},
    };
    for (const auto& c : cases) {
        auto period = law::bonusFor(c.placed);
        EXPECT_EQ(period.outcome, c.outcome) << paddedDate(c.placed);
        EXPECT_EQ(period.rate, c.rate) << paddedDate(c.placed);
    }
    const std::string tip = law::bonusToolTip();
    for (const char* period : {"09/28/2017 to 12/31/2022: 100%", "01/01/2025 to 01/19/2025: 40%",
                               "From 01/20/2025: 100%", "09/11/2001 to 05/05/2003: 30%"})
        EXPECT_NE(tip.find(period), std::string::npos) << period << "\n" << tip;
    EXPECT_NE(tip.find("date placed in service decides"), std::string::npos);
}

TEST(FederalLaw, AutomobileBonusRateKeepsTheOldRuleThrough2012) {
    EXPECT_EQ(law::automobileBonusRate(ymd(2003, 5, 5)), 0.3);
    EXPECT_EQ(law::automobileBonusRate(ymd(2003, 5, 6)), 0.5);
    EXPECT_EQ(law::automobileBonusRate(ymd(2011, 6, 1)), 0.5);  // not the 100 % of 2011
    EXPECT_EQ(law::automobileBonusRate(ymd(2017, 9, 28)), 1.0);
    EXPECT_EQ(law::automobileBonusRate(ymd(2024, 3, 1)), 0.6);
}

}  // namespace
}  // namespace czx
