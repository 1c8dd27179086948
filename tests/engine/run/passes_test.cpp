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

    Desk(const char* yearEnd, const char* method, const char* life,
         const char* placed = "2012-03-01", const char* yrpis = "2012-12-31") {
        company.yearEnd = parseIsoDate(yearEnd);
        company.regularFederal = company.book = true;
        asset = testing::makeAsset(method, life, 10000, placed, yrpis);
    }
    Timing timing() const { return serviceCalc(company, asset, daysInFiscalYear(company)); }
    void inService(double amount) {
        const Timing t = timing();
        applyTaxRulesInService({company, asset, t}, {.amount = amount});
    }
    void disposed(const char* date, double amount) {
        asset.disposed = parseIsoDate(date);
        const Timing t = timing();
        applyTaxRulesDisposed({company, asset, t}, {.amount = amount}, calcMD(company, asset));
    }
};

TEST(TaxRules, AmountsOfAYearInService) {
    struct Case {
        const char* name;
        const char* yearEnd;
        const char* method;
        std::optional<double> businessUse;
        double sec179, bonus, prior;
        double amount;  // the calculator's
        double tax;
        std::optional<double> nonBusiness;  // unchecked when empty
    };
    // clang-format off
    const Case cases[] = {
        {"first year adds Section 179 and bonus", "2012-12-31", "MACRS", 1, 1000, 500, 0, 200, 1700,
         0},
        {"first year, non-business share", "2012-12-31", "MACRS", 0.8, 0, 0, 0, 400, 400, 100},
        {"first year, no business use: not written", "2012-12-31", "MACRS", 0, 0, 0, 0, 0, 0,
         12.34},
        {"later year, non-business share", "2013-12-31", "MACRS", 0.5, 0, 0, 0, 300, 300, 300},
        {"later year, no business use", "2013-12-31", "MACRS", 0, 0, 0, 0, 300, 300, 300},
        {"empty business use: nothing", "2013-12-31", "MACRS", {}, 0, 0, 0, 300, 0, {}},
        // SL-Old in its last year takes exactly what is left (0.30 more).
        {"last year catches up", "2021-12-31", "SL-Old", 1, 0, 0, 9000, 999.70, 1000, {}},
        {"not yet the last year", "2015-12-31", "SL-Old", 1, 0, 0, 9000, 999.70, 999.70, {}},
        {"fully depreciated: never negative", "2022-12-31", "SL-Old", 1, 0, 0, 10000.50, 5, 0, {}},
        // Half to the even cent; above $130,000 a single-precision amount
        // would lose the cent.
        {"a tie to the even 2", "2013-12-31", "MACRS", 1, 0, 0, 0, 100.125, 100.12, {}},
        {"a tie to the even 4", "2013-12-31", "MACRS", 1, 0, 0, 0, 100.135, 100.14, {}},
        {"a large amount", "2013-12-31", "MACRS", 1, 0, 0, 0, 131072.37, 131072.37, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool oldLaw = std::string(c.method) == "SL-Old";
        Desk d(c.yearEnd, c.method, oldLaw ? "10" : "5", oldLaw ? "2012-01-01" : "2012-03-01");
        d.asset.busUseTax = c.businessUse;
        d.asset.sec179 = c.sec179;
        d.asset.bonus = c.bonus;
        d.asset.priorAccumTax = c.prior;
        d.asset.currentTax = 999.0;
        d.asset.nonBusDprn = 12.34;
        d.inService(c.amount);
        EXPECT_EQ(d.asset.currentTax, c.tax);
        if (c.nonBusiness) {
            EXPECT_EQ(d.asset.nonBusDprn, *c.nonBusiness);
        }
    }
}

TEST(TaxRules, DisposalYearConventions) {
    struct Case {
        const char* method;
        const char* life;
        const char* quarter;
        const char* disposed;
        double amount;
        double expected;
    };
    const Case cases[] = {
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
        // A method without a disposal rule keeps the stored amount.
        {"Units Of Prod.", "5", "", "2013-05-01", 1000.0, 77.0},
    };
    for (const auto& c : cases) {
        Desk d("2013-12-31", c.method, c.life);
        d.asset.midQrtAsset = c.quarter;
        d.asset.currentTax = 77.0;
        d.disposed(c.disposed, c.amount);
        EXPECT_EQ(d.asset.currentTax, c.expected) << c.method << " " << c.life << " " << c.quarter;
    }
}

TEST(TaxRules, DisposedInAnEarlierYearOrWithoutBusinessUseGetsNothing) {
    Desk d("2013-12-31", "MACRS", "5", "2010-03-01", "2010-12-31");
    d.asset.nonBusDprn = 50.0;
    d.disposed("2012-11-30", 1000.0);
    EXPECT_EQ(d.asset.currentTax, 0.0);
    EXPECT_EQ(d.asset.nonBusDprn, 0.0);
    Desk gone("2013-12-31", "MACRS", "5");
    gone.asset.busUseTax.reset();
    gone.disposed("2013-05-01", 300.0);
    EXPECT_EQ(gone.asset.currentTax, 0.0);
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
        clearQuarterOutsideScheme(a);
        EXPECT_EQ(a.midQrtAsset.empty(), !c.kept) << c.method << " " << c.life;
    }
}

}  // namespace
}  // namespace czx
