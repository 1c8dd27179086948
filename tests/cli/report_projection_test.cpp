// czxdprn-cli report projection on a copy of the sample company: the
// company is only read, a company not yet depreciated projects as it would
// after the run, and the whole text and CSV forms (golden files).
#include <gtest/gtest.h>

#include <sstream>

#include "engine/projection/projection_report.h"
#include "tests/support/cli_run.h"

namespace czx {
namespace {

using testing::readFile;
using ReportProjection = testing::CliCompany;

TEST_F(ReportProjection, ReadsOnlyAndProjectsAsAfterTheRun) {
    const auto company = data() / "czxdprnd.mdb";
    const auto csv = dir / "projection.csv";
    // The sample holds 30 assets changed since its last run; the turning
    // center placed in August now costs 10,000 more, not yet depreciated.
    Connection(Connection::open(company))
        .execute(
            "UPDATE assets SET [Asset Cost - Tax] = [Asset Cost - Tax] + 10000, "
            "assetchng = 1 WHERE [Date Placed in Service] >= '2012-08-01'");
    const std::string before = readFile(company);
    const std::vector<std::string> toCsv = {"report",   "projection", "--years",  "3",
                                            "--format", "csv",        "--output", csv.string()};
    const testing::CliOutcome first = run(toCsv);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(readFile(company), before);
    const std::string projected = readFile(csv);
    EXPECT_TRUE(testing::matchesGolden("cli-report-projection-sample-2012.csv", projected));

    ASSERT_EQ(run({"depreciate"}).status, 0);
    ASSERT_EQ(run(toCsv).status, 0);
    EXPECT_EQ(readFile(csv), projected);

    Connection connection = Connection::open(company);
    std::ostringstream text;
    writeProjectionText(connection, 3, testing::ymd(2013, 1, 15), text);
    EXPECT_TRUE(testing::matchesGolden("report-projection-sample-2012.txt", text.str()));

    for (const char* years : {"0", "51", "2.5"})
        EXPECT_EQ(run({"report", "projection", "--years", years}).status, 2) << years;
    EXPECT_EQ(run({"report", "projection", "--years"}).status, 2);
    EXPECT_EQ(run({"report", "projection", "--format", "pdf"}).status, 2);
}

}  // namespace
}  // namespace czx
