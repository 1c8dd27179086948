// The tax and book rules applied to a calculator's amount, with the amount
// set by hand so that each rule is seen alone.
#include "engine/run/passes.h"

#include <gtest/gtest.h>

#include "engine/run/timing.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

struct Desk {
    Company company;
    Asset asset;
    WorkArea work;
    Calcform f{company, asset, work};

    Desk(const char* yearEnd, const char* method, const char* life, const char* placed,
         const char* yrpis) {
        company.yearEnd = parseIsoDate(yearEnd);
        company.regularFederal = company.book = true;
        asset = testing::makeAsset(method, life, 10000, placed, yrpis);
        StartPass(company, work);
        ServiceCalc(f);
    }
    void inService(double amount) {
        work.CurrentDprnTax = amount;
        ApplyTaxRulesInService(f);
    }
    void disposed(const char* date, double amount) {
        asset.disposed = parseIsoDate(date);
        CalcMD(f);
        work.CurrentDprnTax = amount;
        ApplyTaxRulesDisposed(f);
    }
};

TEST(TaxRules, FirstYearAddsSection179AndBonus) {
    Desk d("2012-12-31", "MACRS", "5", "2012-03-01", "2012-12-31");
    d.asset.sec179 = 1000.0;
    d.asset.bonus = 500.0;
    d.inService(200.0);
    EXPECT_EQ(d.asset.currentTax, 1700.0);
    EXPECT_EQ(d.asset.nonBusDprn, 0.0);
}

TEST(TaxRules, FirstYearNonBusinessShareAndZeroUse) {
    Desk d("2012-12-31", "MACRS", "5", "2012-03-01", "2012-12-31");
    d.asset.busUseTax = 0.8;
    d.inService(400.0);
    EXPECT_EQ(d.asset.nonBusDprn, 100.0);  // 400 / .8 - 400
    Desk zero("2012-12-31", "MACRS", "5", "2012-03-01", "2012-12-31");
    zero.asset.busUseTax = 0.0;
    zero.asset.nonBusDprn = 12.34;
    zero.inService(0.0);
    EXPECT_EQ(zero.asset.nonBusDprn, 12.34);  // not written
}

TEST(TaxRules, LaterYearSplitsTheNonBusinessShare) {
    Desk d("2013-12-31", "MACRS", "5", "2012-03-01", "2012-12-31");
    d.asset.busUseTax = 0.5;
    d.inService(300.0);
    EXPECT_EQ(d.asset.currentTax, 300.0);
    EXPECT_EQ(d.asset.nonBusDprn, 300.0);
    Desk zero("2013-12-31", "MACRS", "5", "2012-03-01", "2012-12-31");
    zero.asset.busUseTax = 0.0;
    zero.inService(300.0);
    EXPECT_EQ(zero.asset.nonBusDprn, 300.0);
}

TEST(TaxRules, EmptyBusinessUseGetsNothing) {
    Desk d("2013-12-31", "MACRS", "5", "2012-03-01", "2012-12-31");
    d.asset.busUseTax.reset();
    d.asset.currentTax = 999.0;
    d.inService(300.0);
    EXPECT_EQ(d.asset.currentTax, 0.0);
    Desk gone("2013-12-31", "MACRS", "5", "2012-03-01", "2012-12-31");
    gone.asset.busUseTax.reset();
    gone.disposed("2013-05-01", 300.0);
    EXPECT_EQ(gone.asset.currentTax, 0.0);
}

TEST(TaxRules, OldStraightLineCatchesUpInItsLastYear) {
    // 0.30 is left after the calculated amount: the year takes exactly what is left.
    Desk d("2021-12-31", "SL-Old", "10", "2012-01-01", "2012-12-31");
    d.asset.costTax = 10000.0;
    d.asset.priorAccumTax = 9000.0;
    d.inService(999.70);
    EXPECT_EQ(d.asset.currentTax, 1000.0);
    // Not yet the last year: no catch-up.
    Desk early("2015-12-31", "SL-Old", "10", "2012-01-01", "2012-12-31");
    early.asset.priorAccumTax = 9000.0;
    early.inService(999.70);
    EXPECT_EQ(early.asset.currentTax, 999.70);
    // Already fully depreciated: 0, never negative.
    Desk over("2022-12-31", "SL-Old", "10", "2012-01-01", "2012-12-31");
    over.asset.priorAccumTax = 10000.50;
    over.inService(5.0);
    EXPECT_EQ(over.asset.currentTax, 0.0);
}

TEST(TaxRules, AmountsRoundHalfToEvenCent) {
    Desk d("2013-12-31", "MACRS", "5", "2012-03-01", "2012-12-31");
    d.inService(100.125);
    EXPECT_EQ(d.asset.currentTax, 100.12);
    d.inService(100.135);
    EXPECT_EQ(d.asset.currentTax, 100.14);
    // Above $130,000 a single-precision amount would lose the cent.
    d.inService(131072.37);
    EXPECT_EQ(d.asset.currentTax, 131072.37);
}

struct DisposalCase {
    const char* method;
    const char* life;
    const char* quarter;
    const char* disposed;
    double amount;
    double expected;
};

TEST(TaxRules, DisposalYearConventions) {
    const DisposalCase cases[] = {
        // Half-year convention: half the year's amount.
        {"MACRS", "5", "", "2013-07-01", 1000.0, 500.0},
        {"MACRS-150%", "7", "", "2013-07-01", 1000.0, 500.0},
        {"MACRS-Auto", "5", "", "2013-07-01", 1000.0, 500.0},
        {"MACRS SL-PP", "9", "", "2013-07-01", 1000.0, 500.0},
        // Mid-month real property: (month - 0.5) / 12.
        {"MACRS", "39", "", "2013-01-20", 1200.0, 50.0},
        {"MACRS", "27.5", "", "2013-12-20", 1200.0, 1150.0},
        {"MACRS SL-RP", "40", "", "2013-06-01", 1200.0, 550.0},
        // ACRS.
        {"ACRS", "10", "", "2013-06-01", 1200.0, 0.0},
        {"ACRS", "19", "", "2013-06-01", 1200.0, 550.0},
        // Mid-quarter: the middle of the quarter of disposal, kept at 4 places.
        {"MACRS", "5", "2", "2013-05-15", 1000.0, 375.0},
        // 1000.01 is stored a hair below itself: 125.00124999... rounds to 125.0012.
        {"MACRS", "5", "1", "2013-01-15", 1000.01, 125.0012},
        {"MACRS SL-PP", "5", "4", "2013-11-15", 1000.0, 875.0},
        {"MACRS-150%", "5", "3", "2013-09-30", 1000.0, 625.0},
    };
    for (const auto& c : cases) {
        Desk d("2013-12-31", c.method, c.life, "2012-03-01", "2012-12-31");
        d.asset.midQrtAsset = c.quarter;
        d.disposed(c.disposed, c.amount);
        EXPECT_EQ(d.asset.currentTax, c.expected) << c.method << " " << c.life << " " << c.quarter;
    }
}

TEST(TaxRules, DisposedInAnEarlierYearGetsNothing) {
    Desk d("2013-12-31", "MACRS", "5", "2010-03-01", "2010-12-31");
    d.asset.nonBusDprn = 50.0;
    d.disposed("2012-11-30", 1000.0);
    EXPECT_EQ(d.asset.currentTax, 0.0);
    EXPECT_EQ(d.asset.nonBusDprn, 0.0);
}

TEST(TaxRules, UnknownMethodKeepsTheStoredAmountWhenDisposed) {
    Desk d("2013-12-31", "Units Of Prod.", "5", "2012-03-01", "2012-12-31");
    d.asset.currentTax = 77.0;
    d.disposed("2013-05-01", 1000.0);
    EXPECT_EQ(d.asset.currentTax, 77.0);
}

TEST(TaxRules, BasisColumnsFollowTheBusinessUse) {
    Asset a = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-01", "2012-12-31");
    a.itcAdjustment = 1000.0;
    a.busUseTax = 0.75;
    a.sec179 = 500.0;
    a.bonus = 250.0;
    WriteTaxBasis(a);
    EXPECT_EQ(a.costLessItc, 9000.0);
    EXPECT_EQ(a.post30Basis, 6000.0);
    WriteLine24eBasis(a);
    EXPECT_EQ(a.line24eBasis, 6000.0);
    a.busUseTax.reset();
    WriteTaxBasis(a);
    WriteLine24eBasis(a);
    EXPECT_EQ(a.costLessItc, 9000.0);
    EXPECT_FALSE(a.post30Basis);
    EXPECT_FALSE(a.line24eBasis);
}

TEST(TaxRules, QuarterCodeClearedOutsideTheScheme) {
    struct Case {
        const char* method;
        const char* life;
        bool kept;
    };
    const Case cases[] = {
        {"MACRS", "5", true},          {"MACRS", "39", false},
        {"MACRS", "27.5", false},      {"ACRS", "5", false},
        {"SL-Old", "10", false},       {"DDB125%-Old", "10", false},
        {"DDB150%-Old", "10", true},   {"MACRS SL-PP", "5", false},
        {"Amortization", "60", false}, {"Non-Depreciable", "0", false},
        {"MACRS-Auto", "5", true},
    };
    for (const auto& c : cases) {
        Asset a;
        a.methodTax = c.method;
        a.lifeTax = c.life;
        a.midQrtAsset = "3";
        ClearQuarterOutsideScheme(a);
        EXPECT_EQ(a.midQrtAsset.empty(), !c.kept) << c.method << " " << c.life;
    }
}

}  // namespace
}  // namespace czx
