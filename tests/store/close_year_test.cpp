// Close of year: amounts rolled into the accumulated columns with rounding to
// the even cent, overrides cleared, every asset flagged, the year end moved
// on, and all of it or nothing.
#include "store/close_year.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>
#include <set>

#include "store/assets.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

using testing::companySnapshot;
using testing::makeCompany;
using testing::makeCompanyFile;
using testing::Rows;
using testing::tableRows;
using testing::TempDir;

Asset heldAsset(const std::string& description) {
    Asset a;
    a.description = description;
    a.groupName = "Machinery & Equipment";
    a.placedInService = parseIsoDate("2010-05-10");
    a.yrpis = parseIsoDate("2010-12-31");
    a.methodTax = "MACRS";
    a.lifeTax = "7";
    a.methodBook = "SL - Book";
    a.lifeBook = "7";
    a.costTax = 96000.0;
    a.costBook = 96000.0;
    a.disposed = parseIsoDate("2012-08-31");
    a.midQrtAsset = "3";
    a.sec179 = 1000.0;
    a.bonus = 2500.0;
    a.post30Basis = 92500.0;
    return a;
}

std::string yearEndOf(Connection& connection) {
    return isoDate(readCompany(connection).yearEnd.value());
}

// prior + current -> new prior, for each of the three pairs the close rolls.
struct RollCase {
    const char* name;
    Money prior;
    Money current;
    double expected;
};

const RollCase kRollCases[] = {
    // 1,250.125 is an exact tie: the even cent is 1,250.12.
    {"tie goes to even cent", 1000.00, 250.125, 1250.12},
    {"nothing accumulated yet", 0, 99.99, 99.99},
    // 10.375 is exact in binary, a tie; the even cent is above it.
    {"tie rounds up to the even cent", 10.00, 0.375, 10.38},
    {"empty prior counts as zero", std::nullopt, 42.10, 42.10},
    {"empty current counts as zero", 3100.55, std::nullopt, 3100.55},
    {"both empty give zero", std::nullopt, std::nullopt, 0.0},
    // The machine holds 10.005 as 10.00499999...: at four places that is
    // 10.0050, a tie, and the even cent is 10.00.
    {"tie at four places", 10.00, 0.005, 10.00},
};

// Every pair is rolled, overrides are cleared and every asset is flagged for
// the next run; every other column, and the assets of another company, are
// left as they were.
TEST(CloseYear, RollsEveryPairClearsOverridesAndFlagsEveryAsset) {
    Connection db = makeCompany();
    std::vector<std::int64_t> rows;
    for (const auto& c : kRollCases) {
        Asset a = heldAsset(c.name);
        a.priorAccumTax = a.priorNonBusAccum = a.priorAccumBook = c.prior;
        a.currentTax = a.nonBusDprn = a.currentBook = c.current;
        a.taxOverride = rows.size() % 2 == 0;
        a.bookOverride = !a.taxOverride;
        rows.push_back(insertAsset(db, a));
    }
    Asset other = heldAsset("Belongs to company 2");
    other.companyNumber = 2;
    other.currentTax = 50.0;
    other.taxOverride = true;
    insertAsset(db, other);
    const Rows before = tableRows(db, "assets");

    EXPECT_EQ(closeYear(db).assetsClosed, static_cast<std::int64_t>(rows.size()));

    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(kRollCases[i].name);
        Asset a = readAsset(db, rows[i]);
        const double expected = kRollCases[i].expected;
        EXPECT_DOUBLE_EQ(a.priorAccumTax.value_or(-1), expected);
        EXPECT_DOUBLE_EQ(a.priorNonBusAccum.value_or(-1), expected);
        EXPECT_DOUBLE_EQ(a.priorAccumBook.value_or(-1), expected);
        for (const Money& current : {a.currentTax, a.nonBusDprn, a.currentBook})
            EXPECT_EQ(current, Money(0.0));
        EXPECT_FALSE(a.taxOverride || a.bookOverride);
        EXPECT_TRUE(a.assetChanged);
    }
    const Rows after = tableRows(db, "assets");
    EXPECT_EQ(after.back(), before.back());
    const std::set<std::string> changed = {"Prior Accumulated Dprn - Tax",
                                           "Current Dprn - Tax",
                                           "Prior Non Bus Accm Dprn",
                                           "Non Bus Dprn",
                                           "Prior Accumulated Dprn - Book",
                                           "Current Dprn - Book",
                                           "Tax Dprn Override",
                                           "Book Dprn Override",
                                           "assetchng"};
    const auto columns = db.columnNames("assets");
    for (size_t row = 0; row < rows.size(); ++row)
        for (size_t column = 0; column < columns.size(); ++column)
            if (!changed.count(columns[column])) {
                EXPECT_EQ(after[row][column], before[row][column]) << columns[column];
            }
}

// The year end moves on one year, clamped to the month's end; a company
// without assets only moves its year end.
TEST(CloseYear, MovesTheYearEndOnOneYear) {
    const struct {
        const char* before;
        const char* after;
        bool withAsset;
    } cases[] = {
        {"2011-12-31", "2012-12-31", true},
        {"2012-02-29", "2013-02-28", true},
        {"2012-12-31", "2013-12-31", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        Connection db = makeCompany("Year End Co", c.before);
        if (c.withAsset) insertAsset(db, heldAsset("Lathe"));
        CloseYearResult result = closeYear(db);
        EXPECT_EQ(result.assetsClosed, c.withAsset ? 1 : 0);
        EXPECT_EQ(isoDate(result.newYearEnd), c.after);
        EXPECT_EQ(yearEndOf(db), c.after);
    }
}

// A failure on any row, or on the company row, undoes everything.
TEST(CloseYear, FailureHalfWayChangesNothing) {
    const struct {
        const char* name;
        const char* trigger;
    } failures[] = {
        {"third asset refuses the update",
         "CREATE TRIGGER refuse BEFORE UPDATE ON assets "
         "WHEN old.[Asset Description] = 'Asset 3' "
         "BEGIN SELECT RAISE(ABORT, 'the row is locked'); END"},
        {"company row refuses the new year end",
         "CREATE TRIGGER refuse BEFORE UPDATE ON Defaults "
         "BEGIN SELECT RAISE(ABORT, 'the company row is locked'); END"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        Connection db = makeCompany();
        for (int i = 1; i <= 5; ++i) {
            Asset a = heldAsset("Asset " + std::to_string(i));
            a.priorAccumTax = 1000.0 * i;
            a.currentTax = 100.5 * i;
            a.taxOverride = i % 2 == 0;
            insertAsset(db, a);
        }
        db.execute(failure.trigger);
        auto before = companySnapshot(db);

        EXPECT_THROW(closeYear(db), StoreError);

        EXPECT_EQ(companySnapshot(db), before);
        EXPECT_FALSE(db.inTransaction());
    }
}

// Two programs close the same company at once. The one that commits second
// must see the first one's year end, so that two reported closes move the
// year twice and roll the amounts once. Here theirs runs whole just before
// mine begins its transaction.
TEST(CloseYear, ACloseCommittedByAnotherProgramFirstIsSeen) {
    TempDir dir;
    Connection mine = makeCompanyFile(dir / "company.mdb", "Race Co", "2012-12-31");
    Asset a = heldAsset("Lathe");
    a.priorAccumTax = 1000.0;
    a.currentTax = 250.0;
    auto row = insertAsset(mine, a);
    struct Theirs {
        Connection connection;
        std::optional<CloseYearResult> result;
        std::string failure;
    } theirs{Connection::open(dir / "company.mdb"), std::nullopt, {}};
    auto beforeBegin = [](unsigned, void* other, void*, void* sql) {
        auto* them = static_cast<Theirs*>(other);
        if (them->result || !them->failure.empty() ||
            std::string_view(static_cast<const char*>(sql)).rfind("BEGIN", 0) != 0)
            return 0;
        try {
            them->result = closeYear(them->connection);
        } catch (const std::exception& e) {
            them->failure = e.what();
        }
        return 0;
    };
    sqlite3_trace_v2(mine.handle(), SQLITE_TRACE_STMT, beforeBegin, &theirs);

    CloseYearResult myResult = closeYear(mine);

    sqlite3_trace_v2(mine.handle(), 0, nullptr, nullptr);
    EXPECT_EQ(theirs.failure, "");
    ASSERT_TRUE(theirs.result);
    EXPECT_EQ(isoDate(theirs.result->newYearEnd), "2013-12-31");
    EXPECT_EQ(isoDate(myResult.newYearEnd), "2014-12-31");
    EXPECT_EQ(yearEndOf(mine), "2014-12-31");
    Asset closed = readAsset(mine, row);
    EXPECT_EQ(closed.priorAccumTax, Money(1250.0));
    EXPECT_EQ(closed.currentTax, Money(0.0));
}

}  // namespace
}  // namespace czx
