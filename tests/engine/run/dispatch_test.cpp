// The choice of the year's calculator: tax by method, life, first or later
// year, the year's mid-quarter outcome and the stored quarter code; book by
// method alone. A text that is no method of its side gets nothing.
#include "engine/run/dispatch.h"

#include <gtest/gtest.h>

#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::ymd;

// 10,000 placed February 10, 2012 (the first quarter) by a calendar-year company.
TEST(TaxDeprnMethSelector, ChoosesByMethodLifeYearAndQuarter) {
    struct Case {
        const char* method;
        const char* life;
        int year;  // recovery year
        bool midQuarterYear;
        const char* stored;  // "MidQrtAsset" before
        double amount;
        const char* quarter;  // "MidQrtAsset" after
    };
    // clang-format off
    const Case cases[] = {
        // The quarter's table in a mid-quarter year, kept for the later years.
        {"MACRS", "5", 1, true, "", 3500, "1"},
        {"MACRS", "5", 2, false, "1", 2600, "1"},
        {"MACRS-150%", "5", 1, true, "", 2625, "1"},
        {"MACRS SL-PP", "5", 1, true, "", 1750, "1"},
        // Otherwise the half-year table, and no quarter code.
        {"MACRS", "5", 1, false, "3", 2000, ""},
        {"MACRS", "5", 2, true, "7", 3200, ""},
        {"MACRS-150%", "5", 2, false, "", 2550, ""},
        {"MACRS SL-PP", "5", 1, false, "2", 1000, ""},
        // Real property takes no quarter, even in a mid-quarter year.
        {"MACRS", "39", 1, true, "", 224.70, ""},
        {"Non-Depreciable", "5", 1, false, "", 0, ""},
        {"SL - Book", "5", 1, false, "", 0, ""},
        {"MACRS ", "5", 1, false, "", 0, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.method << "\" " << c.life << " year "
                                          << c.year << " stored '" << c.stored << "'");
        AssetDesk d({.placed = ymd(2012, 2, 10), .life = c.life, .quarter = c.stored});
        d.asset.methodTax = c.method;
        d.midQuarterYear = c.midQuarterYear;
        d.atRecoveryYear(c.year);
        EXPECT_NEAR(d.run(taxDeprnMethSelector), c.amount, 1e-6);
        EXPECT_EQ(d.asset.midQrtAsset, c.quarter);
    }
}

TEST(BookDeprnMethSelector, ChoosesByMethodAlone) {
    struct Case {
        const char* method;
        const char* life;
        double amount;
    };
    // February counts: 11 months of the first year.
    const Case cases[] = {
        {"SL - Book", "5", 1833.33}, {"DDB125%", "5", 2291.67},       {"DDB150%", "5", 2750},
        {"DDB200%", "5", 3666.67},   {"Amortization", "60", 1833.33}, {"Non-Depreciable", "5", 0},
        {"MACRS", "5", 0},           {"DDB200%-Old", "5", 0},
    };
    for (const auto& c : cases) {
        AssetDesk d({.placed = ymd(2012, 2, 10), .life = c.life});
        d.asset.methodBook = c.method;
        EXPECT_NEAR(d.run(bookDeprnMethSelector), c.amount, 0.005) << c.method;
    }
}

}  // namespace
}  // namespace czx
