// The tax and book depreciation reports: grouping and order, exact group and
// grand totals, empty amounts, and the text and CSV forms, held in golden
// files under tests/golden.
#include "store/report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/money.h"
#include "store/assets.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

using testing::matchesGolden;

const Date kToday = *parseIsoDate("2026-12-06");

struct Row {
    const char* group;  // nullptr: no group (NULL); "" is an empty group name
    const char* description;
    const char* placed;
    Money costTax, priorTax, currentTax, sec179, bonus;
    Money costBook, priorBook, currentBook;
};

// Inserted out of date order on purpose: the report groups them by name,
// assets without a group (NULL or empty) together first, and orders each
// group by date placed in service. Empty amounts (none) are shown empty and
// skipped by the sums; a total of prior and current is empty when either is.
constexpr std::nullopt_t none = std::nullopt;
const Row kRows[] = {
    {"Vehicles", "Van, \"blue\"", "2011-06-14", 24600.00, 1000.10, 500.20, 0.0, 100.35, 24600.00,
     900.00, 450.05},
    {"Vehicles", "Truck", "2010-03-01", 30000.00, 2000.20, 600.30, none, none, none, none, none},
    {"Computers", "Server", "2012-03-12", 12800.00, none, 12800.00, 12800.00, none, 12800.00, 0.0,
     2560.00},
    {nullptr, "Loose tool", "2009-01-01", 99.99, 50.00, 10.00, none, none, 99.99, 50.00, 10.00},
    {"Computers", "Laptop", "2012-01-05", 1500.10, 0.0, 300.02, none, none, 1500.10, 0.0, 300.02},
    {"", "Spare part", "2008-01-01", 10.01, 1.00, 2.00, none, none, 10.01, 1.00, 2.00},
};

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const Row& r : kRows) {
            Asset a;
            if (r.group) a.groupName = r.group;
            a.description = r.description;
            a.placedInService = parseIsoDate(r.placed);
            a.methodTax = "MACRS";
            a.lifeTax = "5";
            a.methodBook = "SL - Book";
            a.lifeBook = "5";
            a.costTax = r.costTax;
            a.priorAccumTax = r.priorTax;
            a.currentTax = r.currentTax;
            a.sec179 = r.sec179;
            a.bonus = r.bonus;
            a.costBook = r.costBook;
            a.priorAccumBook = r.priorBook;
            a.currentBook = r.currentBook;
            std::int64_t row = insertAsset(db, a);
            if (!r.group)
                db.execute("UPDATE assets SET groupname = NULL WHERE rowid = ?", {Value(row)});
        }
        Asset other;
        other.companyNumber = 2;
        other.groupName = "Vehicles";
        other.description = "Another company's car";
        other.costTax = 1e6;
        insertAsset(db, other);
    }

    std::string render(ReportKind kind, bool csv) {
        std::ostringstream out;
        auto report = buildDepreciationReport(db, kind, kToday);
        csv ? renderReportCsv(report, out) : renderReportText(report, out);
        return out.str();
    }

    Connection db = testing::makeCompany("Riverbend Tools", "2012-12-31");
};

TEST_F(ReportTest, RendersEveryFormAsItsGoldenFile) {
    EXPECT_TRUE(matchesGolden("report-tax-riverbend.csv", render(ReportKind::Tax, true)));
    EXPECT_TRUE(matchesGolden("report-book-riverbend.csv", render(ReportKind::Book, true)));
    EXPECT_TRUE(matchesGolden("report-tax-riverbend.txt", render(ReportKind::Tax, false)));
}

// Ten amounts of 0.10 add up to 0.9999999999999999 in binary arithmetic;
// the report's sums are exact.
TEST(ReportSums, AreExactToTheCent) {
    Connection db = testing::makeCompany();
    for (int i = 0; i < 10; ++i) {
        Asset a;
        a.groupName = "Tools";
        a.description = "Tool " + std::to_string(i);
        a.costTax = 0.10;
        a.priorAccumTax = 0.10;
        a.currentTax = 0.20;
        insertAsset(db, a);
    }
    DepreciationReport report = buildDepreciationReport(db, ReportKind::Tax, kToday);
    EXPECT_EQ(report.grandTotals[0], Money(1.00));
    EXPECT_EQ(report.grandTotals[4], Money(3.00));
}

// The one way amounts are written, on screen, in reports and in files.
TEST(MoneyFormat, ThousandsSeparatorsAndTheEvenCent) {
    const struct {
        double amount;
        const char* text;
        const char* plain;
    } cases[] = {
        {0.0, "0.00", "0.00"},
        {7.5, "7.50", "7.50"},
        {999.99, "999.99", "999.99"},
        {1234567.891, "1,234,567.89", "1234567.89"},
        {-1234.5, "-1,234.50", "-1234.50"},
        {-0.004, "0.00", "0.00"},  // no minus sign before a zero
        {-0.05, "-0.05", "-0.05"},
        {0.125, "0.12", "0.12"},           // exact tie: even cent
        {0.375, "0.38", "0.38"},           // exact tie: even cent
        {999.995, "1,000.00", "1000.00"},  // 999.9950 at four places, a tie; the even cent is up
    };
    for (const auto& c : cases) {
        EXPECT_EQ(money::format(c.amount), c.text) << c.amount;
        EXPECT_EQ(money::format(c.amount, money::Separators::None), c.plain) << c.amount;
    }
    EXPECT_EQ(money::withThousands(-1234567), "-1,234,567");
    EXPECT_EQ(money::withThousands(999), "999");
}

}  // namespace
}  // namespace czx
