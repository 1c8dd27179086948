// A company holding the methods that promise to recover their whole basis,
// depreciated and closed year by year until every asset is done: what has
// accumulated must be exactly the depreciable basis, to the cent.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/run/run.h"
#include "store/assets.h"
#include "store/close_year.h"
#include "tests/store/company_db.h"

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
    Connection db = testing::makeCompanyFile(dir / "czxdprnd.mdb", "Test Company", "2012-12-31");
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
        RunSummary summary = depreciateAssets(db, feedback);
        ASSERT_TRUE(summary.completed) << 2012 + year;
        for (size_t i = 0; i < std::size(kSchedules); ++i) {
            const auto& expected = kSchedules[i].firstTaxYears;
            if (static_cast<size_t>(year) < expected.size()) {
                EXPECT_EQ(readAsset(db, ids[i]).currentTax, expected[year])
                    << kSchedules[i].taxMethod << " " << kSchedules[i].taxLife << " year "
                    << year + 1;
            }
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

// Assets placed in service from 2013 to 2024, depreciated and closed year by
// year to 2026 under the figures the law published for those years.
struct LaterAsset {
    const char* name;
    const char* placed;
    const char* method;
    const char* life;
    double cost;
    double sec179;
    double bonus;
    bool car;
    bool truck;
    std::vector<double> taxYears;  // worked by hand from the published figures
    bool recovered;                // its whole basis by 2026 (no automobile cap holds it back)
};

// clang-format off
const LaterAsset kLaterAssets[] = {
    // 50 % bonus of 2015, then MACRS 5 on the other half.
    {"press 2015", "2015-04-01", "MACRS", "5", 10000, 0, 5000, false, false,
     {6000, 1600, 960, 576, 576, 288, 0}, true},
    {"lathe 2018", "2018-02-01", "MACRS", "7", 20000, 0, 0, false, false,
     {2858, 4898, 3498, 2498, 1786, 1784, 1786, 892, 0}, true},
    {"shelving 2020", "2020-05-01", "MACRS SL-PP", "5", 10000, 0, 0, false, false,
     {1000, 2000, 2000, 2000, 2000, 1000, 0}, true},
    // 2021: Section 179 of 2,000 and 100 % bonus of the rest.
    {"oven 2021", "2021-03-01", "MACRS", "5", 10000, 2000, 8000, false, false,
     {10000, 0}, true},
    {"license 2013", "2013-01-15", "Amortization", "60", 6000, 0, 0, false, false,
     {1200, 1200, 1200, 1200, 1200, 0}, true},
    // A 2019 car under every limit of 2019 (18,100 / 16,100 / 9,700 / 5,760).
    {"sedan 2019", "2019-06-01", "MACRS-Auto", "5", 30000, 0, 0, true, false,
     {6000, 9600, 5760, 3456, 3456, 1728, 0}, true},
    // A 2016 truck on straight line, capped by the 2016 truck limits without
    // bonus (3,560 / 5,700 / 3,350 / 2,075); after its life the straight
    // line gives nothing more.
    {"pickup 2016", "2016-07-01", "MACRS SL-PP", "5", 60000, 0, 0, true, true,
     {3560, 5700, 3350, 2075, 2075, 0, 0}, false},
};
// clang-format on

TEST(MultiYear, AssetsOfTheLaterYearsFollowThePublishedFigures) {
    testing::TempDir dir;
    Connection db = testing::makeCompanyFile(dir / "czxdprnd.mdb", "Test Company", "2012-12-31");
    testing::RecordingFeedback feedback;
    testing::RecordingReporter reporter;
    std::vector<std::int64_t> ids(std::size(kLaterAssets), 0);
    std::vector<std::vector<double>> amounts(std::size(kLaterAssets));
    for (int year = 2012; year <= 2026; ++year) {
        for (std::size_t i = 0; i < std::size(kLaterAssets); ++i) {
            const LaterAsset& l = kLaterAssets[i];
            if (std::stoi(std::string(l.placed).substr(0, 4)) != year) continue;
            Asset a = testing::makeAsset(l.method, l.life, l.cost, l.placed,
                                         std::to_string(year) + "-12-31");
            a.description = l.name;
            a.sec179 = l.sec179;
            a.bonus = l.bonus;
            a.passengerAuto = l.car;
            a.truckVanBonus = l.truck;
            if (std::string(l.method) == "Amortization") a.methodBook = "Amortization";
            ids[i] = insertAsset(db, a);
        }
        RunSummary summary = depreciateAssets(db, feedback);
        ASSERT_TRUE(summary.completed) << year;
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (ids[i]) amounts[i].push_back(*readAsset(db, ids[i]).currentTax);
        closeYear(db);
    }
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const LaterAsset& l = kLaterAssets[i];
        SCOPED_TRACE(l.name);
        const std::size_t years = std::min(l.taxYears.size(), amounts[i].size());
        EXPECT_EQ(std::vector<double>(amounts[i].begin(), amounts[i].begin() + years),
                  std::vector<double>(l.taxYears.begin(), l.taxYears.begin() + years));
        if (l.recovered) {
            EXPECT_EQ(readAsset(db, ids[i]).priorAccumTax, l.cost);
        }
    }
    EXPECT_TRUE(reporter.reports.empty());
    EXPECT_TRUE(feedback.messages.empty()) << feedback.messages.front();
}

struct CarYears {
    const char* method;
    std::vector<double> taxYears;
};

TEST(MultiYear, A2024CarTakesThePublishedLimitsUntilItsCostIsRecovered) {
    // 80,000 at full business use, no Section 179 nor bonus, half-year
    // convention: 16,000 (20 %, under 20,400), 19,800, 11,900, 7,160, 7,160,
    // 4,608 (5.76 % of 80,000), then 7,160 and the last 6,212. Straight line
    // over 5 years: 8,000 (under 12,400), 16,000 (under 19,800), 11,900.
    const CarYears cases[] = {
        {"MACRS-Auto", {16000, 19800, 11900, 7160, 7160, 4608, 7160, 6212, 0}},
        {"MACRS SL-PP", {8000, 16000, 11900}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        testing::TempDir dir;
        Connection db =
            testing::makeCompanyFile(dir / "czxdprnd.mdb", "Test Company", "2024-12-31");
        Asset car = testing::makeAsset(c.method, "5", 80000, "2024-03-01", "2024-12-31");
        car.passengerAuto = true;
        auto id = insertAsset(db, car);
        testing::RecordingFeedback feedback;
        std::vector<double> years;
        for (std::size_t year = 0; year < c.taxYears.size(); ++year) {
            ASSERT_TRUE(depreciateAssets(db, feedback).completed);
            years.push_back(*readAsset(db, id).currentTax);
            closeYear(db);
        }
        EXPECT_EQ(years, c.taxYears);
        if (std::string(c.method) == "MACRS-Auto") {
            EXPECT_EQ(readAsset(db, id).priorAccumTax, 80000);
        }
    }
}

}  // namespace
}  // namespace czx
