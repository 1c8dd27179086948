// Whole runs over a company database file.
#include "engine/run/run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/run/checks.h"
#include "engine/tables/federal_law.h"
#include "store/assets.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

class RunTest : public ::testing::Test {
  protected:
    std::int64_t add(Asset a) { return insertAsset(db, a); }
    Asset row(std::int64_t id) { return readAsset(db, id); }
    RunSummary depreciate() { return depreciateAssets(db, feedback); }
    void setCompany(const std::string& assignments) {
        db.execute("UPDATE Defaults SET " + assignments);
    }
    // How many times the run said exactly `text`.
    long said(const std::string& text) {
        return std::count(feedback.messages.begin(), feedback.messages.end(), text);
    }
    long flagged() {
        auto q = db.prepare("SELECT count(*) FROM assets WHERE assetchng <> 0");
        q.step();
        return static_cast<long>(q.columnInt(0));
    }

    testing::TempDir dir;
    Connection db = testing::makeCompanyFile(dir / "czxdprnd.mdb", "Test Company", "2012-12-31");
    testing::RecordingFeedback feedback;
    testing::RecordingReporter reporter;
};

TEST_F(RunTest, ComputesFlaggedRowsAndClearsEveryFlag) {
    auto machine = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    // Land: no depreciation, but the tax side takes its first-year expenses;
    // the book side of a non-depreciable asset is left as it is.
    Asset landRow = testing::makeAsset("Non-Depreciable", "0", 50000.0, "2012-03-10", "2012-12-31");
    landRow.methodBook = "Non-Depreciable";
    landRow.sec179 = 1000.0;
    landRow.bonus = 500.0;
    landRow.currentBook = 42.0;
    auto land = add(landRow);
    RunSummary summary = depreciate();
    EXPECT_TRUE(summary.completed);
    EXPECT_EQ(summary.taxComputed, 2);
    EXPECT_EQ(summary.bookComputed, 2);
    EXPECT_EQ(row(machine).currentTax, 2000.0);  // 20 % in the first half-year
    EXPECT_EQ(row(machine).post30Basis, 10000.0);
    EXPECT_EQ(row(machine).line24eBasis, 10000.0);
    EXPECT_EQ(row(land).currentTax, 1500.0);
    EXPECT_EQ(row(land).currentBook, 42.0);
    EXPECT_EQ(yearTotals(db, readCompany(db)).tax, 3500.0);
    EXPECT_EQ(flagged(), 0);
    EXPECT_TRUE(reporter.reports.empty());
    // Stored in the file, the transaction closed.
    EXPECT_FALSE(db.inTransaction());
    Connection other = Connection::open(dir / "czxdprnd.mdb");
    EXPECT_EQ(readAsset(other, machine).currentTax, 2000.0);
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
    // Depreciate all computes every row, flagged or not.
    EXPECT_EQ(depreciateAssets(db, feedback, true).taxComputed, 2);
    EXPECT_EQ(row(a).currentTax, 2000.0);
    EXPECT_EQ(flagged(), 0);
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
    a.itcAdjustment = 1000.0;
    a.busUseTax = 0.75;
    a.sec179 = 500.0;
    a.bonus = 250.0;
    auto id = add(a);
    Asset unused = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31");
    unused.busUseTax.reset();  // without business use there is no basis
    auto noUse = add(unused);
    depreciate();
    Asset after = row(id);
    EXPECT_EQ(after.currentTax, 777.77);
    EXPECT_EQ(after.nonBusDprn, 11.11);
    EXPECT_EQ(after.costLessItc, 9000.0);
    EXPECT_EQ(after.post30Basis, 6000.0);  // 9,000 × 0.75 - 500 - 250
    EXPECT_EQ(after.line24eBasis, 6000.0);
    EXPECT_EQ(row(noUse).costLessItc, 10000.0);
    EXPECT_FALSE(row(noUse).post30Basis);
    EXPECT_FALSE(row(noUse).line24eBasis);
}

TEST_F(RunTest, NoColumnSetsMeansNothingComputedButFlagsCleared) {
    setCompany("[Regular federal] = 0, Book = 0");
    auto id = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    RunSummary summary = depreciate();
    EXPECT_EQ(summary.taxComputed + summary.bookComputed, 0);
    EXPECT_EQ(row(id).currentTax, 0.0);
    EXPECT_EQ(flagged(), 0);
}

TEST_F(RunTest, RowsWithoutDatesOrPlacedAfterTheYearEndAreNamedOnce) {
    Asset noYrpis = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31");
    noYrpis.yrpis.reset();
    noYrpis.currentTax = 5.0;
    Asset noPlaced = noYrpis;
    noPlaced.yrpis = parseIsoDate("2012-12-31");
    noPlaced.placedInService.reset();
    auto a = add(noYrpis);
    add(noPlaced);
    auto good = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    for (const char* method : {"MACRS SL-PP", "SL-Old", "DDB200%-Old", "Amortization"}) {
        Asset later = testing::makeAsset(method, "5", 10000.0, "2013-02-01", "2013-12-31");
        later.currentTax = later.currentBook = 99.0;
        add(later);
    }
    // Placed after the year end though its YRPIS says otherwise.
    add(testing::makeAsset("SL-Old", "5", 10000.0, "2013-01-15", "2012-12-31"));
    RunSummary summary = depreciate();
    EXPECT_EQ(summary.skipped, 2);
    EXPECT_EQ(summary.taxComputed, 6);
    EXPECT_EQ(row(a).currentTax, 5.0);
    EXPECT_EQ(row(good).currentTax, 2000.0);
    const YearTotals totals = yearTotals(db, readCompany(db));
    EXPECT_EQ(totals.tax, 2010.0);  // the skipped rows keep 5.00
    EXPECT_EQ(totals.book, 1666.67);
    EXPECT_EQ(said(skippedRowsMessage(2) + "\nAssets (2):\n"
                                           "  MACRS 5, placed in service 03/10/2012\n"
                                           "  MACRS 5, no date placed in service"),
              1);
    EXPECT_EQ(said("5 asset(s) placed in service after the year end 12/31/2012 were not "
                   "depreciated.\nAssets (5):\n"
                   "  MACRS SL-PP 5, placed in service 02/01/2013\n"
                   "  SL-Old 5, placed in service 02/01/2013\n"
                   "  DDB200%-Old 5, placed in service 02/01/2013\n"
                   "  Amortization 5, placed in service 02/01/2013\n"
                   "  SL-Old 5, placed in service 01/15/2013"),
              1);
    // Rows without dates are not computed, so still flagged for the run
    // after the dates are entered.
    EXPECT_EQ(flagged(), 2);
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

// ---- A run never leaves rows silently stale --------------------------------

// Thirty flagged assets, as after a close of year.
class StaleRowsTest : public RunTest {
  protected:
    void SetUp() override {
        Transaction t(db);
        for (int i = 0; i < 30; ++i) {
            Asset a =
                testing::makeAsset("MACRS", "7", 1000.0 * (i + 1), "2011-04-01", "2011-12-31");
            a.description = "Asset " + std::to_string(i + 1);
            ids.push_back(add(a));
        }
        t.commit();
    }
    double taxTotal() { return yearTotals(db, readCompany(db)).tax; }
    std::vector<std::int64_t> ids;
};

TEST_F(StaleRowsTest, AFailedWriteHalfWayRollsTheWholeRunBack) {
    db.execute(
        "CREATE TRIGGER refuse BEFORE UPDATE OF [Current Dprn - Tax] ON assets "
        "WHEN old.[Asset Description] = 'Asset 15' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    RunSummary summary = depreciate();
    EXPECT_FALSE(summary.committed);
    EXPECT_FALSE(summary.completed);
    EXPECT_EQ(flagged(), 30);
    EXPECT_EQ(taxTotal(), 0.0);
    ASSERT_EQ(reporter.reports.size(), 1u);
    // Reported under the pass that wrote the row, naming the asset.
    EXPECT_NE(reporter.reports[0].find("An error occurred within:\r\nCalcform.DeprAssetsTax"),
              std::string::npos)
        << reporter.reports[0];
    EXPECT_NE(reporter.reports[0].find("Asset: Asset 15, placed in service 04/01/2011"),
              std::string::npos);
    EXPECT_TRUE(feedback.messages.empty());

    // Once the cause is gone, a plain run computes every row.
    db.execute("DROP TRIGGER refuse");
    summary = depreciate();
    EXPECT_TRUE(summary.completed);
    EXPECT_EQ(summary.taxComputed, 30);
    EXPECT_EQ(flagged(), 0);
    EXPECT_EQ(taxTotal(), 465000.0 * 0.2449);  // MACRS 7, second year
}

TEST_F(StaleRowsTest, AMidQuarterTestThatFailsStopsTheRun) {
    // One asset of the year too large for any amount: the year's convention
    // cannot be known, so nothing is computed with a guessed one.
    Asset huge = testing::makeAsset("MACRS", "5", 1e300, "2012-11-01", "2012-12-31");
    huge.description = "Overflow";
    add(huge);
    db.execute("UPDATE Defaults SET YearEnd = '2012-12-31'");
    RunSummary summary = depreciate();
    EXPECT_FALSE(summary.committed);
    EXPECT_EQ(flagged(), 31);
    EXPECT_EQ(taxTotal(), 0.0);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find("Calcform.MidQrtCheck\r\n\r\nOverflow (6)"),
              std::string::npos)
        << reporter.reports[0];
    EXPECT_NE(reporter.reports[0].find("Asset: Overflow, placed in service 11/01/2012"),
              std::string::npos);
    EXPECT_FALSE(readCompany(db).midQrtYRTax);
}

TEST_F(StaleRowsTest, AFullDiskUndoesTheRunAndSaysSo) {
    // The file may not grow: packed tight, with the columns the run fills
    // still empty, the first page the run needs fails with SQLITE_FULL, as
    // on a full disk.
    {
        Transaction t(db);
        for (int i = 0; i < 300; ++i)
            add(testing::makeAsset("MACRS", "7", 1000.0, "2011-04-01", "2011-12-31"));
        t.commit();
    }
    db.execute(
        "UPDATE assets SET [Cost Less ITC Adj] = NULL, [Post30%DeductionBasis] = NULL, "
        "[Line24eBasis] = NULL, [Non Bus Dprn] = NULL, [PostSecBasis] = NULL, "
        "[Current Dprn - Tax] = NULL, [Current Dprn - Book] = NULL");
    db.execute("VACUUM");
    auto pages = db.prepare("PRAGMA page_count");
    pages.step();
    db.execute("PRAGMA max_page_count = " + std::to_string(pages.columnInt(0)));
    pages.reset();
    RunSummary summary = depreciate();
    EXPECT_FALSE(summary.committed);
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(flagged(), 330);
    EXPECT_EQ(taxTotal(), 0.0);
    ASSERT_FALSE(reporter.reports.empty());
    EXPECT_NE(reporter.reports.back().find("full"), std::string::npos) << reporter.reports.back();
}

TEST_F(RunTest, ACalculatorFailureIsReportedAndTheRowKeepsItsFlagUntilFixed) {
    Asset broken = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31");
    broken.lifeBook = "0";  // book straight line divides by its life
    auto bad = add(broken);
    auto good = add(testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"));
    RunSummary summary = depreciate();
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find("An error occurred within:\r\nCalcform.CalcSLBook"),
              std::string::npos)
        << reporter.reports[0];
    EXPECT_NE(reporter.reports[0].find("Division by zero (11)\r\n\r\nAsset:\r\n"
                                       "  MACRS 5, placed in service 03/10/2012\r\n"),
              std::string::npos);
    EXPECT_TRUE(summary.committed);
    EXPECT_FALSE(summary.completed);
    EXPECT_EQ(summary.rowsWithErrors, 1);
    EXPECT_EQ(summary.bookComputed, 2);
    EXPECT_EQ(row(bad).currentBook, 0.0);
    EXPECT_EQ(row(bad).currentTax, 2000.0);
    EXPECT_GT(*row(good).currentBook, 0.0);
    EXPECT_EQ(flagged(), 1);
    EXPECT_TRUE(row(bad).assetChanged);
    EXPECT_FALSE(row(good).assetChanged);
    db.execute("UPDATE assets SET [Dprn Life - Book] = '5' WHERE rowid = ?", {Value(bad)});
    summary = depreciate();
    EXPECT_EQ(summary.taxComputed, 1);
    EXPECT_EQ(row(bad).currentBook, 1666.67);  // 2,000 a year for the 10 months from March
    EXPECT_EQ(flagged(), 0);
}

// ---- Dates judged by the fiscal year ---------------------------------------

struct DisposalCase {
    const char* disposed;
    double tax;
    double book;
};

TEST_F(RunTest, DisposalsAreJudgedByTheFiscalYear) {
    // June year end: the fiscal year 2013 runs from 7/1/2012 to 6/30/2013.
    // MACRS 5 in its second year takes 32 % (3,200), book straight line 2,000.
    const DisposalCase cases[] = {
        {"", 3200.00, 2000.00},
        {"2012-10-15", 1600.00, 500.00},   // this year: half year; 3 months held
        {"2013-06-30", 1600.00, 2000.00},  // on the year end itself: this year
        {"2012-06-30", 0.00, 0.00},        // on the prior year end: an earlier year
        {"2013-08-01", 3200.00, 2000.00},  // after the year end: not sold yet
    };
    setCompany("YearEnd = '2013-06-30'");
    for (const auto& c : cases) {
        Asset a = testing::makeAsset("MACRS", "5", 10000.0, "2011-08-01", "2012-06-30");
        a.disposed = parseIsoDate(c.disposed);
        auto id = add(a);
        depreciate();
        EXPECT_EQ(row(id).currentTax, c.tax) << c.disposed;
        EXPECT_EQ(row(id).currentBook, c.book) << c.disposed;
    }
}

TEST_F(RunTest, TheFirstYearIsTheCalendarYearOfYrpis) {
    // A December company whose YRPIS was typed as 6/30/2012.
    Asset a = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-06-30");
    a.sec179 = 1000.0;
    a.bonus = 500.0;
    auto machine = add(a);
    RunSummary summary = depreciate();
    EXPECT_TRUE(summary.completed);
    EXPECT_EQ(row(machine).currentTax, 3200.0);  // 20 % of 8,500 plus 1,500

    // The year's Section 179 total counts it.
    Asset big = testing::makeAsset("MACRS", "5", 600000.0, "2012-11-20", "2012-06-30");
    big.sec179 = 499000.01;
    add(big);
    // A December automobile in this mid-quarter year takes the fourth quarter.
    Asset car = testing::makeAsset("MACRS-Auto", "5", 20000.0, "2012-11-15", "2012-06-30");
    car.passengerAuto = true;
    auto autoId = add(car);
    depreciate();
    EXPECT_TRUE(readCompany(db).midQrtYRTax);
    EXPECT_EQ(row(autoId).midQrtAsset, "4");
    EXPECT_EQ(row(machine).midQrtAsset, "1");
    EXPECT_EQ(said(sec179Message(2012)), 1);
}

// ---- Federal law known through the last year of the tables --------------------

TEST_F(RunTest, AYearWhoseLimitsAreUnknownIsSaidOnce) {
    setCompany("YearEnd = '2027-12-31'");
    Asset press = testing::makeAsset("MACRS", "5", 10000.0, "2027-03-01", "2027-12-31");
    press.sec179 = 5000.0;
    add(press);
    Asset car = testing::makeAsset("MACRS-Auto", "5", 30000.0, "2027-02-01", "2027-12-31");
    car.passengerAuto = true;
    auto carId = add(car);
    depreciate();
    EXPECT_EQ(said(law::unknownYearMessage(2027)), 1);
    // The car's limits are not set: no depreciation, as for years before 1995.
    EXPECT_EQ(row(carId).currentTax, 0.0);

    // A later year holding no new assets and no such car needs no unknown limit.
    feedback.messages.clear();
    db.execute("DELETE FROM assets WHERE rowid = ?", {Value(carId)});
    setCompany("YearEnd = '2028-12-31'");
    db.execute("UPDATE assets SET assetchng = 1");
    depreciate();
    EXPECT_TRUE(feedback.messages.empty()) << feedback.messages.front();
}

// ---- Bad values are reported, never used or overwritten ----------------------

TEST_F(RunTest, TextThatIsNoValueIsReportedAndNothingOfTheRowIsWritten) {
    auto named = [&](const char* name) {
        Asset a = testing::makeAsset("MACRS", "5", 10000.0, "2012-03-10", "2012-12-31");
        a.description = name;
        a.sec179 = 1000.0;
        a.currentTax = 777.77;
        a.nonBusDprn = 11.11;
        return add(a);
    };
    auto cost = named("Press");
    auto disposed = named("Lathe");
    auto override = named("Drill");
    auto blob = named("Saw");
    auto good = named("Bench");
    db.execute("UPDATE assets SET [Asset Cost - Tax] = '12,000.00' WHERE rowid = ?", {Value(cost)});
    db.execute(
        "UPDATE assets SET [Date Disposed] = '06/15/2012', [Asset Cost - Book] = '$5000' "
        "WHERE rowid = ?",
        {Value(disposed)});
    db.execute("UPDATE assets SET [Tax Dprn Override] = 'Yes' WHERE rowid = ?", {Value(override)});
    db.execute("UPDATE assets SET [SecOneSevenNine] = x'00ff' WHERE rowid = ?", {Value(blob)});
    auto stored = [&](std::int64_t id) {
        auto q = db.prepare(
            "SELECT quote([SecOneSevenNine]) || quote([Current Dprn - Tax]) || quote([Non Bus "
            "Dprn]) || quote([Current Dprn - Book]) || quote([Line24eBasis]) FROM assets WHERE "
            "rowid = ?");
        q.bind(1, id);
        q.step();
        return q.columnText(0);
    };
    std::vector<std::string> before;
    for (auto id : {cost, disposed, override, blob}) before.push_back(stored(id));

    RunSummary summary = depreciate();
    EXPECT_TRUE(summary.committed);
    EXPECT_FALSE(summary.completed);
    EXPECT_EQ(summary.unreadable, 4);
    EXPECT_EQ(summary.taxComputed, 1);
    ASSERT_EQ(reporter.reports.size(), 1u);
    const std::string& report = reporter.reports[0];
    EXPECT_NE(report.find("Type mismatch (13)\r\n\r\nAssets (4):\r\n"
                          "  Press, placed in service 03/10/2012: Asset Cost - Tax\r\n"
                          "  Lathe, placed in service 03/10/2012: Date Disposed, "
                          "Asset Cost - Book\r\n"
                          "  Drill, placed in service 03/10/2012: Tax Dprn Override\r\n"
                          "  Saw, placed in service 03/10/2012: SecOneSevenNine\r\n"),
              std::string::npos)
        << report;
    std::vector<std::string> after;
    for (auto id : {cost, disposed, override, blob}) after.push_back(stored(id));
    EXPECT_EQ(after, before);
    EXPECT_EQ(flagged(), 4);
    EXPECT_FALSE(row(good).assetChanged);
    EXPECT_EQ(row(good).currentTax, 2800.0);  // 20 % of 9,000 plus 1,000
}

TEST_F(RunTest, ContradictoryRowsWarnOnceNamingTheAssets) {
    auto add = [&](const char* name, const char* method, const char* life, double cost, double use,
                   const char* disposedOn) {
        Asset a = testing::makeAsset(method, life, cost, "2012-03-10", "2012-12-31");
        a.description = name;
        a.busUseTax = use;
        a.disposed = parseIsoDate(disposedOn);
        return RunTest::add(a);
    };
    add("Sold early", "MACRS", "5", 1000.0, 1.0, "2012-01-05");
    add("Overused", "MACRS", "5", 1000.0, 1.5, "");
    add("Four years", "MACRS", "4", 1000.0, 1.0, "");
    add("Ninety-nine", "ACRS", "99", 1000.0, 1.0, "");
    add("Refund", "MACRS", "5", -500.0, 1.0, "");
    auto lifeless = add("Fine", "MACRS SL-PP", "4", 1000.0, 1.0, "");
    depreciate();
    auto has = [&](const std::string& text) { return said(text) == 1; };
    EXPECT_TRUE(has(std::string(messages::kDisposedBeforePlaced) +
                    "\nAsset:\n  Sold early, placed in service 03/10/2012"));
    EXPECT_TRUE(has(std::string(messages::kBusinessUseOutOfRange) +
                    "\nAsset:\n  Overused, placed in service 03/10/2012"));
    EXPECT_TRUE(has(std::string(messages::kLifeWithoutTable) +
                    "\nAssets (2):\n  Four years, placed in service 03/10/2012: MACRS 4\n"
                    "  Ninety-nine, placed in service 03/10/2012: ACRS 99"));
    EXPECT_TRUE(has(std::string(messages::kNegativeCost) +
                    "\nAsset:\n  Refund, placed in service 03/10/2012"))
        << ::testing::PrintToString(feedback.messages);
    // The amounts stay as the rules give them: a straight line takes any life.
    EXPECT_GT(*row(lifeless).currentTax, 0.0);
}

// ---- Messages a person can act on ---------------------------------------------

TEST_F(RunTest, TheTrailNamesTheRunOnceAndTheBookPassWhenItRuns) {
    // A company without a year end: reported, nothing stored.
    setCompany("YearEnd = NULL");
    auto id = add(testing::makeAsset("MACRS", "5", 1000.0, "2012-03-10", "2012-12-31"));
    EXPECT_FALSE(depreciate().completed);
    EXPECT_EQ(row(id).currentTax, 0.0);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find("Previous sections called:\r\n"
                                       "Calcform.mnuDeprAssets_Click\r\n"),
              std::string::npos)
        << reporter.reports[0];
    EXPECT_EQ(reporter.reports[0].find("Calcform.mnuDeprAssets_Click\r\n"
                                       "Calcform.mnuDeprAssets_Click"),
              std::string::npos);

    // A failed write of the book pass is the book pass's own failure.
    reporter.reports.clear();
    setCompany("YearEnd = '2012-12-31', [Regular federal] = 0");
    db.execute(
        "CREATE TRIGGER refuse BEFORE UPDATE OF [Current Dprn - Book] ON assets "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    depreciate();
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find("An error occurred within:\r\nCalcform.DeprAssetsBk\r\n"),
              std::string::npos)
        << reporter.reports[0];
}

TEST_F(RunTest, BadRowsAmongTenThousandAreReportedOnceAndRetriedAlone) {
    // Every tenth row, items 2, 12, ..., 9992, an old straight line that
    // divides by a life of 0: one report counts them and names the first twenty.
    {
        Transaction t(db);
        for (int i = 0; i < 10000; ++i) {
            Asset a = testing::makeAsset(i % 2 ? "SL-Old" : "MACRS", "7", 1000.0 + i, "2011-04-01",
                                         "2011-12-31");
            a.description = "Item " + std::to_string(i + 1);
            if (i % 10 == 1) a.lifeTax = "0";
            add(a);
        }
        t.commit();
    }
    RunSummary summary = depreciate();
    EXPECT_EQ(summary.taxComputed, 10000);
    EXPECT_EQ(summary.rowsWithErrors, 1000);
    ASSERT_EQ(reporter.reports.size(), 1u);
    const std::string& report = reporter.reports[0];
    EXPECT_NE(report.find("Calcform.CalcSLOldTax\r\n\r\nDivision by zero (11)\r\n\r\n"
                          "Assets (1,000):\r\n  Item 2, placed in service 04/01/2011\r\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("  Item 192, placed in service 04/01/2011\r\n  and 980 more\r\n"),
              std::string::npos);
    EXPECT_EQ(report.find("Item 202,"), std::string::npos);
    EXPECT_EQ(flagged(), 1000);

    // Once fixed, only the rows still flagged are computed again.
    db.execute("UPDATE assets SET [Dprn Life - Tax] = '7' WHERE [Dprn Life - Tax] = '0'");
    summary = depreciate();
    EXPECT_EQ(summary.taxComputed, 1000);
    EXPECT_EQ(summary.rowsWithErrors, 0);
    EXPECT_EQ(flagged(), 0);
}

}  // namespace
}  // namespace czx
