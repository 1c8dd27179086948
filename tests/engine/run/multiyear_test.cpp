// A company holding the methods that promise to recover their whole basis,
// depreciated and closed year by year until every asset is done: what has
// accumulated must be exactly the depreciable basis, to the cent.
#include <gtest/gtest.h>

#include "engine/run/run.h"
#include "store/assets.h"
#include "store/close_year.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

struct Schedule {
    const char* taxMethod;
    const char* taxLife;
    double cost;
    double taxSalvage;
    const char* placed;
    double taxBasis;                    // what the tax side must recover
    std::vector<double> firstTaxYears;  // hand-computed amounts of the first years
    const char* bookMethod;
    const char* bookLife;
    double bookSalvage;
    double bookBasis;
};

// clang-format off
const Schedule kSchedules[] = {
    // MACRS 5-year, half-year convention: 20, 32, 19.2, 11.52, 11.52, 5.76 %.
    {"MACRS", "5", 10000, 0, "2012-03-10", 10000, {2000, 3200, 1920, 1152, 1152, 576, 0},
     "SL - Book", "5", 1000, 9000},
    // MACRS 7-year: 14.29, 24.49, 17.49, 12.49, 8.93, 8.92, 8.93, 4.46 %.
    {"MACRS", "7", 20000, 0, "2012-06-01", 20000,
     {2858, 4898, 3498, 2498, 1786, 1784, 1786, 892, 0}, "SL - Book", "7", 0, 20000},
    // Nonresidential real property placed in July: 1.177 %, 2.564 % x 38, 1.391 %.
    {"MACRS", "39", 390000, 0, "2012-07-15", 390000, {4590.30, 9999.60, 9999.60},
     "SL - Book", "39", 0, 390000},
    // MACRS straight line, half-year: 1,000, 2,000 x 4, 1,000.
    {"MACRS SL-PP", "5", 10000, 0, "2012-09-01", 10000, {1000, 2000, 2000, 2000, 2000, 1000, 0},
     "SL - Book", "5", 0, 10000},
    // Real property straight line, 40 years, mid-month, placed in January:
    // 2.396 %, 2.5 % x 39, then the 104 left.
    {"MACRS SL-RP", "40", 100000, 0, "2012-01-20", 100000, {2396, 2500, 2500},
     "SL - Book", "40", 0, 100000},
    // Old-law straight line with salvage, the last year caught up exactly.
    {"SL-Old", "10", 12000, 2000, "2012-04-10", 10000, {750, 1000, 1000},
     "SL - Book", "10", 2000, 10000},
    // Amortization over 60 months.
    {"Amortization", "60", 6000, 0, "2012-01-01", 6000, {1200, 1200, 1200, 1200, 1200, 0},
     "Amortization", "60", 0, 6000},
};
// clang-format on

TEST(MultiYear, EveryMethodRecoversItsBasisExactly) {
    testing::TempDir dir;
    Connection db = testing::createCompany(dir / "czxdprnd.mdb", "2012-12-31");
    std::vector<std::int64_t> ids;
    for (const auto& s : kSchedules) {
        Asset a = testing::makeAsset(s.taxMethod, s.taxLife, s.cost, s.placed, "2012-12-31");
        a.salvageTax = s.taxSalvage;
        a.methodBook = s.bookMethod;
        a.lifeBook = s.bookLife;
        a.salvageBook = s.bookSalvage;
        ids.push_back(insertAsset(db, a));
    }
    testing::RecordingFeedback feedback;
    testing::RecordingReporter reporter;
    for (int year = 0; year < 42; ++year) {
        RunSummary summary = DepreciateAssets(db, feedback);
        ASSERT_TRUE(summary.completed) << 2012 + year;
        for (size_t i = 0; i < std::size(kSchedules); ++i) {
            const auto& expected = kSchedules[i].firstTaxYears;
            if (static_cast<size_t>(year) < expected.size())
                EXPECT_EQ(readAsset(db, ids[i]).currentTax, expected[year])
                    << kSchedules[i].taxMethod << " " << kSchedules[i].taxLife << " year "
                    << year + 1;
        }
        closeYear(db);
    }
    for (size_t i = 0; i < std::size(kSchedules); ++i) {
        Asset a = readAsset(db, ids[i]);
        SCOPED_TRACE(std::string(kSchedules[i].taxMethod) + " " + kSchedules[i].taxLife);
        EXPECT_EQ(a.priorAccumTax, kSchedules[i].taxBasis);
        EXPECT_EQ(a.priorAccumBook, kSchedules[i].bookBasis);
    }
    EXPECT_TRUE(reporter.reports.empty());
    EXPECT_TRUE(feedback.messages.empty()) << feedback.messages.front();
}

}  // namespace
}  // namespace czx
