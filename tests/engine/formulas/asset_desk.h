#pragma once
// One company, one asset and the work area, driven the way the passes drive a
// calculator, and closed year by year the way the close of year does: the
// year's stored amount joins the prior accumulated and the year end moves on
// by one year.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/money.h"
#include "engine/run/calcform.h"
#include "engine/run/timing.h"

namespace czx::testing {

inline Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

using Calculator = void (*)(Calcform&);

struct AssetDesk {
    Company company;
    Asset asset;
    WorkArea work;
    Calcform form{company, asset, work};

    // `firstYearEnd` is the end of the fiscal year placed in service
    // ("YRPIS"); the company starts in that year.
    AssetDesk(Date firstYearEnd, Date placed) {
        company.yearEnd = firstYearEnd;
        asset.yrpis = firstYearEnd;
        asset.placedInService = placed;
    }
    AssetDesk(const AssetDesk&) = delete;
    AssetDesk& operator=(const AssetDesk&) = delete;

    // Moves the company to the fiscal year that is recovery year `n`.
    void atRecoveryYear(int n) { company.yearEnd = addYearsClamped(*asset.yrpis, n - 1); }

    // The tax pass for this asset up to the calculator: timing, the basis
    // columns, the calculator. Returns the calculator's amount.
    double runTax(Calculator calculator) {
        StartPass(company, work);
        work.CurrentDprnTax = 0;
        ServiceCalc(form);
        asset.costLessItc =
            money::toCurrency(money::value(asset.costTax) - money::value(asset.itcAdjustment));
        asset.post30Basis =
            money::toCurrency(money::value(asset.costLessItc) * money::value(asset.busUseTax) -
                              money::value(asset.sec179) - money::value(asset.bonus));
        calculator(form);
        return work.CurrentDprnTax;
    }

    double runBook(Calculator calculator) {
        StartPass(company, work);
        work.CurrentDprnBook = 0;
        ServiceCalc(form);
        calculator(form);
        return work.CurrentDprnBook;
    }

    bool firstYear() const { return *asset.yrpis == *company.yearEnd; }

    // Stored tax amounts from the current year on, closing each year: the
    // first year's amount includes the Section 179 expense and the bonus as
    // the tax pass writes it.
    std::vector<double> taxSchedule(Calculator calculator, int years) {
        std::vector<double> stored;
        for (int i = 0; i < years; ++i) {
            double amount = runTax(calculator);
            if (firstYear()) amount += money::value(asset.sec179) + money::value(asset.bonus);
            stored.push_back(money::roundCents(amount));
            asset.priorAccumTax = money::value(asset.priorAccumTax) + stored.back();
            company.yearEnd = addYearsClamped(*company.yearEnd, 1);
        }
        return stored;
    }

    std::vector<double> bookSchedule(Calculator calculator, int years) {
        std::vector<double> stored;
        for (int i = 0; i < years; ++i) {
            stored.push_back(money::roundCents(runBook(calculator)));
            asset.priorAccumBook = money::value(asset.priorAccumBook) + stored.back();
            company.yearEnd = addYearsClamped(*company.yearEnd, 1);
        }
        return stored;
    }
};

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
