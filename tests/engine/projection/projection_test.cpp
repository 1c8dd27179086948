// The projection must store, year after year, exactly what the run and the
// close of year store; it must leave the company file as it was; and an
// asset's schedule must follow the rates worked by hand.
#include "engine/projection/projection.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>

#include "base/money.h"
#include "engine/run/run.h"
#include "store/assets.h"
#include "store/close_year.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

using money::roundCents;
using money::value;
using testing::ymd;

struct Mix {
    const char* taxMethod;
    const char* taxLife;
    const char* bookMethod;
    const char* bookLife;
};

// Every tax method, each with a book method.
// clang-format off
constexpr Mix kMix[] = {
    {"MACRS", "5", "SL - Book", "5"},         {"MACRS", "7", "DDB200%", "7"},
    {"MACRS", "39", "SL - Book", "39"},       {"MACRS-150%", "5", "DDB150%", "5"},
    {"MACRS SL-PP", "7", "SL - Book", "7"},   {"MACRS SL-RP", "40", "SL - Book", "40"},
    {"MACRS-Auto", "5", "SL - Book", "5"},    {"MACRS", "27.5", "SL - Book", "27.5"},
    {"Amortization", "60", "Amortization", "60"}, {"Non-Depreciable", "0", "Non-Depreciable", "0"},
    {"MACRS", "15", "DDB125%", "15"},         {"MACRS", "3", "SL - Book", "3"},
    {"SL-Old", "10", "DDB125%", "10"},        {"DDB200%-Old", "5", "DDB150%", "5"},
    {"DDB150%-Old", "7", "SL - Book", "7"},   {"DDB125%-Old", "10", "SL - Book", "10"},
    {"ACRS", "5", "SL - Book", "5"},
};
// clang-format on

constexpr int kAssets = 9 * static_cast<int>(std::size(kMix));

// A company whose fiscal years end on 30 June, now in the year ending
// 30 June 2012, with assets placed from fiscal 2008 to fiscal 2016: those of
// 2013 to 2016 enter service in the projected years. Fiscal 2014's new
// assets all enter in its last quarter (April to June), so that year takes
// the mid-quarter convention; some assets are disposed of on 15 March 2014.
// Run once, then one asset of the current year is raised and flagged.
void fillCompany(Connection& db) {
    const char* groups[] = {"", "Machinery", "Buildings", "Vehicles"};
    for (int i = 0; i < kAssets; ++i) {
        const Mix& mix = kMix[i % std::size(kMix)];
        const int fiscal = 2008 + i % 9;
        unsigned month = 1 + (i * 5) % 12;
        if (fiscal == 2014) month = 4 + i % 3;
        const int year = month >= 7 ? fiscal - 1 : fiscal;
        const Date placed = ymd(year, month, 1 + i % 28);
        Asset a = testing::makeAsset(mix.taxMethod, mix.taxLife,
                                     1000.0 + static_cast<double>((i * 7919) % 50000),
                                     isoDate(placed), std::to_string(fiscal) + "-06-30");
        a.methodBook = mix.bookMethod;
        a.lifeBook = mix.bookLife;
        a.groupName = groups[i % 4];
        a.description = "Asset " + std::to_string(i);
        if (i % 5 == 2) a.salvageBook = 100.0;
        if (i % 7 == 3) a.busUseTax = a.busUseBook = 0.75;
        if (i % 6 == 1 && placed < ymd(2014, 3, 15)) a.disposed = ymd(2014, 3, 15);
        insertAsset(db, a);
    }
    // A small press of the current year in its last quarter.
    insertAsset(db, testing::makeAsset("MACRS", "5", 1000, "2012-05-20", "2012-06-30"));
}

// The press becomes most of the year's basis, flagged but not yet depreciated:
// the year now takes the mid-quarter convention, so a run recomputes every
// tax row.
constexpr const char* kEditPress =
    "UPDATE assets SET [Asset Cost - Tax] = 5000000, assetchng = 1 WHERE rowid = "
    "(SELECT MAX(rowid) FROM assets)";

class Recorder : public ProjectionSink {
  public:
    void begin(const Company&, const std::vector<Date>& ends) override { yearEnds = ends; }
    void asset(const Asset& asset, const std::vector<ScheduleYear>& years) override {
        byKey[asset.rowId] = years;
    }
    void groupTotal(const std::string& name, const std::vector<ScheduleYear>&) override {
        groupNames.push_back(name);
    }
    void grandTotal(const std::vector<ScheduleYear>& totals) override { grand = totals; }

    std::vector<Date> yearEnds;
    std::map<std::int64_t, std::vector<ScheduleYear>> byKey;
    std::vector<std::string> groupNames;
    std::vector<ScheduleYear> grand;
};

TEST(Projection, StoresWhatEachYearsRunAndCloseStore) {
    testing::TempDir dir;
    const auto file = dir / "czxdprnd.mdb";
    Connection projected = testing::makeCompanyFile(file, "Test Company", "2012-06-30");
    Connection real = testing::makeCompany("Test Company", "2012-06-30");
    testing::RecordingFeedback feedback;
    testing::RecordingReporter reporter;
    for (Connection* db : {&projected, &real}) {
        fillCompany(*db);
        ASSERT_TRUE(depreciateAssets(*db, feedback).committed);
        ASSERT_FALSE(readCompany(*db).midQrtYRTax);
        db->execute(kEditPress);
    }

    const std::string before = testing::readFile(file);
    Recorder projection;
    projectCompany(projected, 4, projection);
    EXPECT_EQ(testing::readFile(file), before);
    ASSERT_EQ(projection.yearEnds, (std::vector<Date>{ymd(2013, 6, 30), ymd(2014, 6, 30),
                                                      ymd(2015, 6, 30), ymd(2016, 6, 30)}));
    ASSERT_EQ(projection.byKey.size(), static_cast<std::size_t>(kAssets + 1));
    EXPECT_EQ(projection.groupNames,
              (std::vector<std::string>{"", "Buildings", "Machinery", "Vehicles"}));

    // The run of the current year first, then four closes each followed by a run.
    ASSERT_TRUE(depreciateAssets(real, feedback).committed);
    ASSERT_TRUE(readCompany(real).midQrtYRTax);
    // An asset's own schedule, from the register after that run, gives the
    // same years as the projection (for assets whose first year is over).
    for (const auto& [key, years] : projection.byKey) {
        const Asset a = readAsset(real, key);
        if (yearOf(*a.yrpis) > 2012) continue;
        for (const ScheduleYear& y : assetSchedule(readCompany(real), a))
            for (const ScheduleYear& p : years)
                if (p.yearEnd == y.yearEnd) {
                    EXPECT_EQ(p.taxAccumulated, y.taxAccumulated) << a.description;
                    EXPECT_EQ(p.bookRemaining, y.bookRemaining) << a.description;
                }
    }
    for (int k = 1; k <= 4; ++k) {
        closeYear(real);
        ASSERT_TRUE(depreciateAssets(real, feedback).committed);
        const Company company = readCompany(real);
        // Fiscal 2014's new assets all entered in its last quarter.
        EXPECT_EQ(company.midQrtYRTax, k == 2) << k;
        AssetReader reader(real, 1);
        std::vector<Asset> page;
        while (reader.next(page))
            for (const Asset& a : page) {
                const ScheduleYear& y = projection.byKey.at(a.rowId)[k - 1];
                SCOPED_TRACE(a.description + " " + a.methodTax + " year " + std::to_string(k));
                EXPECT_EQ(y.taxDepreciation, value(a.currentTax));
                EXPECT_EQ(y.taxAccumulated,
                          roundCents(value(a.priorAccumTax) + value(a.currentTax)));
                EXPECT_EQ(y.bookDepreciation, value(a.currentBook));
                EXPECT_EQ(y.bookAccumulated,
                          roundCents(value(a.priorAccumBook) + value(a.currentBook)));
            }
        const YearTotals totals = yearTotals(real, company);
        EXPECT_EQ(projection.grand[k - 1].taxDepreciation, totals.tax) << k;
        EXPECT_EQ(projection.grand[k - 1].bookDepreciation, totals.book) << k;
    }
}

// A calculator that fails in every year is reported once, naming its asset
// once: the tax and the book straight line each divide by the life of 0.
TEST(Projection, ReportsAnAssetsFailureOnce) {
    Connection db = testing::makeCompany();
    insertAsset(db, testing::makeAsset("SL-Old", "0", 1000, "2012-03-10", "2012-12-31"));
    testing::RecordingReporter reporter;
    Recorder projection;
    projectCompany(db, 3, projection);
    ASSERT_EQ(reporter.reports.size(), 2u);
    for (const std::string& report : reporter.reports)
        EXPECT_NE(report.find("Division by zero (11)\r\n\r\nAsset:\r\n  SL-Old 0, placed in "
                              "service 03/10/2012\r\n\r\n"),
                  std::string::npos)
            << report;
}

// The schedule reconstructs the years before the current one, continues from
// the stored row and ends when the asset is recovered or disposed of.
struct ScheduleCase {
    const char* what;
    const char* companyYearEnd;
    Asset asset;
    const char* disposed;
    Date firstYearEnd;
    std::vector<double> tax;      // depreciation per year
    std::vector<double> taxLeft;  // remaining basis per year
    std::vector<double> book;
};

// The register's row after the runs of earlier years, not flagged.
Asset stored(Asset a, double priorTax, double currentTax, double priorBook, double currentBook) {
    a.priorAccumTax = priorTax;
    a.currentTax = currentTax;
    a.priorAccumBook = priorBook;
    a.currentBook = currentBook;
    a.assetChanged = false;
    return a;
}

// $10,000 5-year MACRS, half-year: 20, 32, 19.2, 11.52, 11.52, 5.76 %. Book
// straight line over 5 years, the month placed counted whole when placed in
// its first half (10 March, 3 September): 10 months of 2,000 a year =
// 1,666.67 first, 2,000 for four years, 333.33 last.
// clang-format off
const ScheduleCase kSchedules[] = {
    // The register stands in 2014 (prior 5,200 = 2,000 + 3,200); 2012 and
    // 2013 are reconstructed.
    {"calendar year, two years reconstructed", "2014-12-31",
     stored(testing::makeAsset("MACRS", "5", 10000, "2012-03-10", "2012-12-31"), 5200, 1920, 3666.67, 2000),
     nullptr, ymd(2012, 12, 31), {2000, 3200, 1920, 1152, 1152, 576},
     {8000, 4800, 2880, 1728, 576, 0}, {1666.67, 2000, 2000, 2000, 2000, 333.33}},
    // Years ending on 30 June, placed in fiscal 2013 and not yet depreciated:
    // the current year is computed as a run would.
    {"fiscal year ending 30 June, flagged", "2013-06-30",
     testing::makeAsset("MACRS", "5", 10000, "2012-09-03", "2013-06-30"),
     nullptr, ymd(2013, 6, 30), {2000, 3200, 1920, 1152, 1152, 576},
     {8000, 4800, 2880, 1728, 576, 0}, {1666.67, 2000, 2000, 2000, 2000, 333.33}},
    // Disposed of on 1 August of its third year: half of 1,920 (half-year
    // convention); book 7 months of 2,000 a year.
    {"disposed of in 2014", "2012-12-31",
     testing::makeAsset("MACRS", "5", 10000, "2012-03-10", "2012-12-31"),
     "2014-08-01", ymd(2012, 12, 31), {2000, 3200, 960}, {8000, 4800, 3840}, {1666.67, 2000, 1166.67}},
};
// clang-format on

TEST(AssetSchedule, FollowsTheRatesFromPlacementToTheEnd) {
    for (const ScheduleCase& c : kSchedules) {
        SCOPED_TRACE(c.what);
        Company company;
        company.yearEnd = parseIsoDate(c.companyYearEnd);
        company.regularFederal = company.book = true;
        Asset asset = c.asset;
        if (c.disposed) asset.disposed = parseIsoDate(c.disposed);
        const std::vector<ScheduleYear> schedule = assetSchedule(company, asset);
        ASSERT_EQ(schedule.size(), c.tax.size());
        double accumulated = 0;
        for (std::size_t i = 0; i < schedule.size(); ++i) {
            EXPECT_EQ(schedule[i].yearEnd, addYearsClamped(c.firstYearEnd, static_cast<int>(i)));
            EXPECT_EQ(schedule[i].taxDepreciation, c.tax[i]) << i;
            accumulated = roundCents(accumulated + c.tax[i]);
            EXPECT_EQ(schedule[i].taxAccumulated, accumulated) << i;
            EXPECT_EQ(schedule[i].taxRemaining, c.taxLeft[i]) << i;
            EXPECT_EQ(schedule[i].bookDepreciation, c.book[i]) << i;
        }
    }
}

}  // namespace
}  // namespace czx
