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
    };
    const Case cases[] = {
        {"Calcform.CalcAmort", calcAmort},
        {"Calcform.CalcAmortBook", calcAmortBook},
        {"Calcform.CalcSLBook", calcSLBook},
        {"Calcform.CalcSLOldTax", calcSLOldTax},
        {"Calcform.CalcSLTax", calcSLTax},
        {"Calcform.CalcSLTax", calcMidQrtSL},
        {"Calcform.CalcDDB125Book", testing::ddbBook<DecliningRate::Pct125>},
        {"Calcform.CalcDDB150Book", testing::ddbBook<DecliningRate::Pct150>},
        {"Calcform.CalcDDB200Book", testing::ddbBook<DecliningRate::Pct200>},
        {"Calcform.CalcDDB125OldTax", testing::ddbOldTax<DecliningRate::Pct125>},
        {"Calcform.CalcDDB150OldTax", testing::ddbOldTax<DecliningRate::Pct150>},
        {"Calcform.CalcDDB200OldTax", testing::ddbOldTax<DecliningRate::Pct200>},
    };
    for (const auto& c : cases) {
        for (const char* life : {"0", "", "nan"}) {
            if (std::string(life) == "nan" && std::string(c.procedure) != "Calcform.CalcAmort")
                continue;
            SCOPED_TRACE(::testing::Message() << c.procedure << " life '" << life << "'");
            testing::RecordingReporter reporter;
            const double amount =
                testing::amountIn(c.calculator, {.placed = ymd(2012, 3, 10), .life = life}, 1);
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
