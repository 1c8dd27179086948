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
#include "engine/run/passes.h"
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

    // A pass over this asset up to its calculator: the year's results
    // cleared, the timing fields, the tax basis columns.
    void prepare() {
        StartPass(company, work);
        work.CurrentDprnTax = 0;
        work.CurrentDprnBook = 0;
        ServiceCalc(form);
        WriteTaxBasis(asset);
    }
    double runTax(Calculator calculator) {
        prepare();
        calculator(form);
        return work.CurrentDprnTax;
    }
    double runBook(Calculator calculator) {
        prepare();
        calculator(form);
        return work.CurrentDprnBook;
    }

    bool firstYear() const { return *asset.yrpis == *company.yearEnd; }

    // Stored amounts from the current year on, closing each year: the first
    // tax year's amount includes the Section 179 expense and the bonus as the
    // tax pass writes it.
    std::vector<double> schedule(Calculator calculator, int years, bool book = false) {
        std::vector<double> stored;
        for (int i = 0; i < years; ++i) {
            double amount = book ? runBook(calculator) : runTax(calculator);
            if (!book && firstYear())
                amount += money::value(asset.sec179) + money::value(asset.bonus);
            stored.push_back(money::roundCents(amount));
            Money& prior = book ? asset.priorAccumBook : asset.priorAccumTax;
            prior = money::value(prior) + stored.back();
            company.yearEnd = addYearsClamped(*company.yearEnd, 1);
        }
        return stored;
    }
    std::vector<double> taxSchedule(Calculator calculator, int years) {
        return schedule(calculator, years);
    }
    std::vector<double> bookSchedule(Calculator calculator, int years) {
        return schedule(calculator, years, true);
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
