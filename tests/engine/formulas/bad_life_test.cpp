// A calculator that divides by the life must report a life of zero, none or
// no number under its own name, and leave the year's amount at zero.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/formulas/calculators.h"
#include "engine/tables/calculators.h"
#include "tests/engine/asset_desk.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::Calculator;
using testing::ymd;

TEST(Calculators, ALifeThatCannotDivideIsReportedAndLeavesNoAmount) {
    struct Case {
        const char* procedure;  // the one that reports, not always the one called
        Calculator calculator;
        bool book;
    };
    const Case cases[] = {
        {"Calcform.CalcAmort", CalcAmort, false},
        {"Calcform.CalcAmortBook", CalcAmortBook, true},
        {"Calcform.CalcSLBook", CalcSLBook, true},
        {"Calcform.CalcSLOldTax", CalcSLOldTax, false},
        {"Calcform.CalcSLTax", CalcSLTax, false},
        {"Calcform.CalcSLTax", CalcMidQrtSL, false},
        {"Calcform.CalcDDB125Book", CalcDDB125Book, true},
        {"Calcform.CalcDDB150Book", CalcDDB150Book, true},
        {"Calcform.CalcDDB200Book", CalcDDB200Book, true},
        {"Calcform.CalcDDB125OldTax", CalcDDB125OldTax, false},
        {"Calcform.CalcDDB150OldTax", CalcDDB150OldTax, false},
        {"Calcform.CalcDDB200OldTax", CalcDDB200OldTax, false},
    };
    for (const auto& c : cases) {
        for (const char* life : {"0", "", "nan"}) {
            if (std::string(life) == "nan" && c.calculator != CalcAmort) continue;
            SCOPED_TRACE(::testing::Message() << c.procedure << " life '" << life << "'");
            testing::RecordingReporter reporter;
            const double amount = testing::amountIn(
                c.calculator, {.placed = ymd(2012, 3, 10), .life = life}, 1, c.book);
            EXPECT_FALSE(std::isnan(amount));
            EXPECT_EQ(amount, 0.0);
            const char* error = *life == 'n' ? "(13)" : "Division by zero (11)";
            EXPECT_TRUE(
                testing::reportedOnce(reporter.reports, std::string(c.procedure) + "\r\n", error))
                << ::testing::PrintToString(reporter.reports);
        }
    }
}

}  // namespace
}  // namespace czx
