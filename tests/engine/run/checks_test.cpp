#include "engine/run/checks.h"

#include <gtest/gtest.h>

#include "base/money.h"
#include "store/assets.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

Company companyEnding(const char* yearEnd, bool storedMidQuarter = false) {
    Company c;
    c.yearEnd = parseIsoDate(yearEnd);
    c.regularFederal = true;
    c.midQrtYRTax = storedMidQuarter;
    return c;
}

// Mid-quarter convention: more than 40 % of the year's basis placed in
// service in the last quarter of the fiscal year.
TEST(MidQrtCheck, FortyPercentIsNotMoreThanForty) {
    struct Placed {
        const char* method;
        const char* life;
        double cost;
        const char* placed;
        const char* yrpis;
        double sec179 = 0;
    };
    struct Case {
        const char* name;
        const char* yearEnd;
        std::vector<Placed> assets;
        bool midQuarter;
        bool stored = false;  // the company's flag of the last run
    };
    const char* y2012 = "2012-12-31";
    const char* feb = "2013-02-28";
    auto aprilAnd = [&](const char* placed) {
        return std::vector<Placed>{{"MACRS", "5", 100, "2012-04-01", feb},
                                   {"MACRS", "5", 100, placed, feb}};
    };
    // clang-format off
    const Case cases[] = {
        {"exactly 40 %", y2012, {{"MACRS", "5", 60000.00, "2012-03-01", y2012},
                                 {"MACRS", "7", 40000.00, "2012-10-01", y2012}}, false},
        {"a cent more", y2012, {{"MACRS", "5", 59999.99, "2012-03-01", y2012},
                                {"MACRS", "7", 40000.01, "2012-12-31", y2012}}, true},
        {"no assets of the year", y2012, {}, false},
        {"no assets, the stored flag set", y2012, {}, false, true},
        // A February year end: the last quarter runs from December to February.
        {"December 5", feb, aprilAnd("2012-12-05"), true},
        {"January 10", feb, aprilAnd("2013-01-10"), true},
        {"February 28", feb, aprilAnd("2013-02-28"), true},
        {"November 30", feb, aprilAnd("2012-11-30"), false},
        {"real property, ACRS and earlier years take no part", y2012,
         {{"MACRS", "5", 100, "2012-03-01", y2012}, {"MACRS", "27.5", 900000, "2012-12-01", y2012},
          {"ACRS", "5", 900000, "2012-12-01", y2012},
          {"MACRS", "5", 900000, "2011-12-01", "2011-12-31"}}, false},
        {"straight line and automobiles take part", y2012,
         {{"MACRS SL-PP", "5", 100, "2012-03-01", y2012},
          {"MACRS-Auto", "5", 101, "2012-12-01", y2012}}, true},
        // Section 179 leaves 20,000 in the last quarter: 28.6 %.
        {"the basis after Section 179", y2012,
         {{"MACRS", "5", 50000, "2012-03-01", y2012},
          {"MACRS", "5", 50000, "2012-11-01", y2012, 30000}}, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Company company = companyEnding(c.yearEnd, c.stored);
        MidQrtCheck check(company);
        for (const Placed& p : c.assets) {
            Asset a = testing::makeAsset(p.method, p.life, p.cost, p.placed, p.yrpis);
            a.sec179 = p.sec179;
            check.visit(a);
            if (p.sec179 > 0) {  // the basis used is written into the row
                EXPECT_EQ(a.postSecBasis, p.cost - p.sec179);
                EXPECT_EQ(a.costLessItc, p.cost);
            }
        }
        EXPECT_EQ(check.finish(), c.midQuarter);
    }
}

// The warnings of the year's limits over the assets of the year.
std::vector<std::string> limitWarnings(const char* yearEnd, std::vector<Asset> assets) {
    Company company = companyEnding(yearEnd);
    YearLimitChecks checks(company);
    for (Asset& a : assets) checks.visit(a);
    testing::RecordingFeedback feedback;
    checks.finish(feedback);
    return feedback.messages;
}

TEST(Sec179Ck, WarnsAboveTheYearsLimit) {
    struct Case {
        const char* yearEnd;
        double sec179;
        bool warns;
    };
    // clang-format off
    const Case cases[] = {
        {"2011-12-31", 500000.00, false},  {"2011-12-31", 500000.01, true},
        {"2012-12-31", 500000.00, false},  {"2012-12-31", 500000.01, true},
        {"2012-12-31", 125000.01, false},  {"2007-12-31", 125000.01, true},
        {"1995-06-30", 17500.00, false},   {"1995-06-30", 17500.01, true},
        {"1994-06-30", 9999999.00, false}, {"2027-12-31", 9999999.00, false},
        {"2013-12-31", 500000.00, false},  {"2013-12-31", 500000.01, true},
        {"2018-06-30", 1000000.00, false}, {"2018-06-30", 1000000.01, true},
        {"2025-12-31", 2500000.00, false}, {"2025-12-31", 2500000.01, true},
        {"2026-12-31", 2560000.00, false}, {"2026-12-31", 2560000.01, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        // Split over two assets: the sum is what counts.
        Asset a = testing::makeAsset("MACRS", "5", 1e7, c.yearEnd, c.yearEnd);
        Asset b = a;
        a.sec179 = c.sec179 - 0.01;
        b.sec179 = 0.01;
        const std::vector<std::string> warning{sec179Message(yearOf(*parseIsoDate(c.yearEnd)))};
        EXPECT_EQ(limitWarnings(c.yearEnd, {a, b}) == warning, c.warns)
            << c.yearEnd << " " << c.sec179;
    }
    EXPECT_EQ(sec179Message(2012), "You have exceeded the 2012 Sec. 179 limit of 500,000.");
    EXPECT_EQ(sec179Message(1998), "You have exceeded the 1998 Sec. 179 limit of 18,500.");
    EXPECT_EQ(sec179Message(2024), "You have exceeded the 2024 Sec. 179 limit of 1,220,000.");
}

TEST(FirstYR30PctDeductionCk, BonusMayNotExceedTheYearsNewBasis) {
    struct Case {
        double macrsBonus;
        const char* otherMethod;
        double otherBonus;
        bool warns;
    };
    const Case cases[] = {
        {10000.00, "ACRS", 0.0, false},
        {10000.01, "ACRS", 0.0, true},
        // A bonus on an ACRS or SL-Old asset counts in the total; its basis does not.
        {9999.99, "ACRS", 0.02, true},
        {0.0, "SL-Old", 10000.00, false},
        {0.0, "SL-Old", 10000.01, true},
    };
    for (const auto& c : cases) {
        Asset macrs = testing::makeAsset("MACRS", "5", 12000.0, "2012-05-01", "2012-12-31");
        macrs.sec179 = 2000.0;  // adjusted basis 10,000
        macrs.bonus = c.macrsBonus;
        Asset other = testing::makeAsset(c.otherMethod, "5", 50000.0, "2012-05-01", "2012-12-31");
        other.bonus = c.otherBonus;
        const std::vector<std::string> warning{messages::kBonus};
        EXPECT_EQ(limitWarnings("2012-12-31", {macrs, other}) == warning, c.warns)
            << c.macrsBonus << " " << c.otherMethod << " " << c.otherBonus;
    }
}

TEST(AccumDepChk, ToleratesOneDollarAndCountsEmptyAmountsAsZero) {
    struct Case {
        Money prior;
        Money current;
        Money cost;
        bool exceeds;
    };
    const Case cases[] = {
        {9999.50, 1.40, 10000.00, false},
        {9999.50, 1.50, 10000.00, false},  // exactly one dollar over
        {9999.50, 1.51, 10000.00, true},
        {9999.50, 1.60, 10000.00, true},
        // A new asset whose prior amount was left blank is checked all the same.
        {std::nullopt, 24000.00, 12000.00, true},
        {std::nullopt, 12000.00, 12000.00, false},
        {500.00, std::nullopt, std::nullopt, true},
        {0.10, 0.20, 0.0, false},
    };
    for (bool book : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message()
                         << (book ? "book " : "tax ") << money::value(c.current));
            testing::TempDir dir;
            Connection db = testing::makeCompanyFile(dir / "c.mdb", "Test Company", "2012-12-31");
            // Several failing rows give one warning, naming each; the other side is fine.
            for (const char* name : {"Press", "Lathe", "Drill"}) {
                Asset a = testing::makeAsset("MACRS", "5", 0.0, "2010-05-01", "2010-12-31");
                a.description = name;
                (book ? a.priorAccumBook : a.priorAccumTax) = c.prior;
                (book ? a.currentBook : a.currentTax) = c.current;
                (book ? a.costBook : a.costTax) = c.cost;
                insertAsset(db, a);
            }
            CompanyChecks found = checkCompany(db, companyEnding("2012-12-31"));
            EXPECT_EQ((book ? found.accumBook : found.accumTax).count(), c.exceeds ? 3 : 0);
            EXPECT_TRUE((book ? found.accumTax : found.accumBook).empty());
            testing::RecordingFeedback feedback;
            book ? accumDepChkBk(found, feedback) : accumDepChkTax(found, feedback);
            if (!c.exceeds) {
                EXPECT_TRUE(feedback.messages.empty());
                continue;
            }
            ASSERT_EQ(feedback.messages.size(), 1u);
            EXPECT_EQ(feedback.messages[0],
                      std::string(book ? messages::kAccumBook : messages::kAccumTax) +
                          "\nAssets (3):\n"
                          "  Press, placed in service 05/01/2010\n"
                          "  Lathe, placed in service 05/01/2010\n"
                          "  Drill, placed in service 05/01/2010");
        }
    }
}

TEST(DateChk, EachWarningOnceNamingTheOffendingAssets) {
    testing::TempDir dir;
    Connection db = testing::makeCompanyFile(dir / "c.mdb", "Test Company", "2012-06-30");
    auto add = [&](const char* name, const char* placed, const char* yrpis) {
        Asset a = testing::makeAsset("MACRS", "5", 100.0, placed, yrpis);
        a.description = name;
        if (!*yrpis) a.yrpis.reset();
        insertAsset(db, a);
    };
    // June year end, placed 8/1/2011, "YRPIS" 6/30/2012: different calendar years.
    add("Truck", "2011-08-01", "2012-06-30");
    add("Van", "2010-08-01", "2011-06-30");
    add("Desk", "2012-06-30", "2012-06-01");
    add("Chair", "2012-01-15", "2012-06-30");
    add("Undated", "2012-01-15", "");
    CompanyChecks found = checkCompany(db, companyEnding("2012-06-30"));
    testing::RecordingFeedback feedback;
    dateChk(found, feedback);
    EXPECT_EQ(
        feedback.messages,
        (std::vector<std::string>{
            std::string(messages::kYearMismatch) + "\nAssets (2):\n"
                                                   "  Truck, placed in service 08/01/2011\n"
                                                   "  Van, placed in service 08/01/2010",
            std::string(messages::kPlacedAfterYrpis) + "\nAsset:\n"
                                                       "  Desk, placed in service 06/30/2012"}));
}

TEST(YearTotals, SumsTheYearsAmountsExactly) {
    testing::TempDir dir;
    Connection db = testing::makeCompanyFile(dir / "c.mdb", "Test Company", "2012-12-31");
    for (double amount : {0.1, 0.2, 0.3, 100000.07}) {
        Asset a = testing::makeAsset("MACRS", "5", 1e6, "2012-05-01", "2012-12-31");
        a.currentTax = amount;
        a.currentBook.reset();
        insertAsset(db, a);
    }
    YearTotals totals = yearTotals(db, companyEnding("2012-12-31"));
    EXPECT_EQ(totals.tax, 100000.67);
    EXPECT_EQ(totals.book, 0.0);
}

}  // namespace
}  // namespace czx
