#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "base/trail.h"
#include "engine/tables/calculators.h"
#include "engine/tables/macrs_tables.h"
#include "tests/engine/tables/rig.h"

namespace czx {
namespace {

using testing::Rig;
using testing::ymd;

struct YearTable {
    const char* name;
    std::span<const double> rates;
    std::size_t years;  // class life + the closing half year
};

TEST(MacrsTables, EveryHalfYearColumnTotalsTheWholeBasis) {
    const YearTable tables[] = {
        {"MACRS3", tables::MACRS3, 4},         {"MACRS5", tables::MACRS5, 6},
        {"MACRS7", tables::MACRS7, 8},         {"MACRS10", tables::MACRS10, 11},
        {"MACRS15", tables::MACRS15, 16},      {"MACRS20", tables::MACRS20, 21},
        {"MACRS150_3", tables::MACRS150_3, 4}, {"MACRS150_5", tables::MACRS150_5, 6},
        {"MACRS150_7", tables::MACRS150_7, 8}, {"MACRS150_10", tables::MACRS150_10, 11},
    };
    for (const auto& t : tables) {
        EXPECT_EQ(t.rates.size(), t.years) << t.name;
        double sum = 0;
        for (double rate : t.rates) sum += rate;
        EXPECT_NEAR(sum, 1.0, 1e-9) << t.name;
    }
}

TEST(MacrsTables, EveryMonthOfTheRealPropertyTablesTotalsTheWholeBasis) {
    const struct {
        const char* name;
        std::span<const tables::MonthRow> rows;
        int lastYear;
    } tables[] = {
        {"MACRS28", tables::MACRS28, 29},
        {"MACRS32", tables::MACRS32, 33},
        {"MACRS39", tables::MACRS39, 40},
    };
    for (const auto& t : tables) {
        for (int month = 1; month <= 12; ++month) {
            double sum = 0;
            for (int year = 1; year <= 60; ++year) {
                sum += tables::rateForServiceMonth(t.rows, 12 * (year - 1) + month);
            }
            EXPECT_NEAR(sum, 1.0, 1e-9) << t.name << " month " << month;
            EXPECT_EQ(tables::rateForServiceMonth(t.rows, 12 * t.lastYear + month), 0.0)
                << t.name << " month " << month;
        }
    }
}

struct Schedule {
    const char* method;  // "MACRS" or "MACRS-150%"
    const char* life;
    Date placed;
    Date yrpis;
    std::vector<double> expected;  // by recovery year, from year 1, on a basis of 100,000
};

void checkSchedule(const Schedule& s) {
    Rig rig(s.placed, s.yrpis);
    rig.asset.lifeTax = s.life;
    rig.asset.post30Basis = 100000.0;
    for (std::size_t i = 0; i < s.expected.size(); ++i) {
        Calcform& f = rig.recoveryYear(static_cast<int>(i) + 1);
        if (std::string(s.method) == "MACRS")
            CalcMACRS(f);
        else
            CalcMACRS150(f);
        EXPECT_NEAR(rig.work.CurrentDprnTax, s.expected[i], 1e-6)
            << s.method << " " << s.life << " recovery year " << i + 1;
    }
}

TEST(CalcMACRS, HalfYearSchedules) {
    // clang-format off
    const Schedule schedules[] = {
        // 20, 32, 19.2, 11.52, 11.52, 5.76 %, then nothing.
        {"MACRS", "5", ymd(2012, 3, 15), ymd(2012, 12, 31),
         {20000, 32000, 19200, 11520, 11520, 5760, 0}},
        {"MACRS", "3", ymd(2012, 8, 1), ymd(2012, 12, 31),
         {33330, 44450, 14810, 7410, 0}},
        {"MACRS", "7", ymd(2012, 1, 2), ymd(2012, 12, 31),
         {14290, 24490, 17490, 12490, 8930, 8920, 8930, 4460, 0}},
        // The 20-year column carries three decimals of a percent.
        {"MACRS", "20", ymd(2012, 6, 1), ymd(2012, 12, 31),
         {3750, 7219, 6677, 6177, 5713, 5285, 4888, 4522, 4462, 4461, 4462,
          4461, 4462, 4461, 4462, 4461, 4462, 4461, 4462, 4461, 2231, 0}},
        {"MACRS-150%", "3", ymd(2012, 5, 5), ymd(2012, 12, 31),
         {25000, 37500, 25000, 12500, 0}},
        {"MACRS-150%", "10", ymd(2012, 5, 5), ymd(2012, 12, 31),
         {7500, 13880, 11790, 10020, 8740, 8740, 8740, 8740, 8740, 8740, 4370, 0}},
        // A fiscal year ending in June: the recovery year still counts from "YRPIS".
        {"MACRS", "10", ymd(2011, 9, 1), ymd(2012, 6, 30),
         {10000, 18000, 14400, 11520, 9220, 7370, 6550, 6550, 6560, 6550, 3280, 0}},
    };
    // clang-format on
    for (const auto& s : schedules) checkSchedule(s);
}

TEST(CalcMACRS, RealPropertyByMonthPlacedInService) {
    struct Case {
        const char* life;
        Date placed;
        Date yrpis;
        int recoveryYear;
        double expected;  // on a basis of 100,000
    };
    const Case cases[] = {
        // 39 years, month 7 of a calendar year.
        {"39", ymd(2012, 7, 10), ymd(2012, 12, 31), 1, 1177},
        {"39", ymd(2012, 7, 10), ymd(2012, 12, 31), 2, 2564},
        {"39", ymd(2012, 7, 10), ymd(2012, 12, 31), 39, 2564},
        {"39", ymd(2012, 7, 10), ymd(2012, 12, 31), 40, 1391},
        {"39", ymd(2012, 7, 10), ymd(2012, 12, 31), 41, 0},
        // January is month 7 of a fiscal year ending in June.
        {"39", ymd(2012, 1, 20), ymd(2012, 6, 30), 1, 1177},
        {"39", ymd(2012, 1, 20), ymd(2012, 6, 30), 40, 1391},
        // 27.5 years, month 3.
        {"27.5", ymd(2012, 3, 1), ymd(2012, 12, 31), 1, 2879},
        {"27.5", ymd(2012, 3, 1), ymd(2012, 12, 31), 10, 3637},
        {"27.5", ymd(2012, 3, 1), ymd(2012, 12, 31), 11, 3636},
        {"27.5", ymd(2012, 3, 1), ymd(2012, 12, 31), 28, 2576},
        {"27.5", ymd(2012, 3, 1), ymd(2012, 12, 31), 29, 0},
        // 31.5 years, month 1.
        {"31.5", ymd(1990, 1, 5), ymd(1990, 12, 31), 1, 3042},
        {"31.5", ymd(1990, 1, 5), ymd(1990, 12, 31), 8, 3175},
        {"31.5", ymd(1990, 1, 5), ymd(1990, 12, 31), 9, 3174},
        {"31.5", ymd(1990, 1, 5), ymd(1990, 12, 31), 10, 3175},
        {"31.5", ymd(1990, 1, 5), ymd(1990, 12, 31), 31, 3174},
        {"31.5", ymd(1990, 1, 5), ymd(1990, 12, 31), 32, 1720},
        {"31.5", ymd(1990, 1, 5), ymd(1990, 12, 31), 33, 0},
        // 31.5 years, month 2: the other parity.
        {"31.5", ymd(1990, 2, 5), ymd(1990, 12, 31), 8, 3174},
        {"31.5", ymd(1990, 2, 5), ymd(1990, 12, 31), 9, 3175},
    };
    for (const auto& c : cases) {
        Rig rig(c.placed, c.yrpis);
        rig.asset.lifeTax = c.life;
        rig.asset.post30Basis = 100000.0;
        CalcMACRS(rig.recoveryYear(c.recoveryYear));
        EXPECT_NEAR(rig.work.CurrentDprnTax, c.expected, 1e-6)
            << c.life << " placed " << isoDate(c.placed) << " year " << c.recoveryYear;
    }
}

TEST(CalcMACRS, NothingBeforeTheFirstRecoveryYear) {
    // "YearEnd" a year before "YRPIS": recovery year 0.
    Rig rig(ymd(2012, 3, 15), ymd(2012, 12, 31));
    rig.asset.lifeTax = "5";
    rig.asset.post30Basis = 10000.0;
    CalcMACRS(rig.year(ymd(2011, 12, 31)));
    EXPECT_EQ(rig.work.RecoveryYear, 0);
    EXPECT_EQ(rig.work.CurrentDprnTax, 0.0);

    rig.asset.lifeTax = "39";
    CalcMACRS(rig.year(ymd(2011, 12, 31)));
    EXPECT_EQ(rig.work.CurrentDprnTax, 0.0);
}

TEST(CalcMACRS, OnlyTheListedLifeTextsSelectATable) {
    struct Case {
        bool elected150;
        const char* life;
        double expected;  // first year on 10,000
    };
    const Case cases[] = {
        {false, "5", 2000},  {false, "12", 0},  {false, "5.0", 0}, {false, " 5", 0}, {false, "", 0},
        {false, "27.50", 0}, {true, "5", 1500}, {true, "15", 0},   {true, "20", 0},
    };
    for (const auto& c : cases) {
        Rig rig(ymd(2012, 3, 15), ymd(2012, 12, 31));
        rig.asset.lifeTax = c.life;
        rig.asset.post30Basis = 10000.0;
        Calcform& f = rig.year(ymd(2012, 12, 31));
        c.elected150 ? CalcMACRS150(f) : CalcMACRS(f);
        EXPECT_NEAR(rig.work.CurrentDprnTax, c.expected, 1e-6)
            << (c.elected150 ? "150 % " : "") << '"' << c.life << '"';
    }
}

TEST(CalcMACRS, EntersTheTrailThroughLoaderAndRateRoutine) {
    Rig rig(ymd(2012, 3, 15), ymd(2012, 12, 31));
    rig.asset.lifeTax = "5";
    rig.asset.post30Basis = 10000.0;
    CalcMACRS(rig.year(ymd(2012, 12, 31)));
    EXPECT_EQ(trail::current(), "Calcform.DeprnSeperator");
    EXPECT_EQ(trail::previous(), "Calcform.MACRS5WORKS");
    EXPECT_EQ(trail::beforePrevious(), "Calcform.MACRS5");
    EXPECT_EQ(rig.work.TableBasis, 10000.0);
    EXPECT_EQ(rig.work.DeprnBasisKind, "Tax");
}

TEST(DeprnSeperator, CopiesTheTableResultOnlyForTheTaxSide) {
    Rig rig;
    rig.work.TableDprn = 123.45;
    rig.work.CurrentDprnTax = 0;
    rig.work.DeprnBasisKind = "Book";
    DeprnSeperator(rig.form);
    EXPECT_EQ(rig.work.CurrentDprnTax, 0.0);
    rig.work.DeprnBasisKind = "tax";
    DeprnSeperator(rig.form);
    EXPECT_EQ(rig.work.CurrentDprnTax, 0.0);
    rig.work.DeprnBasisKind = "Tax";
    DeprnSeperator(rig.form);
    EXPECT_EQ(rig.work.CurrentDprnTax, 123.45);
}

}  // namespace
}  // namespace czx
