// The Form 4562 worksheet over a small company worked by hand, its refusal
// while assets wait for a run, and the reconciliation with the tax report:
// line 22 plus line 44 is the year's total current tax depreciation.
#include "engine/worksheet/form4562.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/run.h"
#include "store/assets.h"
#include "store/report.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

using testing::makeAsset;

void depreciate(Connection& db) {
    testing::RecordingFeedback feedback;
    ASSERT_TRUE(depreciateAssets(db, feedback, true).completed);
}

double amountOf(const Form4562& form, const char* number) {
    const Form4562Line* line = findLine(form, number);
    return line && line->amount ? *line->amount : -1;
}

// Line 22 plus line 44 against the tax report's grand total of "Current
// Depreciation", in ten-thousandths.
void expectReconciled(Connection& db) {
    const Form4562 form = buildForm4562(db, {});
    // Within the dollar limitation, line 12 claims all that is elected.
    ASSERT_EQ(amountOf(form, "12"), amountOf(form, "8"));
    EXPECT_GT(amountOf(form, "8"), 0);
    const DepreciationReport report = buildDepreciationReport(db, ReportKind::Tax, {});
    const double current = *report.grandTotals[2];  // "Current Depreciation"
    ASSERT_EQ(report.captions[kReportTextColumns + 2], "Current Depreciation");
    EXPECT_GT(current, 0);
    EXPECT_EQ(money::toUnits(amountOf(form, "22")) + money::toUnits(amountOf(form, "44")),
              money::toUnits(current));
}

// Calendar 2012: Section 179 limit 500,000, threshold 2,000,000; no asset
// placed in the last quarter, so the half-year convention holds.
class SmallCompany : public ::testing::Test {
  protected:
    void SetUp() override {
        add("Press", "MACRS", "5", 20000, "2012-03-01", [](Asset& a) {
            a.sec179 = 4000.0;  // bonus 50 % of the 16,000 left
            a.bonus = 8000.0;
        });
        add("Lathe", "MACRS", "7", 10000, "2012-06-01");
        add("Sedan", "MACRS-Auto", "5", 12000, "2012-05-01", [](Asset& a) {
            a.passengerAuto = a.listedProperty = true;
            a.busUseTax = 0.8;
        });
        add("Pickup", "MACRS SL-PP", "5", 20000, "2012-07-01", [](Asset& a) {
            a.listedProperty = true;
            a.busUseTax = 0.4;
        });
        add("Building", "MACRS", "39", 390000, "2012-07-15");
        add("Warehouse", "SL-Old", "40", 100000, "1980-01-15",
            [](Asset& a) { a.priorAccumTax = 80000.0; });
        add("Old shed", "ACRS", "19", 50000, "1986-06-01", [](Asset& a) {
            a.taxOverride = true;  // the user's own figure
            a.currentTax = 1000.0;
        });
        add("Franchise", "Amortization", "180", 18000, "2012-01-01");
        add("Software", "Amortization", "60", 36000, "2010-01-01",
            [](Asset& a) { a.priorAccumTax = 14400.0; });
        add("Mill", "MACRS", "7", 10000, "2011-05-01", [](Asset& a) { a.priorAccumTax = 1429.0; });
        depreciate(db);
    }

    template <class Edit = void (*)(Asset&)>
    void add(
        const char* name, const char* method, const char* life, double cost, const char* placed,
        Edit edit = [](Asset&) {}) {
        std::string yrpis = std::string(placed).substr(0, 4) + "-12-31";
        Asset a = makeAsset(method, life, cost, placed, yrpis);
        a.description = name;
        edit(a);
        insertAsset(db, a);
    }

    Connection db = testing::makeCompany();
};

TEST_F(SmallCompany, FillsEachLineFromTheStoredColumns) {
    const Form4562 form = buildForm4562(db, {});
    struct Expected {
        const char* line;
        double amount;
        size_t items;
    };
    // clang-format off
    const Expected kLines[] = {
        {"1", 500000, 0}, {"3", 2000000, 0},
        // Business-use cost of the new MACRS personal property: press 20,000,
        // lathe 10,000, sedan 12,000 x 80 % = 9,600, pickup 20,000 x 40 % = 8,000.
        {"2", 47600, 4},
        {"4", 0, 0},            // 47,600 is below the threshold
        {"5", 500000, 0},
        {"6", 4000, 1}, {"7", 0, 0}, {"8", 4000, 0}, {"9", 4000, 0},
        {"10", 0, 0}, {"12", 4000, 0}, {"13", 0, 0},
        {"14", 8000, 0},        // the press's bonus
        // Warehouse 100,000 / 40 = 2,500; the shed's typed 1,000.
        {"16", 3500, 2},
        {"17", 2449, 1},        // mill, second year: 10,000 x 24.49 %
        // Press: 20,000 - 4,000 - 8,000 = 8,000 x 20 % = 1,600 (its current
        // 13,600 less the Section 179 and bonus of lines 12 and 14).
        {"19b", 1600, 1},
        {"19c", 1429, 1},       // lathe: 10,000 x 14.29 %
        {"19i", 4590.30, 1},    // building placed in July: 390,000 x 1.177 %
        {"19a", 0, 0}, {"20c", 0, 0},
        {"25", 0, 0},
        {"26", 1920, 1},        // sedan: 9,600 x 20 %, below the 2,528 cap (3,160 x 80 %)
        {"27", 800, 1},         // pickup: 8,000 / 5 x half a year
        {"28", 2720, 0}, {"21", 2720, 0}, {"29", 0, 0},
        // 4,000 + 8,000 + 3,500 + 2,449 + 1,600 + 1,429 + 4,590.30 + 2,720
        {"22", 28288.30, 0},
        {"42", 1200, 1},        // 18,000 / 180 x 12
        {"43", 7200, 1},        // 36,000 / 60 x 12
        {"44", 8400, 0},
    };
    // clang-format on
    for (const auto& e : kLines) {
        SCOPED_TRACE(e.line);
        const Form4562Line* line = findLine(form, e.line);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(amountOf(form, e.line), e.amount);
        EXPECT_EQ(line->items.size(), e.items);
    }
    EXPECT_FALSE(findLine(form, "11")->amount);  // not limited
    EXPECT_EQ(findLine(form, "19b")->basis, 8000.0);
    const Form4562Item& press = findLine(form, "19b")->items.front();
    EXPECT_EQ(press.convention + " " + press.method, "HY 200DB");
    EXPECT_EQ(findLine(form, "19i")->items.front().convention, "MM");
    expectReconciled(db);
}

TEST_F(SmallCompany, CarryoverAndIncomeLimitMoveLines12And13) {
    struct Case {
        double carryover;
        std::optional<double> income;
        double line12, line13;
    };
    const Case kCases[] = {
        {1000, 3000, 3000, 2000},      // smaller of 4,000 + 1,000 and 3,000
        {500, std::nullopt, 4500, 0},  // not limited: 4,000 + 500
        {0, 10000, 4000, 0},
    };
    for (const auto& c : kCases) {
        const Form4562 form = buildForm4562(db, {c.carryover, c.income});
        EXPECT_EQ(amountOf(form, "12"), c.line12);
        EXPECT_EQ(amountOf(form, "13"), c.line13);
        // Line 22 moves with line 12 only.
        EXPECT_EQ(amountOf(form, "22"), 28288.30 - 4000 + c.line12);
    }
}

TEST_F(SmallCompany, RefusesWhileAssetsWaitForARun) {
    db.execute("UPDATE assets SET assetchng = 1 WHERE [Asset Description] IN ('Lathe', 'Mill')");
    try {
        buildForm4562(db, {});
        FAIL() << "built over changed assets";
    } catch (const Refusal& e) {
        EXPECT_EQ(std::string(e.what()),
                  "2 assets have changed since the last depreciation run. Depreciate first, "
                  "then print the Form 4562 worksheet.");
    }
}

TEST(Form4562, ReconcilesWithTheSampleCompany) {
    testing::TempDir dir;
    std::filesystem::copy_file(testing::builtDataFile("czxdprnd.mdb"), dir / "czxdprnd.mdb");
    Connection db = Connection::open(dir / "czxdprnd.mdb");
    depreciate(db);
    expectReconciled(db);
}

// 5,000 assets over every tax method, placed from 2003 to 2012, with new
// assets carrying Section 179 and bonus, listed property at either side of
// 50 %, disposals this year (some of the year's new assets among them) and
// business use below 100 %.
TEST(Form4562, ReconcilesWithAGeneratedCompanyOfEveryMethod) {
    Connection db = testing::makeCompany();
    struct Mix {
        const char* method;
        const char* life;
    };
    const Mix kMix[] = {
        {"MACRS", "5"},
        {"MACRS", "7"},
        {"MACRS", "39"},
        {"MACRS", "27.5"},
        {"MACRS", "15"},
        {"MACRS-150%", "5"},
        {"MACRS SL-PP", "7"},
        {"MACRS SL-PP", "12"},
        {"MACRS SL-RP", "40"},
        {"MACRS-Auto", "5"},
        {"ACRS", "5"},
        {"SL-Old", "40"},
        {"DDB125%-Old", "30"},
        {"DDB150%-Old", "20"},
        {"DDB200%-Old", "15"},
        {"Amortization", "180"},
        {"Non-Depreciable", "0"},
    };
    {
        Transaction transaction(db);
        for (int i = 0; i < 5000; ++i) {
            const Mix& mix = kMix[i % std::size(kMix)];
            const int year = 2003 + i % 10;
            char placed[11];
            std::snprintf(placed, sizeof placed, "%d-%02d-%02d", year, 1 + (i / 7) % 12,
                          1 + i % 28);
            // The year's new assets stay below the 2,000,000 threshold in all.
            const double cost = 1000.0 + (i * 7919) % (year == 2012 ? 5000 : 250000);
            Asset a =
                makeAsset(mix.method, mix.life, cost, placed, std::to_string(year) + "-12-31");
            a.description = "Asset " + std::to_string(i);
            a.lifeBook = "10";  // the book side is not the point
            a.busUseTax = i % 3 == 0 ? 0.6 : i % 11 == 0 ? 0.4 : 1.0;
            a.listedProperty = i % 5 == 0;
            a.passengerAuto = mix.method == std::string("MACRS-Auto");
            if (year == 2012 && (i / 10) % 3 == 0) {
                a.sec179 = 100.0;
                a.bonus = 250.0;
            }
            if (i % 23 == 0 || i % 40 == 9) a.disposed = testing::ymd(2012, 10, 15);
            insertAsset(db, a);
        }
        transaction.commit();
    }
    depreciate(db);
    expectReconciled(db);
}

}  // namespace
}  // namespace czx
