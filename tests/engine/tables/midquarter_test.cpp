#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "engine/tables/calculators.h"
#include "engine/tables/midquarter_tables.h"
#include "tests/engine/tables/rig.h"

namespace czx {
namespace {

using testing::Rig;
using testing::ymd;

TEST(MidQuarterTables, EveryClassAndQuarterTotalsTheWholeBasis) {
    const struct {
        const char* name;
        std::span<const double> rates;
        std::size_t years;
    } tables[] = {
        {"MACRS3_1stQrt", tables::MACRS3_1stQrt, 4},
        {"MACRS5_1stQrt", tables::MACRS5_1stQrt, 6},
        {"MACRS7_1stQrt", tables::MACRS7_1stQrt, 8},
        {"MACRS10_1stQrt", tables::MACRS10_1stQrt, 11},
        {"MACRS15_1stQrt", tables::MACRS15_1stQrt, 16},
        {"MACRS20_1stQrt", tables::MACRS20_1stQrt, 21},
        {"MACRS3_2ndQrt", tables::MACRS3_2ndQrt, 4},
        {"MACRS5_2ndQrt", tables::MACRS5_2ndQrt, 6},
        {"MACRS7_2ndQrt", tables::MACRS7_2ndQrt, 8},
        {"MACRS10_2ndQrt", tables::MACRS10_2ndQrt, 11},
        {"MACRS15_2ndQrt", tables::MACRS15_2ndQrt, 16},
        {"MACRS20_2ndQrt", tables::MACRS20_2ndQrt, 21},
        {"MACRS3_3rdQrt", tables::MACRS3_3rdQrt, 4},
        {"MACRS5_3rdQrt", tables::MACRS5_3rdQrt, 6},
        {"MACRS7_3rdQrt", tables::MACRS7_3rdQrt, 8},
        {"MACRS10_3rdQrt", tables::MACRS10_3rdQrt, 11},
        {"MACRS15_3rdQrt", tables::MACRS15_3rdQrt, 16},
        {"MACRS20_3rdQrt", tables::MACRS20_3rdQrt, 21},
        {"MACRS3_4thQrt", tables::MACRS3_4thQrt, 4},
        {"MACRS5_4thQrt", tables::MACRS5_4thQrt, 6},
        {"MACRS7_4thQrt", tables::MACRS7_4thQrt, 8},
        {"MACRS10_4thQrt", tables::MACRS10_4thQrt, 11},
        {"MACRS15_4thQrt", tables::MACRS15_4thQrt, 16},
        {"MACRS20_4thQrt", tables::MACRS20_4thQrt, 21},
        {"MACRS3_1stQrt150", tables::MACRS3_1stQrt150, 4},
        {"MACRS5_1stQrt150", tables::MACRS5_1stQrt150, 6},
        {"MACRS7_1stQrt150", tables::MACRS7_1stQrt150, 8},
        {"MACRS10_1stQrt150", tables::MACRS10_1stQrt150, 11},
        {"MACRS3_2ndQrt150", tables::MACRS3_2ndQrt150, 4},
        {"MACRS5_2ndQrt150", tables::MACRS5_2ndQrt150, 6},
        {"MACRS7_2ndQrt150", tables::MACRS7_2ndQrt150, 8},
        {"MACRS10_2ndQrt150", tables::MACRS10_2ndQrt150, 11},
        {"MACRS3_3rdQrt150", tables::MACRS3_3rdQrt150, 4},
        {"MACRS5_3rdQrt150", tables::MACRS5_3rdQrt150, 6},
        {"MACRS7_3rdQrt150", tables::MACRS7_3rdQrt150, 8},
        {"MACRS10_3rdQrt150", tables::MACRS10_3rdQrt150, 11},
        {"MACRS3_4thQrt150", tables::MACRS3_4thQrt150, 4},
        {"MACRS5_4thQrt150", tables::MACRS5_4thQrt150, 6},
        {"MACRS7_4thQrt150", tables::MACRS7_4thQrt150, 8},
        {"MACRS10_4thQrt150", tables::MACRS10_4thQrt150, 11},
    };
    for (const auto& t : tables) {
        EXPECT_EQ(t.rates.size(), t.years) << t.name;
        double sum = 0;
        for (double rate : t.rates) sum += rate;
        EXPECT_NEAR(sum, 1.0, 1e-9) << t.name;
    }
}

// A 5-year asset in the first year of a mid-quarter year: the quarter of
// placement is stored in "MidQrtAsset" and selects the year's rate.
TEST(CalcMidQrtMACRS, FindsTheQuarterOfTheFiscalYear) {
    struct Case {
        Date yearEnd;
        Date placed;
        const char* quarter;
        double firstYear;  // on 10,000
    };
    const Case cases[] = {
        // December year end: calendar quarters.
        {ymd(2012, 12, 31), ymd(2012, 2, 10), "1", 3500},
        {ymd(2012, 12, 31), ymd(2012, 5, 1), "2", 2500},
        {ymd(2012, 12, 31), ymd(2012, 9, 30), "3", 1500},
        {ymd(2012, 12, 31), ymd(2012, 10, 1), "4", 500},
        {ymd(2012, 12, 31), ymd(2012, 11, 15), "4", 500},
        // June year end: July to September is the first quarter.
        {ymd(2012, 6, 30), ymd(2011, 8, 20), "1", 3500},
        {ymd(2012, 6, 30), ymd(2011, 12, 31), "2", 2500},
        {ymd(2012, 6, 30), ymd(2012, 3, 3), "3", 1500},
        {ymd(2012, 6, 30), ymd(2012, 5, 3), "4", 500},
        // February year end: the last quarter reaches back into December.
        {ymd(2013, 2, 28), ymd(2012, 3, 1), "1", 3500},
        {ymd(2013, 2, 28), ymd(2012, 6, 1), "2", 2500},
        {ymd(2013, 2, 28), ymd(2012, 11, 30), "3", 1500},
        {ymd(2013, 2, 28), ymd(2012, 12, 1), "4", 500},
        {ymd(2013, 2, 28), ymd(2013, 2, 28), "4", 500},
    };
    for (const auto& c : cases) {
        Rig rig(c.placed, c.yearEnd);
        rig.asset.lifeTax = "5";
        rig.asset.post30Basis = 10000.0;
        rig.work.MidQrtYear = true;
        CalcMidQrtMACRS(rig.year(c.yearEnd));
        EXPECT_EQ(rig.asset.midQrtAsset, c.quarter)
            << "year end " << isoDate(c.yearEnd) << ", placed " << isoDate(c.placed);
        EXPECT_NEAR(rig.work.CurrentDprnTax, c.firstYear, 1e-6)
            << "year end " << isoDate(c.yearEnd) << ", placed " << isoDate(c.placed);
    }
}

using Entry = void (*)(Calcform&);
const Entry kMACRSEntries[] = {Calc1stQrtMACRS, Calc2ndQrtMACRS, Calc3rdQrtMACRS, Calc4thQrtMACRS};
const Entry kMACRS150Entries[] = {Calc1stQrtMACRS150, Calc2ndQrtMACRS150, Calc3rdQrtMACRS150,
                                  Calc4thQrtMACRS150};

struct Lifetime {
    bool elected150;
    const char* life;
    Date placed;
    const char* quarter;
    std::vector<double> expected;  // by recovery year on 100,000
};

// The first year through the first-year calculator in a mid-quarter year;
// every later year through the entry point of the stored quarter, the way
// the dispatch reaches it, in years that are not mid-quarter years.
void followLifetime(const Lifetime& l) {
    Rig rig(l.placed, ymd(2012, 12, 31));
    rig.asset.lifeTax = l.life;
    rig.asset.post30Basis = 100000.0;
    for (std::size_t i = 0; i < l.expected.size(); ++i) {
        const int year = static_cast<int>(i) + 1;
        Calcform& f = rig.recoveryYear(year);
        rig.work.MidQrtYear = year == 1;
        if (year == 1) {
            l.elected150 ? CalcMidQrtMACRS150(f) : CalcMidQrtMACRS(f);
        } else {
            const int quarter = std::stoi(rig.asset.midQrtAsset);
            (l.elected150 ? kMACRS150Entries : kMACRSEntries)[quarter - 1](f);
        }
        EXPECT_EQ(rig.asset.midQrtAsset, l.quarter) << l.life << " year " << year;
        EXPECT_NEAR(rig.work.CurrentDprnTax, l.expected[i], 1e-6)
            << (l.elected150 ? "150 % " : "") << l.life << " year " << year;
    }
}

TEST(MidQuarterMACRS, KeepsTheQuarterTableForTheWholeRecoveryPeriod) {
    // clang-format off
    const Lifetime lifetimes[] = {
        {false, "5", ymd(2012, 11, 15), "4",
         {5000, 38000, 22800, 13680, 10940, 9580, 0}},
        {false, "10", ymd(2012, 2, 1), "1",
         {17500, 16500, 13200, 10560, 8450, 6760, 6550, 6550, 6560, 6550, 820, 0}},
        {false, "3", ymd(2012, 8, 1), "3",
         {25000, 50000, 16670, 8330, 0}},
        {false, "20", ymd(2012, 3, 31), "1",
         {6563, 7008, 6482, 5996, 5546, 5130, 4746, 4459, 4459, 4459, 4459,
          4460, 4459, 4460, 4459, 4460, 4459, 4460, 4459, 4460, 557, 0}},
        {true, "7", ymd(2012, 7, 4), "3",
         {8040, 19710, 15480, 12270, 12280, 12270, 12280, 7670, 0}},
        {true, "3", ymd(2012, 12, 31), "4",
         {6250, 46880, 25000, 21870, 0}},
    };
    // clang-format on
    for (const auto& l : lifetimes) followLifetime(l);
}

TEST(MidQuarterMACRS, ALifeOutsideTheQuarterClassesGetsNothing) {
    struct Case {
        bool elected150;
        const char* life;
    };
    const Case cases[] = {
        {true, "15"}, {true, "20"}, {false, "5.0"}, {false, "27.5"}, {false, "12"}};
    for (const auto& c : cases) {
        Rig rig(ymd(2012, 11, 15), ymd(2012, 12, 31));
        rig.asset.lifeTax = c.life;
        rig.asset.post30Basis = 10000.0;
        rig.work.MidQrtYear = true;
        Calcform& f = rig.year(ymd(2012, 12, 31));
        c.elected150 ? CalcMidQrtMACRS150(f) : CalcMidQrtMACRS(f);
        // The quarter is still recorded; only the amount is missing.
        EXPECT_EQ(rig.asset.midQrtAsset, "4") << c.life;
        EXPECT_EQ(rig.work.CurrentDprnTax, 0.0) << c.life;
        EXPECT_EQ(rig.work.QuarterClassLife, c.life);
    }
}

}  // namespace
}  // namespace czx
