// The tax and book depreciation reports: grouping and order, exact group and
// grand totals, empty amounts, the order in which a sink receives them, and
// the text and CSV forms, held in golden files under tests/golden.
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
        csv ? writeReportCsv(db, kind, kToday, out) : writeReportText(db, kind, kToday, out);
        return out.str();
    }

    Connection db = testing::makeCompany("Riverbend Tools", "2012-12-31");
};

TEST_F(ReportTest, RendersEveryFormAsItsGoldenFile) {
    EXPECT_TRUE(matchesGolden("report-tax-riverbend.csv", render(ReportKind::Tax, true)));
    EXPECT_TRUE(matchesGolden("report-book-riverbend.csv", render(ReportKind::Book, true)));
    EXPECT_TRUE(matchesGolden("report-tax-riverbend.txt", render(ReportKind::Tax, false)));
}

// Records what a sink is handed, one entry per call, amounts as plain
// numbers and "-" for an empty one.
class RecordingSink : public ReportSink {
  public:
    void begin(const ReportHeading& heading) override {
        calls.push_back("begin " + heading.heading);
    }
    void line(const std::string& group, const ReportLine& line) override {
        calls.push_back("line " + group + ": " + line.description + amounts(line.amounts));
    }
    void groupTotal(const std::string& group, const std::vector<Money>& totals) override {
        calls.push_back("total " + group + ":" + amounts(totals));
    }
    void grandTotal(const std::vector<Money>& totals) override {
        calls.push_back("grand:" + amounts(totals));
    }
    std::vector<std::string> calls;

  private:
    static std::string amounts(const std::vector<Money>& values) {
        std::string text;
        for (const Money& m : values)
            text += " " + (m ? money::format(*m, money::Separators::None) : std::string("-"));
        return text;
    }
};

// The sink sees each group's lines in date order, then the group's totals,
// and the grand totals last; the other company's car never. Tax columns:
// cost, prior, current, Sec. 179, total, bonus. Sums by hand:
//   (no group)  cost 10.01 + 99.99 = 110.00, prior 1 + 50 = 51, current 12,
//               total 3 + 60 = 63
//   Computers   cost 1,500.10 + 12,800 = 14,300.10; prior 0 (the server's is
//               empty); current 13,100.02; total 300.02 (the server's is empty)
//   Vehicles    cost 54,600; prior 3,000.30; current 1,100.50; total 4,100.80
//   grand       cost 110 + 14,300.10 + 54,600 = 69,010.10; prior 3,051.30;
//               current 14,212.52; Sec. 179 12,800; total 4,463.82; bonus 100.35
TEST_F(ReportTest, ASinkSeesLinesThenTotalsInOrder) {
    RecordingSink sink;
    streamDepreciationReport(db, ReportKind::Tax, kToday, sink);
    const std::vector<std::string> expected = {
        "begin Tax Depreciation",
        "line : Spare part 10.01 1.00 2.00 - 3.00 -",
        "line : Loose tool 99.99 50.00 10.00 - 60.00 -",
        "total : 110.00 51.00 12.00 - 63.00 -",
        "line Computers: Laptop 1500.10 0.00 300.02 - 300.02 -",
        "line Computers: Server 12800.00 - 12800.00 12800.00 - -",
        "total Computers: 14300.10 0.00 13100.02 12800.00 300.02 -",
        "line Vehicles: Truck 30000.00 2000.20 600.30 - 2600.50 -",
        "line Vehicles: Van, \"blue\" 24600.00 1000.10 500.20 0.00 1500.30 100.35",
        "total Vehicles: 54600.00 3000.30 1100.50 0.00 4100.80 100.35",
        "grand: 69010.10 3051.30 14212.52 12800.00 4463.82 100.35",
    };
    EXPECT_EQ(sink.calls, expected);
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
