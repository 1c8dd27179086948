// Whole runs over a company database file.
#include "engine/run/run.h"

#include <gtest/gtest.h>

#include "engine/run/checks.h"
#include "store/assets.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

class RunTest : public ::testing::Test {
  protected:
    std::int64_t add(Asset a) { return insertAsset(db, a); }
    Asset row(std::int64_t id) { return readAsset(db, id); }
    RunSummary depreciate() { return DepreciateAssets(db, feedback); }
    void setCompany(const std::string& assignments) {
        db.execute("UPDATE Defaults SET " + assignments);
    }
    long flagged() {
        auto q = db.prepare("SELECT count(*) FROM assets WHERE assetchng <> 0");
        q.step();
        return static_cast<long>(q.columnInt(0));
    }

    testing::TempDir dir;
    Connection db = testing::createCompany(dir / "czxdprnd.mdb", "2012-12-31");
    testing::RecordingFeedback feedback;
    testing::RecordingReporter reporter;
};

TEST_F(RunTest, ComputesFlaggedRowsAndClearsEveryFlag) {
    auto machine = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    Asset landRow = testing::makeAsset("Non-Depreciable", "0", 50000.0, "2012-03-10", "2012-12-31");
    landRow.methodBook = "Non-Depreciable";
    auto land = add(landRow);
    RunSummary summary = depreciate();
    EXPECT_TRUE(summary.completed);
    EXPECT_EQ(summary.taxComputed, 2);
    EXPECT_EQ(summary.bookComputed, 2);
    EXPECT_EQ(row(machine).currentTax, 2000.0);  // 20 % in the first half-year
    EXPECT_EQ(row(machine).post30Basis, 10000.0);
    EXPECT_EQ(row(machine).line24eBasis, 10000.0);
    EXPECT_EQ(row(land).currentTax, 0.0);
    EXPECT_EQ(yearTotals(db, readCompany(db)).tax, 2000.0);
    EXPECT_EQ(flagged(), 0);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(RunTest, UnchangedRowsKeepTheirAmounts) {
    auto a = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    auto b = add(testing::makeAsset("MACRS", "7", 10000.0, "2012-03-10", "2012-12-31"));
    depreciate();
    db.execute("UPDATE assets SET [Current Dprn - Tax] = 1.23 WHERE rowid = ?", {Value(a)});
    db.execute("UPDATE assets SET [Asset Cost - Tax] = 20000, assetchng = 1 WHERE rowid = ?",
               {Value(b)});
    RunSummary summary = depreciate();
    EXPECT_EQ(summary.taxComputed, 1);
    EXPECT_EQ(row(a).currentTax, 1.23);
    EXPECT_EQ(row(b).currentTax, 2858.0);  // 14.29 % of 20,000
}

TEST_F(RunTest, AChangedMidQuarterOutcomeRecomputesEveryRow) {
    auto spring = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    depreciate();
    EXPECT_EQ(row(spring).currentTax, 2000.0);
    // A large addition in December makes 2012 a mid-quarter year: the spring
    // asset, though unchanged, is recomputed under the first-quarter table.
    auto winter = add(testing::makeAsset("MACRS", "5", 90000.0, "2012-12-01", "2012-12-31"));
    RunSummary summary = depreciate();
    EXPECT_EQ(summary.taxComputed, 2);
    EXPECT_EQ(summary.bookComputed, 1);
    EXPECT_EQ(row(spring).midQrtAsset, "1");
    EXPECT_EQ(row(spring).currentTax, 3500.0);  // 35 %
    EXPECT_EQ(row(winter).midQrtAsset, "4");
    EXPECT_EQ(row(winter).currentTax, 4500.0);  // 5 %
    EXPECT_TRUE(readCompany(db).midQrtYRTax);
    // A second run without changes keeps the outcome and computes nothing.
    db.execute("UPDATE assets SET [Current Dprn - Tax] = 1.23 WHERE rowid = ?", {Value(spring)});
    summary = depreciate();
    EXPECT_EQ(summary.taxComputed, 0);
    EXPECT_EQ(row(spring).currentTax, 1.23);
}

TEST_F(RunTest, OverrideKeepsTheUsersAmountButRewritesTheBasis) {
    Asset a = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31");
    a.taxOverride = true;
    a.currentTax = 777.77;
    a.nonBusDprn = 11.11;
    a.busUseTax = 0.5;
    auto id = add(a);
    depreciate();
    Asset after = row(id);
    EXPECT_EQ(after.currentTax, 777.77);
    EXPECT_EQ(after.nonBusDprn, 11.11);
    EXPECT_EQ(after.costLessItc, 10000.0);
    EXPECT_EQ(after.post30Basis, 5000.0);
    EXPECT_EQ(after.line24eBasis, 5000.0);
}

TEST_F(RunTest, NonDepreciableTaxGetsItsFirstYearExpensesAndBookIsUntouched) {
    Asset a = testing::makeAsset("Non-Depreciable", "0", 10000.0, "2012-03-10", "2012-12-31");
    a.methodBook = "Non-Depreciable";
    a.sec179 = 1000.0;
    a.bonus = 500.0;
    a.currentBook = 42.0;
    auto id = add(a);
    depreciate();
    EXPECT_EQ(row(id).currentTax, 1500.0);
    EXPECT_EQ(row(id).currentBook, 42.0);
}

TEST_F(RunTest, NoColumnSetsMeansNothingComputedButFlagsCleared) {
    setCompany("[Regular federal] = 0, Book = 0");
    auto id = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    RunSummary summary = depreciate();
    EXPECT_EQ(summary.taxComputed + summary.bookComputed, 0);
    EXPECT_EQ(row(id).currentTax, 0.0);
    EXPECT_EQ(flagged(), 0);
}

TEST_F(RunTest, RowsWithoutDatesAreSkippedAndCounted) {
    Asset noYrpis = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31");
    noYrpis.yrpis.reset();
    noYrpis.currentTax = 5.0;
    Asset noPlaced = noYrpis;
    noPlaced.yrpis = parseIsoDate("2012-12-31");
    noPlaced.placedInService.reset();
    auto a = add(noYrpis);
    add(noPlaced);
    auto good = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    RunSummary summary = depreciate();
    EXPECT_EQ(summary.skipped, 2);
    EXPECT_EQ(summary.taxComputed, 1);
    EXPECT_EQ(row(a).currentTax, 5.0);
    EXPECT_EQ(row(good).currentTax, 2000.0);
    ASSERT_FALSE(feedback.messages.empty());
    EXPECT_EQ(feedback.messages.back(), skippedRowsMessage(2) +
                                            "\nAssets (2):\n"
                                            "  MACRS 5, placed in service 03/10/2012\n"
                                            "  MACRS 5, no date placed in service");
    // Not computed, so still flagged for the run after the dates are entered.
    EXPECT_EQ(flagged(), 2);
}

TEST_F(RunTest, ACalculatorFailureIsReportedAndTheRunGoesOn) {
    Asset broken = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31");
    broken.lifeBook = "0";  // book straight line divides by its life
    auto bad = add(broken);
    auto next = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    RunSummary summary = depreciate();
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find("An error occurred within:\r\nCalcform.CalcSLBook"),
              std::string::npos)
        << reporter.reports[0];
    EXPECT_NE(reporter.reports[0].find("Division by zero (11)"), std::string::npos);
    EXPECT_EQ(summary.bookComputed, 2);
    EXPECT_EQ(row(bad).currentBook, 0.0);
    EXPECT_GT(*row(next).currentBook, 0.0);
    EXPECT_EQ(row(bad).currentTax, 2000.0);
}

TEST_F(RunTest, ChecksWarnInOrderAfterThePasses) {
    Asset big = testing::makeAsset("MACRS", "5", 600000.0, "2012-03-10", "2012-12-31");
    big.sec179 = 500000.01;
    big.priorAccumTax = 0.0;
    add(big);
    Asset odd = testing::makeAsset("MACRS", "5", 100.0, "2011-03-10", "2012-12-31");
    odd.priorAccumBook = 500.0;
    add(odd);
    depreciate();
    const std::string oddAsset = "\nAsset:\n  MACRS 5, placed in service 03/10/2011";
    EXPECT_EQ(feedback.messages,
              (std::vector<std::string>{sec179Message(2012), messages::kYearMismatch + oddAsset,
                                        messages::kAccumBook + oddAsset}));
}

TEST_F(RunTest, TheRunIsStoredInTheFile) {
    auto id = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    depreciate();
    EXPECT_FALSE(db.inTransaction());
    Connection other = Connection::open(dir / "czxdprnd.mdb");
    EXPECT_EQ(readAsset(other, id).currentTax, 2000.0);
}

TEST_F(RunTest, ACompanyWithoutYearEndReportsAndStoresNothing) {
    setCompany("YearEnd = NULL");
    auto id = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    RunSummary summary = depreciate();
    EXPECT_FALSE(summary.completed);
    EXPECT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(row(id).currentTax, 0.0);
}

}  // namespace
}  // namespace czx
