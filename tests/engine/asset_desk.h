#pragma once
// One company and one asset, driven the way the passes drive a calculator, and closed year by year
// the way the close of year does: the year's stored amount joins the prior accumulated and the year
// end moves on by one year.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/money.h"
#include "engine/formulas/calculators.h"
#include "engine/run/calcform.h"
#include "engine/run/passes.h"
#include "engine/run/timing.h"
#include "tests/support/testing.h"

namespace czx::testing {

// A calculator, or a calculator with its family's parameter bound.
using Calculator = std::function<Depreciation(const Calcform&)>;

// The declining-balance variants as calculators.
template <DecliningRate rate>
Depreciation ddbOldTax(const Calcform& f) {
    return calcDDBOldTax(f, rate);
}
template <DecliningRate rate>
Depreciation ddbBook(const Calcform& f) {
    return calcDDBBook(f, rate);
}

// What an asset row holds, the same on the tax and the book side, with the
// values most cases share: 10,000 over 5 years at full business use, placed
// in service January 5, 2012 by a calendar-year company.
struct Holding {
    Date yrpis = ymd(2012, 12, 31);
    Date placed = ymd(2012, 1, 5);
    const char* life = "5";
    double cost = 10000;
    std::optional<double> use = 1;
    double salvage = 0;
    double sec179 = 0;
    double bonus = 0;
    double prior = 0;  // accumulated before the year
    const char* quarter = "";
    bool car = false;
    bool truck = false;
};

struct AssetDesk {
    Company company;
    Asset asset;
    bool midQuarterYear = false;  // the year's mid-quarter outcome
    Depreciation last;            // what the last calculator returned

    // The company starts in the fiscal year placed in service ("YRPIS").
    explicit AssetDesk(const Holding& h = {}) {
        company.yearEnd = asset.yrpis = h.yrpis;
        asset.placedInService = h.placed;
        asset.lifeTax = asset.lifeBook = h.life;
        asset.costTax = asset.costBook = h.cost;
        asset.busUseTax = asset.busUseBook = h.use;
        asset.salvageTax = asset.salvageBook = h.salvage;
        asset.sec179 = h.sec179;
        asset.bonus = h.bonus;
        asset.priorAccumTax = asset.priorAccumBook = h.prior;
        asset.midQrtAsset = h.quarter;
        asset.passengerAuto = h.car;
        asset.truckVanBonus = h.truck;
    }
    AssetDesk(const AssetDesk&) = delete;
    AssetDesk& operator=(const AssetDesk&) = delete;

    // Moves the company to the fiscal year that is recovery year `n`.
    void atRecoveryYear(int n) { company.yearEnd = addYearsClamped(*asset.yrpis, n - 1); }

    // The row's timing in the company's current fiscal year.
    Timing timing() const { return serviceCalc(company, asset, daysInFiscalYear(company)); }

    // A pass over this asset up to its calculator: the row's timing, the
    // tax basis columns; then the calculator, whose amount is returned.
    double run(const Calculator& calculator) {
        const Timing t = timing();
        writeTaxBasis(asset);
        last = calculator(Calcform{company, asset, t, midQuarterYear});
        return last.amount;
    }

    // Stored amounts from the current year on, closing each year: the first
    // tax year's amount includes the Section 179 expense and the bonus as the
    // tax pass writes it.
    std::vector<double> schedule(const Calculator& calculator, int years, bool book = false) {
        std::vector<double> stored;
        for (int i = 0; i < years; ++i) {
            double amount = run(calculator);
            if (!book && *asset.yrpis == *company.yearEnd)
                amount += money::value(asset.sec179) + money::value(asset.bonus);
            stored.push_back(money::roundCents(amount));
            Money& prior = book ? asset.priorAccumBook : asset.priorAccumTax;
            prior = money::value(prior) + stored.back();
            company.yearEnd = addYearsClamped(*company.yearEnd, 1);
        }
        return stored;
    }
};

// The calculator's amount for the holding in its recovery year `year`.
inline double amountIn(const Calculator& calculator, const Holding& holding, int year) {
    AssetDesk d(holding);
    d.atRecoveryYear(year);
    return d.run(calculator);
}

inline double sum(const std::vector<double>& amounts) {
    double total = 0;
    for (double a : amounts) total += a;
    return total;
}

// Compares stored (rounded) amounts year by year.
inline void expectSchedule(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-6) << "recovery year " << i + 1;
}

// Whether exactly one error report was made, naming `procedure` and `error`.
inline bool reportedOnce(const std::vector<std::string>& reports, const std::string& procedure,
                         const std::string& error) {
    return reports.size() == 1 && reports[0].find(procedure) != std::string::npos &&
           reports[0].find(error) != std::string::npos;
}

}  // namespace czx::testing
