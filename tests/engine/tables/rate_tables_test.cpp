// The ACRS and MACRS rate tables and the calculators that read them: by
// class, recovery year, month of placement (real property) and quarter of
// placement (mid-quarter convention).
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "engine/run/dispatch.h"
#include "engine/tables/acrs_tables.h"
#include "engine/tables/calculators.h"
#include "engine/tables/macrs_tables.h"
#include "engine/tables/midquarter_tables.h"
#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::Calculator;
using testing::ymd;

struct YearTable {
    const char* name;
    std::span<const double> rates;
    std::size_t years;  // the class life and the closing (half) year
};

// clang-format off
#define CZX_TABLE(name, years) YearTable{#name, tables::name, years}
#define CZX_QUARTER(q)                                                                      \
    CZX_TABLE(MACRS3_##q##Qrt, 4), CZX_TABLE(MACRS5_##q##Qrt, 6),                           \
    CZX_TABLE(MACRS7_##q##Qrt, 8), CZX_TABLE(MACRS10_##q##Qrt, 11),                         \
    CZX_TABLE(MACRS15_##q##Qrt, 16), CZX_TABLE(MACRS20_##q##Qrt, 21),                       \
    CZX_TABLE(MACRS3_##q##Qrt150, 4), CZX_TABLE(MACRS5_##q##Qrt150, 6),                     \
    CZX_TABLE(MACRS7_##q##Qrt150, 8), CZX_TABLE(MACRS10_##q##Qrt150, 11)
// clang-format on

TEST(RateTables, EveryColumnTotalsTheWholeBasis) {
    const YearTable byYear[] = {
        CZX_TABLE(ACRS3, 3),        CZX_TABLE(ACRS5, 5),      CZX_TABLE(ACRS10, 10),
        CZX_TABLE(MACRS3, 4),       CZX_TABLE(MACRS5, 6),     CZX_TABLE(MACRS7, 8),
        CZX_TABLE(MACRS10, 11),     CZX_TABLE(MACRS15, 16),   CZX_TABLE(MACRS20, 21),
        CZX_TABLE(MACRS150_3, 4),   CZX_TABLE(MACRS150_5, 6), CZX_TABLE(MACRS150_7, 8),
        CZX_TABLE(MACRS150_10, 11), CZX_QUARTER(1st),         CZX_QUARTER(2nd),
        CZX_QUARTER(3rd),           CZX_QUARTER(4th),
    };
    for (const auto& t : byYear) {
        EXPECT_EQ(t.rates.size(), t.years) << t.name;
        double sum = 0;
        for (double rate : t.rates) sum += rate;
        EXPECT_NEAR(sum, 1.0, 1e-9) << t.name;
    }

    // Real property: every month of placement, and nothing after the last year.
    const struct {
        const char* name;
        std::span<const tables::MonthRow> rows;
        int lastYear;
    } byMonth[] = {{"ACRS15", tables::ACRS15, 16},   {"ACRS18", tables::ACRS18, 19},
                   {"ACRS19", tables::ACRS19, 20},   {"MACRS28", tables::MACRS28, 29},
                   {"MACRS32", tables::MACRS32, 33}, {"MACRS39", tables::MACRS39, 40}};
    for (const auto& t : byMonth) {
        for (int month = 1; month <= 12; ++month) {
            double sum = 0;
            for (int year = 1; year <= 60; ++year)
                sum += tables::rateForServiceMonth(t.rows, 12 * (year - 1) + month);
            EXPECT_NEAR(sum, 1.0, 1e-9) << t.name << " month " << month;
            EXPECT_EQ(tables::rateForServiceMonth(t.rows, 12 * t.lastYear + month), 0.0)
                << t.name << " month " << month;
        }
    }
}

// The tax pass's amount on a basis of 100,000 in one recovery year.
double onHundredThousand(Calculator calculator, const char* life, Date placed, Date yrpis,
                         int recoveryYear) {
    return testing::amountIn(
        calculator, {.yrpis = yrpis, .placed = placed, .life = life, .cost = 100000}, recoveryYear);
}

TEST(TableCalculators, RatesByClassMonthAndRecoveryYear) {
    struct Case {
        Calculator calculator;
        const char* life;
        Date placed;
        Date yrpis;
        int recoveryYear;
        double expected;
    };
    const Date y1984 = ymd(1984, 12, 31), y1990 = ymd(1990, 12, 31), y2012 = ymd(2012, 12, 31);
    const Case cases[] = {
        // ACRS personal property: the year of placement makes no difference.
        {calcACRS, "5", ymd(1984, 4, 10), y1984, 1, 15000},
        {calcACRS, "5", ymd(1984, 4, 10), y1984, 5, 21000},
        {calcACRS, "5", ymd(1984, 4, 10), y1984, 6, 0},
        // ACRS real property by month placed.
        {calcACRS, "15", ymd(1984, 7, 10), y1984, 1, 6000},
        {calcACRS, "15", ymd(1984, 7, 10), y1984, 16, 3000},
        {calcACRS, "15", ymd(1984, 7, 10), y1984, 17, 0},
        {calcACRS, "19", ymd(1984, 12, 10), y1984, 1, 400},
        {calcACRS, "19", ymd(1984, 12, 10), y1984, 20, 4000},
        {calcACRS, "18", ymd(1984, 1, 10), y1984, 19, 0},
        {calcACRS, "18", ymd(1984, 12, 10), y1984, 19, 3600},
        // September is month 3 of a fiscal year ending in June.
        {calcACRS, "15", ymd(1983, 9, 1), ymd(1984, 6, 30), 1, 10000},
        {calcACRS, "15", ymd(1983, 9, 1), ymd(1984, 6, 30), 2, 11000},
        // Lives without a table.
        {calcACRS, "7", ymd(1984, 4, 10), y1984, 1, 0},
        {calcACRS, "5.0", ymd(1984, 4, 10), y1984, 1, 0},
        // MACRS 39 years, month 7; January is month 7 of a June fiscal year.
        {calcMACRS, "39", ymd(2012, 7, 10), y2012, 1, 1177},
        {calcMACRS, "39", ymd(2012, 7, 10), y2012, 2, 2564},
        {calcMACRS, "39", ymd(2012, 7, 10), y2012, 40, 1391},
        {calcMACRS, "39", ymd(2012, 7, 10), y2012, 41, 0},
        {calcMACRS, "39", ymd(2012, 1, 20), ymd(2012, 6, 30), 1, 1177},
        {calcMACRS, "39", ymd(2012, 1, 20), ymd(2012, 6, 30), 40, 1391},
        // 27.5 years, month 3.
        {calcMACRS, "27.5", ymd(2012, 3, 1), y2012, 1, 2879},
        {calcMACRS, "27.5", ymd(2012, 3, 1), y2012, 10, 3637},
        {calcMACRS, "27.5", ymd(2012, 3, 1), y2012, 11, 3636},
        // 31.5 years: the even and odd years swap with the parity of the month.
        {calcMACRS, "31.5", ymd(1990, 1, 5), y1990, 1, 3042},
        {calcMACRS, "31.5", ymd(1990, 1, 5), y1990, 8, 3175},
        {calcMACRS, "31.5", ymd(1990, 1, 5), y1990, 9, 3174},
        {calcMACRS, "31.5", ymd(1990, 1, 5), y1990, 32, 1720},
        {calcMACRS, "31.5", ymd(1990, 2, 5), y1990, 8, 3174},
        {calcMACRS, "31.5", ymd(1990, 2, 5), y1990, 9, 3175},
        // Half-year classes to their last year; 20 years carry three decimals
        // of a percent. A June fiscal year still counts from "YRPIS".
        {calcMACRS, "3", ymd(2012, 8, 1), y2012, 4, 7410},
        {calcMACRS, "3", ymd(2012, 8, 1), y2012, 5, 0},
        {calcMACRS, "20", ymd(2012, 6, 1), y2012, 2, 7219},
        {calcMACRS, "20", ymd(2012, 6, 1), y2012, 21, 2231},
        {calcMACRS150, "10", ymd(2012, 5, 5), y2012, 2, 13880},
        {calcMACRS150, "10", ymd(2012, 5, 5), y2012, 11, 4370},
        {calcMACRS150, "10", ymd(2012, 5, 5), y2012, 12, 0},
        {calcMACRS, "10", ymd(2011, 9, 1), ymd(2012, 6, 30), 2, 18000},
        {calcMACRS, "10", ymd(2011, 9, 1), ymd(2012, 6, 30), 11, 3280},
        // Nothing before the first recovery year.
        {calcMACRS, "5", ymd(2012, 3, 15), y2012, 0, 0},
        {calcMACRS, "39", ymd(2012, 3, 15), y2012, 0, 0},
        // Only the listed life texts select a table.
        {calcMACRS, "5", ymd(2012, 3, 15), y2012, 1, 20000},
        {calcMACRS, "12", ymd(2012, 3, 15), y2012, 1, 0},
        {calcMACRS, " 5", ymd(2012, 3, 15), y2012, 1, 0},
        {calcMACRS, "", ymd(2012, 3, 15), y2012, 1, 0},
        {calcMACRS, "27.50", ymd(2012, 3, 15), y2012, 1, 0},
        {calcMACRS150, "5", ymd(2012, 3, 15), y2012, 1, 15000},
        {calcMACRS150, "15", ymd(2012, 3, 15), y2012, 1, 0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(onHundredThousand(c.calculator, c.life, c.placed, c.yrpis, c.recoveryYear),
                    c.expected, 1e-6)
            << '"' << c.life << "\" placed " << isoDate(c.placed) << " year " << c.recoveryYear;
}

// The first year of a mid-quarter year: the quarter of placement is stored in
// "MidQrtAsset" and selects the year's rate, for the classes that have one.
TEST(MidQuarterMACRS, FindsTheQuarterOfTheFiscalYear) {
    struct Case {
        Date yearEnd;
        Date placed;
        const char* quarter;
        double firstYear;  // on 10,000
        const char* life = "5";
        bool elected150 = false;
    };
    const Case cases[] = {
        // December year end: calendar quarters.
        {ymd(2012, 12, 31), ymd(2012, 2, 10), "1", 3500},
        {ymd(2012, 12, 31), ymd(2012, 5, 1), "2", 2500},
        {ymd(2012, 12, 31), ymd(2012, 9, 30), "3", 1500},
        // June year end: July to September is the first quarter.
        {ymd(2012, 6, 30), ymd(2011, 8, 20), "1", 3500},
        {ymd(2012, 6, 30), ymd(2011, 12, 31), "2", 2500},
        {ymd(2012, 6, 30), ymd(2012, 3, 3), "3", 1500},
        {ymd(2012, 6, 30), ymd(2012, 5, 3), "4", 500},
        // February year end: the last quarter reaches back into December.
        {ymd(2013, 2, 28), ymd(2012, 6, 1), "2", 2500},
        {ymd(2013, 2, 28), ymd(2012, 11, 30), "3", 1500},
        {ymd(2013, 2, 28), ymd(2012, 12, 1), "4", 500},
        {ymd(2013, 2, 28), ymd(2013, 2, 28), "4", 500},
        // A life outside the quarter classes: the quarter is still recorded.
        {ymd(2012, 12, 31), ymd(2012, 11, 15), "4", 0, "15", true},
        {ymd(2012, 12, 31), ymd(2012, 11, 15), "4", 0, "5.0"},
        {ymd(2012, 12, 31), ymd(2012, 11, 15), "4", 0, "27.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "year end " << isoDate(c.yearEnd) << ", placed "
                                          << isoDate(c.placed) << ", life " << c.life);
        AssetDesk d({.yrpis = c.yearEnd, .placed = c.placed, .life = c.life});
        d.midQuarterYear = true;
        const QuarterTables tables = c.elected150 ? QuarterTables::MACRS150 : QuarterTables::MACRS;
        EXPECT_NEAR(d.run([&](const Calcform& f) { return calcMidQrtMACRS(f, tables); }),
                    c.firstYear, 1e-6);
        EXPECT_EQ(d.asset.midQrtAsset, c.quarter);
    }
}

// Through the dispatch: the first year in a mid-quarter year finds and
// stores the quarter; every later year, in years that are not mid-quarter
// years, takes the stored quarter's table.
TEST(MidQuarterMACRS, KeepsTheQuarterTableForTheWholeRecoveryPeriod) {
    struct Lifetime {
        bool elected150;
        const char* life;
        Date placed;
        const char* quarter;
        std::vector<double> expected;  // by recovery year on 100,000
    };
    // clang-format off
    const Lifetime lifetimes[] = {
        {false, "5", ymd(2012, 11, 15), "4", {5000, 38000, 22800, 13680, 10940, 9580, 0}},
        {false, "10", ymd(2012, 2, 1), "1",
         {17500, 16500, 13200, 10560, 8450, 6760, 6550, 6550, 6560, 6550, 820, 0}},
        {false, "3", ymd(2012, 8, 1), "3", {25000, 50000, 16670, 8330, 0}},
        {true, "7", ymd(2012, 7, 4), "3",
         {8040, 19710, 15480, 12270, 12280, 12270, 12280, 7670, 0}},
        {true, "3", ymd(2012, 12, 31), "4", {6250, 46880, 25000, 21870, 0}},
    };
    // clang-format on
    for (const auto& l : lifetimes) {
        AssetDesk d({.placed = l.placed, .life = l.life, .cost = 100000});
        d.asset.methodTax = l.elected150 ? "MACRS-150%" : "MACRS";
        for (std::size_t i = 0; i < l.expected.size(); ++i) {
            const int year = static_cast<int>(i) + 1;
            SCOPED_TRACE(::testing::Message()
                         << (l.elected150 ? "150 % " : "") << l.life << " year " << year);
            d.atRecoveryYear(year);
            d.midQuarterYear = year == 1;
            EXPECT_NEAR(d.run(taxDeprnMethSelector), l.expected[i], 1e-6);
            EXPECT_EQ(d.asset.midQrtAsset, l.quarter);
        }
    }
}

}  // namespace
}  // namespace czx
