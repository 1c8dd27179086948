// The tax and book depreciation reports: the query, grouping and order, the
// exact group and grand totals, empty amounts, and the text and CSV forms.
#include "store/report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "store/assets.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

using testing::makeCompanyFile;
using testing::TempDir;

const Date kToday = *parseIsoDate("2026-12-06");

struct Row {
    const char* group;  // nullptr: no group (NULL)
    const char* description;
    const char* placed;
    Money costTax, priorTax, currentTax, sec179, bonus;
    Money costBook, priorBook, currentBook;
};

// Inserted out of date order on purpose; the report orders them.
const Row kRows[] = {
    {"Vehicles", "Van, \"blue\"", "2011-06-14", 24600.00, 1000.10, 500.20, 0.0, 100.35, 24600.00,
     900.00, 450.05},
    {"Vehicles", "Truck", "2010-03-01", 30000.00, 2000.20, 600.30, {}, {}, {}, {}, {}},
    {"Computers",
     "Server",
     "2012-03-12",
     12800.00,
     {},
     12800.00,
     12800.00,
     {},
     12800.00,
     0.0,
     2560.00},
    {nullptr, "Loose tool", "2009-01-01", 99.99, 50.00, 10.00, {}, {}, 99.99, 50.00, 10.00},
    {"Computers", "Laptop", "2012-01-05", 1500.10, 0.0, 300.02, {}, {}, 1500.10, 0.0, 300.02},
    {"", "Spare part", "2008-01-01", 10.01, 1.00, 2.00, {}, {}, 10.01, 1.00, 2.00},
};

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db.emplace(makeCompanyFile(dir / "czxdprnd.mdb", "Riverbend Tools", "2012-12-31"));
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
            std::int64_t row = insertAsset(*db, a);
            if (!r.group)
                db->execute("UPDATE assets SET groupname = NULL WHERE rowid = ?", {Value(row)});
        }
        Asset other;
        other.companyNumber = 2;
        other.groupName = "Vehicles";
        other.description = "Another company's car";
        other.costTax = 1e6;
        insertAsset(*db, other);
    }

    TempDir dir;
    std::optional<Connection> db;
};

std::vector<std::string> descriptions(const ReportGroup& group) {
    std::vector<std::string> names;
    for (const auto& line : group.lines) names.push_back(line.description);
    return names;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) all.push_back(line);
    return all;
}

TEST_F(ReportTest, QueryReturnsTheCompanysAssetsWithRowTotals) {
    Statement query(*db, reportQuery());
    query.bind(1, std::int64_t{1});
    std::vector<std::string> order;
    int totalColumn = -1;
    for (int i = 0; i < query.columnCount(); ++i)
        if (query.columnName(i) == "Total") totalColumn = i;
    ASSERT_GE(totalColumn, 0);
    while (query.step()) {
        order.push_back(query.columnText(3));
        if (order.back() == "Server") {
            EXPECT_TRUE(query.isNull(totalColumn));
        }
        if (order.back() == "Truck") {
            EXPECT_DOUBLE_EQ(query.columnDouble(totalColumn), 2600.50);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Spare part", "Loose tool", "Laptop", "Server",
                                               "Truck", "Van, \"blue\""}));
}

TEST_F(ReportTest, OneGroupPerGroupNameInOrderOfPlacedInService) {
    DepreciationReport report = buildDepreciationReport(*db, ReportKind::Tax, kToday);
    ASSERT_EQ(report.groups.size(), 3u);
    // Assets without a group, NULL or empty, form one group of their own.
    EXPECT_EQ(report.groups[0].name, "");
    EXPECT_EQ(descriptions(report.groups[0]),
              (std::vector<std::string>{"Spare part", "Loose tool"}));
    EXPECT_EQ(report.groups[1].name, "Computers");
    EXPECT_EQ(descriptions(report.groups[1]), (std::vector<std::string>{"Laptop", "Server"}));
    EXPECT_EQ(report.groups[2].name, "Vehicles");
    EXPECT_EQ(descriptions(report.groups[2]), (std::vector<std::string>{"Truck", "Van, \"blue\""}));
    EXPECT_EQ(report.groups[2].lines[0].placedInService, parseIsoDate("2010-03-01"));
}

TEST_F(ReportTest, TaxReportHeaderAndCaptions) {
    DepreciationReport report = buildDepreciationReport(*db, ReportKind::Tax, kToday);
    EXPECT_EQ(report.title, "Riverbend Tools  for the year ending  12/31/2012");
    EXPECT_EQ(report.asOf, kToday);
    EXPECT_EQ(report.heading, "Tax Depreciation");
    EXPECT_EQ(report.captions,
              (std::vector<std::string>{
                  "Asset Description", "Date Placed In Service", "Depreciation Method", "Life",
                  "Asset Cost", "Prior         Depreciation", "Current Depreciation", "Sec. 179",
                  "Total          Depreciation", "1st YR 30/50%  Deduction"}));
}

// Tax columns: cost, prior, current, Sec. 179, total, bonus. Hand sums.
TEST_F(ReportTest, TaxTotalsSkipEmptyAmounts) {
    DepreciationReport report = buildDepreciationReport(*db, ReportKind::Tax, kToday);
    const std::vector<Money> expected[] = {
        {110.00, 51.00, 12.00, {}, 63.00, {}},
        {14300.10, 0.00, 13100.02, 12800.00, 300.02, {}},
        {54600.00, 3000.30, 1100.50, 0.00, 4100.80, 100.35},
    };
    for (size_t g = 0; g < 3; ++g) {
        SCOPED_TRACE(report.groups[g].name);
        EXPECT_EQ(report.groups[g].totals, expected[g]);
    }
    EXPECT_EQ(report.grandTotals,
              (std::vector<Money>{69010.10, 3051.30, 14212.52, 12800.00, 4463.82, 100.35}));

    const ReportLine& server = report.groups[1].lines[1];
    EXPECT_EQ(server.amounts, (std::vector<Money>{12800.00, {}, 12800.00, 12800.00, {}, {}}));
}

TEST_F(ReportTest, BookReportShowsTheBookColumns) {
    DepreciationReport report = buildDepreciationReport(*db, ReportKind::Book, kToday);
    EXPECT_EQ(report.heading, "Book Depreciation");
    EXPECT_EQ(report.captions,
              (std::vector<std::string>{"Asset Description", "Date Placed In Service",
                                        "Depreciation Method", "Life", "Asset Cost",
                                        "Prior         Depreciation", "Current Depreciation",
                                        "Total          Depreciation"}));
    const ReportGroup& vehicles = report.groups[2];
    EXPECT_EQ(vehicles.lines[1].method, "SL - Book");
    EXPECT_EQ(vehicles.lines[1].amounts, (std::vector<Money>{24600.00, 900.00, 450.05, 1350.05}));
    EXPECT_EQ(vehicles.lines[0].amounts, (std::vector<Money>{{}, {}, {}, {}}));
    EXPECT_EQ(vehicles.totals, (std::vector<Money>{24600.00, 900.00, 450.05, 1350.05}));
    EXPECT_EQ(report.grandTotals, (std::vector<Money>{39010.10, 951.00, 3322.07, 4273.07}));
}

// Ten amounts of 0.10 add up to 0.9999999999999999 in binary arithmetic;
// the report's sums are exact.
TEST(ReportSums, AreExactToTheCent) {
    TempDir dir;
    Connection db = makeCompanyFile(dir / "czxdprnd.mdb");
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

TEST_F(ReportTest, RunningAgainShowsChangesMadeInBetween) {
    auto before = buildDepreciationReport(*db, ReportKind::Tax, kToday);
    db->execute(
        "UPDATE assets SET [Current Dprn - Tax] = 600.20 WHERE [Asset Description] = 'Truck'");
    auto after = buildDepreciationReport(*db, ReportKind::Tax, kToday);
    EXPECT_EQ(before.grandTotals[2], Money(14212.52));
    EXPECT_EQ(after.grandTotals[2], Money(14212.42));
}

TEST_F(ReportTest, CsvHoldsEveryLineAndTheTotals) {
    std::ostringstream out;
    renderReportCsv(buildDepreciationReport(*db, ReportKind::Tax, kToday), out);
    auto csv = lines(out.str());
    ASSERT_EQ(csv.size(), 4u + 1u + 6u + 3u + 1u);
    EXPECT_EQ(csv[0], "Riverbend Tools  for the year ending  12/31/2012");
    EXPECT_EQ(csv[1], "As of,12/6/2026");
    EXPECT_EQ(csv[2], "Tax Depreciation");
    EXPECT_EQ(csv[4],
              "Line,Group,Asset Description,Date Placed In Service,Depreciation Method,Life,"
              "Asset Cost,Prior         Depreciation,Current Depreciation,Sec. 179,"
              "Total          Depreciation,1st YR 30/50%  Deduction");
    EXPECT_EQ(csv[5], "Asset,,Spare part,01/01/2008,MACRS,5,10.01,1.00,2.00,,3.00,");
    EXPECT_EQ(csv[7], "Group Total,,,,,,110.00,51.00,12.00,,63.00,");
    EXPECT_EQ(csv[9], "Asset,Computers,Server,03/12/2012,MACRS,5,12800.00,,12800.00,12800.00,,");
    EXPECT_EQ(csv[12],
              "Asset,Vehicles,\"Van, \"\"blue\"\"\",06/14/2011,MACRS,5,24600.00,1000.10,500.20,"
              "0.00,1500.30,100.35");
    EXPECT_EQ(csv.back(), "Grand Total,,,,,,69010.10,3051.30,14212.52,12800.00,4463.82,100.35");
}

TEST_F(ReportTest, TextShowsTitleGroupsAndFormattedTotals) {
    std::ostringstream out;
    renderReportText(buildDepreciationReport(*db, ReportKind::Tax, kToday), out);
    auto text = lines(out.str());
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(text[0], "Riverbend Tools  for the year ending  12/31/2012");
    EXPECT_EQ(text[1], "As of 12/6/2026");
    EXPECT_EQ(text[2], "Tax Depreciation");
    const std::string all = out.str();
    for (const char* expected : {"\n(no group)\n", "\nComputers\n", "\nVehicles\n"})
        EXPECT_NE(all.find(expected), std::string::npos) << expected;
    EXPECT_LT(all.find("\nComputers\n"), all.find("\nVehicles\n"));
    const std::string& grand = text.back();
    EXPECT_EQ(grand.rfind("Grand Total", 0), 0u);
    for (const char* amount :
         {"69,010.10", "3,051.30", "14,212.52", "12,800.00", "4,463.82", "100.35"})
        EXPECT_NE(grand.find(amount), std::string::npos) << amount;
}

TEST(FormatAmount, ThousandsSeparatorsAndTheEvenCent) {
    const struct {
        double amount;
        const char* text;
    } cases[] = {
        {0.0, "0.00"},          {7.5, "7.50"},   {999.99, "999.99"}, {1234567.891, "1,234,567.89"},
        {-1234.5, "-1,234.50"}, {0.125, "0.12"},  // exact tie: even cent
        {0.375, "0.38"},                          // exact tie: even cent
        {999.995, "1,000.00"},  // 999.9950 at four places, a tie; the even cent is up
    };
    for (const auto& c : cases) EXPECT_EQ(formatAmount(c.amount), c.text) << c.amount;
}

}  // namespace
}  // namespace czx
