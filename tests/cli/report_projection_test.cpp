// czxdprn-cli report projection on a copy of the sample company: the
// company is only read, a company not yet depreciated projects as it would
// after the run, and the whole text and CSV forms (golden files).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/projection/projection_report.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ReportProjection : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(testing::builtDataFile("czxdprnd.mdb"), dir / "czxdprnd.mdb");
    }
    // The exit status; the arguments hold no quote or blank.
    int run(const std::string& arguments) {
        const std::string command = std::string(CZX_CLI_PATH) + " --data " + dir.path().string() +
                                    " " + arguments + " >" + (dir / "out").string() + " 2>" +
                                    (dir / "err").string();
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    testing::TempDir dir;
};

TEST_F(ReportProjection, ReadsOnlyAndProjectsAsAfterTheRun) {
    const fs::path company = dir / "czxdprnd.mdb";
    const fs::path csv = dir / "projection.csv";
    // The sample holds 30 assets changed since its last run; the turning
    // center placed in August now costs 10,000 more, not yet depreciated.
    Connection(Connection::open(company))
        .execute(
            "UPDATE assets SET [Asset Cost - Tax] = [Asset Cost - Tax] + 10000, "
            "assetchng = 1 WHERE [Date Placed in Service] >= '2012-08-01'");
    const std::string before = readFile(company);
    ASSERT_EQ(run("report projection --years 3 --format csv --output " + csv.string()), 0)
        << readFile(dir / "err");
    EXPECT_EQ(readFile(company), before);
    const std::string projected = readFile(csv);
    EXPECT_TRUE(testing::matchesGolden("cli-report-projection-sample-2012.csv", projected));

    ASSERT_EQ(run("depreciate"), 0);
    ASSERT_EQ(run("report projection --years 3 --format csv --output " + csv.string()), 0);
    EXPECT_EQ(readFile(csv), projected);

    Connection connection = Connection::open(company);
    std::ostringstream text;
    writeProjectionText(connection, 3, testing::ymd(2013, 1, 15), text);
    EXPECT_TRUE(testing::matchesGolden("report-projection-sample-2012.txt", text.str()));

    for (const char* wrong : {"--years 0", "--years 51", "--years 2.5", "--years", "--format pdf"})
        EXPECT_EQ(run(std::string("report projection ") + wrong), 2) << wrong;
}

}  // namespace
}  // namespace czx
