// The command-line tool end to end, on a copy of the sample company.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "store/assets.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

struct Result {
    int status;
    std::string output;
};

Result runCli(const std::string& arguments) {
    std::string command = std::string(CZX_CLI_PATH) + " " + arguments + " 2>&1";
    Result result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        result.output.append(buffer.data(), n);
    int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"czxdprnd.mdb", "czxdmthd.mdb", "czxblank.mdb"})
            std::filesystem::copy_file(testing::builtDataFile(name), dir / name);
    }
    std::string data() const { return "--data '" + dir.path().string() + "'"; }
    testing::TempDir dir;
};

TEST_F(CliTest, DepreciatesTheSampleCompany) {
    Result first = runCli(data() + " depreciate");
    EXPECT_EQ(first.status, 0) << first.output;
    EXPECT_NE(first.output.find("Tax pass computed 30 assets, book pass computed 30 assets"),
              std::string::npos)
        << first.output;
    EXPECT_EQ(first.output.find("ERROR REPORT"), std::string::npos) << first.output;

    // Nothing changed since: an incremental run computes nothing, the totals stand.
    Result second = runCli(data() + " depreciate");
    EXPECT_EQ(second.status, 0) << second.output;
    EXPECT_NE(second.output.find("Tax pass computed 0 assets, book pass computed 0 assets"),
              std::string::npos)
        << second.output;
    auto totals = [](const std::string& out) { return out.substr(out.find("; tax")); };
    EXPECT_EQ(totals(first.output), totals(second.output));

    // --all computes every row again, to the same amounts.
    Result all = runCli(data() + " depreciate --all");
    EXPECT_NE(all.output.find("Tax pass computed 30 assets"), std::string::npos) << all.output;
    EXPECT_EQ(totals(first.output), totals(all.output));
}

TEST_F(CliTest, EveryAssetGetsAmountsFromTheRun) {
    runCli(data() + " depreciate --all");
    Connection db = Connection::open(dir / "czxdprnd.mdb");
    auto q = db.prepare(
        "SELECT count(*) FROM assets WHERE [Current Dprn - Tax] IS NULL OR "
        "[Current Dprn - Book] IS NULL OR [Cost Less ITC Adj] IS NULL OR assetchng <> 0");
    q.step();
    EXPECT_EQ(q.columnInt(0), 0);
}

TEST_F(CliTest, AMissingCompanyIsAClearFailure) {
    std::filesystem::remove(dir / "czxdprnd.mdb");
    Result result = runCli(data() + " depreciate");
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("cannot open the company database"), std::string::npos)
        << result.output;
}

TEST_F(CliTest, HelpVersionAndMistakes) {
    Result help = runCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("depreciate [--all]"), std::string::npos);
    Result version = runCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.output.find("CZX Depreciation"), std::string::npos);
    EXPECT_NE(version.output.find("Federal law through 2026"), std::string::npos);
    EXPECT_NE(runCli("frobnicate").status, 0);
    EXPECT_NE(runCli(data() + " depreciate --everything").status, 0);
}

}  // namespace
}  // namespace czx
