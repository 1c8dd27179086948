// The command-line tool end to end on a copy of the sample company:
// depreciate, report, close the year, save, delete and copy back.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "base/money.h"
#include "store/assets.h"
#include "store/database.h"
#include "tests/support/testing.h"

namespace czx {
namespace {

namespace fs = std::filesystem;
using testing::builtDataFile;
using testing::TempDir;

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir / "data");
        fs::copy_file(builtDataFile("czxdprnd.mdb"), dir / "data" / "czxdprnd.mdb");
        fs::copy_file(builtDataFile("czxblank.mdb"), dir / "data" / "czxblank.mdb");
    }

    // Runs the tool; `limits` are shell commands run before it (ulimit ...).
    Outcome run(const std::vector<std::string>& arguments, const std::string& limits = "") {
        std::string command =
            limits + shellQuoted(CZX_CLI_PATH) + " --data " + shellQuoted((dir / "data").string());
        for (const auto& a : arguments) command += " " + shellQuoted(a);
        command += " >" + shellQuoted((dir / "out.txt").string()) + " 2>" +
                   shellQuoted((dir / "err.txt").string());
        Outcome outcome;
        int raw = std::system(command.c_str());
        outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        outcome.out = readFile(dir / "out.txt");
        outcome.err = readFile(dir / "err.txt");
        return outcome;
    }

    Connection company() { return Connection::open(dir / "data" / "czxdprnd.mdb"); }

    std::string yearEnd() {
        Connection db = company();
        return isoDate(*readCompany(db).yearEnd);
    }

    // The company's sum of a money column, in cents, by the database itself.
    std::int64_t centsOf(const std::string& column) {
        Connection db = company();
        Statement sum(db, "SELECT " + bracket(column) + " FROM assets WHERE companynumber = 1");
        std::int64_t units = 0;
        while (sum.step())
            if (!sum.isNull(0)) units += money::toUnits(sum.columnDouble(0));
        return units / 100;
    }

    std::int64_t assetCount() {
        Connection db = company();
        Statement count(db, "SELECT count(*) FROM assets");
        count.step();
        return count.columnInt(0);
    }

    TempDir dir;
};

// "1234.56" or "1,234.56" in cents.
std::int64_t cents(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return std::llround(std::stod(text) * 100);
}

std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.push_back("");
    return fields;
}

// The grand-total row of a CSV tax report, and how many asset rows it has.
std::vector<std::string> grandTotals(const std::string& csv, int* assetRows = nullptr) {
    std::istringstream in(csv);
    std::string line, grand;
    int assets = 0;
    while (std::getline(in, line)) {
        if (line.rfind("Asset,", 0) == 0) ++assets;
        if (line.rfind("Grand Total,", 0) == 0) grand = line;
    }
    if (assetRows) *assetRows = assets;
    return csvFields(grand);
}

// Columns of the tax CSV: Line, Group, 4 text columns, then cost, prior,
// current, Sec. 179, total, bonus.
constexpr int kCost = 6, kPrior = 7, kCurrent = 8, kSec179 = 9, kTotal = 10;

TEST_F(CliTest, DepreciateReportAndCloseTheSampleYear) {
    const std::int64_t assets = assetCount();
    ASSERT_GT(assets, 0);

    Outcome run1 = run({"depreciate", "--all"});
    ASSERT_EQ(run1.status, 0) << run1.out << run1.err;
    std::smatch summary;
    const std::regex line(
        "Tax pass computed (\\d+) assets, book pass computed (\\d+) assets; "
        "tax depreciation ([0-9,.]+), book depreciation ([0-9,.]+)\\.");
    ASSERT_TRUE(std::regex_search(run1.out, summary, line)) << run1.out;
    EXPECT_EQ(std::stoll(summary[1]), assets);
    EXPECT_EQ(std::stoll(summary[2]), assets);
    const std::int64_t taxCents = cents(summary[3]);

    const auto csvFile = dir / "tax.csv";
    Outcome report = run(
        {"report", "tax", "--format", "csv", "--output", csvFile.string(), "--as-of", "1/15/2013"});
    ASSERT_EQ(report.status, 0) << report.err;
    const std::string csv = readFile(csvFile);
    EXPECT_EQ(csv.rfind("\"Riverside Machine Works, Inc.  for the year ending  12/31/2012\"\n"
                        "As of,1/15/2013\nTax Depreciation\n",
                        0),
              0u)
        << csv;
    int assetRows = 0;
    auto grand = grandTotals(csv, &assetRows);
    ASSERT_EQ(grand.size(), 12u) << csv;
    EXPECT_EQ(assetRows, assets);
    EXPECT_EQ(cents(grand[kCurrent]), taxCents);
    EXPECT_EQ(cents(grand[kSec179]), 11280000);  // the sample's 2012 Section 179: 112,800
    EXPECT_EQ(cents(grand[kCost]), centsOf("Asset Cost - Tax"));
    const std::int64_t priorBefore = centsOf("Prior Accumulated Dprn - Tax");
    EXPECT_EQ(cents(grand[kPrior]), priorBefore);
    EXPECT_EQ(cents(grand[kTotal]), priorBefore + taxCents);

    Outcome text = run({"report", "tax"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("Riverside Machine Works, Inc.  for the year ending  12/31/2012\n", 0),
              0u);
    EXPECT_NE(text.out.find("\nGrand Total "), std::string::npos);

    // Without --yes the question is shown and nothing changes.
    Outcome declined = run({"close-year"});
    EXPECT_NE(declined.status, 0);
    EXPECT_NE(declined.out.find("Are you sure you want to close the year? Closing the year will "
                                "zero out current year depreciation and add it to accumulated "
                                "depreciation. Consider making a copy of the company before "
                                "closing."),
              std::string::npos)
        << declined.out;
    EXPECT_EQ(yearEnd(), "2012-12-31");
    EXPECT_EQ(centsOf("Prior Accumulated Dprn - Tax"), priorBefore);

    Outcome closed = run({"close-year", "--yes"});
    ASSERT_EQ(closed.status, 0) << closed.err;
    EXPECT_NE(closed.out.find("12/31/2013"), std::string::npos) << closed.out;
    EXPECT_EQ(yearEnd(), "2013-12-31");

    Outcome after = run({"report", "tax", "--format", "csv"});
    ASSERT_EQ(after.status, 0) << after.err;
    auto closedTotals = grandTotals(after.out);
    ASSERT_EQ(closedTotals.size(), 12u);
    EXPECT_EQ(cents(closedTotals[kCurrent]), 0);
    EXPECT_EQ(cents(closedTotals[kPrior]), priorBefore + taxCents);
    EXPECT_NE(after.out.find("for the year ending  12/31/2013"), std::string::npos);
}

TEST_F(CliTest, SaveDeleteAndCopyBack) {
    const std::int64_t assets = assetCount();
    const auto saved = dir / "O'Neil copy.mdb";

    Outcome save = run({"save-company", saved.string()});
    ASSERT_EQ(save.status, 0) << save.err;
    {
        Connection file = Connection::open(saved);
        EXPECT_EQ(readCompany(file).name, "Riverside Machine Works, Inc.");
    }

    Outcome refused = run({"delete-all-assets"});
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.out.find("Are you sure you want to delete all of the assets?"),
              std::string::npos);
    EXPECT_EQ(assetCount(), assets);

    Outcome deleted = run({"delete-all-assets", "--yes"});
    ASSERT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(assetCount(), 0);

    Outcome copied = run({"copy-company", saved.string()});
    ASSERT_EQ(copied.status, 0) << copied.err;
    EXPECT_NE(copied.out.find("current layout"), std::string::npos) << copied.out;
    EXPECT_EQ(assetCount(), assets);
}

TEST_F(CliTest, FailuresAndWrongCommandLines) {
    const struct {
        std::vector<std::string> arguments;
        int status;
    } cases[] = {
        {{"report"}, 2},
        {{"report", "payroll"}, 2},
        {{"report", "tax", "--format", "pdf"}, 2},
        {{"save-company"}, 2},
        {{"close-year", "--force"}, 2},
        {{"no-such-command"}, 2},
        // A company file that does not exist: reported, nothing changed.
        {{"copy-company", "/nonexistent/company.mdb"}, 1},
        // A folder that is a file: the save fails and says so.
        {{"save-company", "/dev/null/company.mdb"}, 1},
    };
    const std::int64_t assets = assetCount();
    for (const auto& c : cases) {
        Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.arguments.front() << ": " << outcome.err;
        EXPECT_FALSE(outcome.err.empty());
    }
    EXPECT_EQ(assetCount(), assets);
    EXPECT_EQ(yearEnd(), "2012-12-31");
}

// A company database that cannot be opened is a failure of the command,
// not a wrong command line.
TEST_F(CliTest, ACompanyThatCannotBeOpenedIsAFailure) {
    const struct {
        const char* name;
        const char* contents;  // null: no company file at all
    } cases[] = {
        {"missing", nullptr},
        {"not a database", "This is a letter, not a database, long enough for a header.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dir / "data" / "czxdprnd.mdb");
        if (c.contents) std::ofstream(dir / "data" / "czxdprnd.mdb") << c.contents;
        Outcome outcome = run({"depreciate"});
        EXPECT_EQ(outcome.status, 1) << outcome.err;
        EXPECT_NE(outcome.err.find("cannot open the company database"), std::string::npos)
            << outcome.err;
    }
}

// Each command's failure is reported under the procedure of the desktop
// command it stands for, exits 1, and prints nothing as done.
TEST_F(CliTest, FailuresAreReportedUnderTheDesktopsProcedures) {
    const struct {
        std::vector<std::string> arguments;
        const char* companyChange;  // SQL run on the company first, or null
        const char* procedure;
        const char* doneLine;
        // The run reports a failure under its own step (a pass, a check),
        // entered after the command's procedure.
        bool failsInAStep = false;
    } cases[] = {
        {{"depreciate", "--all"},
         "CREATE TRIGGER refuse BEFORE UPDATE ON assets "
         "BEGIN SELECT RAISE(ABORT, 'the assets are locked'); END",
         "Calcform.mnuDeprAssets_Click",
         "Tax pass computed",
         true},
        {{"close-year", "--yes"},
         "CREATE TRIGGER refuse BEFORE UPDATE ON assets "
         "BEGIN SELECT RAISE(ABORT, 'the assets are locked'); END",
         "Calcform.mnuCloseYR_Click",
         "Closed the year"},
        {{"delete-all-assets", "--yes"},
         "CREATE TRIGGER refuse BEFORE DELETE ON assets "
         "BEGIN SELECT RAISE(ABORT, 'the assets are locked'); END",
         "Calcform.mnuDelete_Click",
         "Deleted"},
        {{"save-company", (dir / "data" / "czxdprnd.mdb").string()},
         nullptr,
         "Savefrm.Copycmd_Click",
         "Saved"},
        {{"copy-company", (dir / "missing.mdb").string()}, nullptr, "Copyfrm.Form_Load", "Copied"},
        {{"copy-company", (dir / "data" / "czxblank.mdb").string()},
         nullptr,
         "Copyfrm.Copy",
         "Copied"},
        {{"report", "tax", "--output", (dir / "no folder" / "tax.txt").string()},
         nullptr,
         "Calcform.mnuTaxReport_Click",
         "Wrote the report"},
        {{"report", "book", "--output", (dir / "no folder" / "book.txt").string()},
         nullptr,
         "Calcform.mnuBookReport_Click",
         "Wrote the report"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.procedure);
        fs::copy_file(builtDataFile("czxdprnd.mdb"), dir / "data" / "czxdprnd.mdb",
                      fs::copy_options::overwrite_existing);
        if (c.companyChange) company().execute(c.companyChange);
        const std::string before = readFile(dir / "data" / "czxdprnd.mdb");

        Outcome outcome = run(c.arguments);

        EXPECT_EQ(outcome.status, 1) << outcome.out << outcome.err;
        EXPECT_NE(outcome.err.find((c.failsInAStep ? "\n" : "within:\n") +
                                   std::string(c.procedure) + "\n"),
                  std::string::npos)
            << outcome.err;
        EXPECT_EQ(outcome.err.find("czxdprn-cli."), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out.find(c.doneLine), std::string::npos) << outcome.out;
        EXPECT_EQ(readFile(dir / "data" / "czxdprnd.mdb"), before);
    }
}

// While another program reads the company, a command that changes it cannot
// commit. It must say so, exit 1, print nothing as done and change nothing.
TEST_F(CliTest, ARefusedCommitIsAFailureWithNothingDone) {
    const struct {
        std::vector<std::string> arguments;
        const char* doneLine;
    } cases[] = {
        {{"depreciate"}, "Tax pass computed"},
        {{"close-year", "--yes"}, "Closed the year"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const std::string before = readFile(dir / "data" / "czxdprnd.mdb");
        Connection reader = company();
        reader.execute("BEGIN");
        Statement reading(reader, "SELECT count(*) FROM assets");
        ASSERT_TRUE(reading.step());

        Outcome outcome = run(c.arguments);

        reading.reset();
        reader.execute("COMMIT");
        EXPECT_EQ(outcome.status, 1) << outcome.out << outcome.err;
        EXPECT_NE(outcome.err.find("database is locked"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out.find(c.doneLine), std::string::npos) << outcome.out;
        EXPECT_EQ(readFile(dir / "data" / "czxdprnd.mdb"), before);
        EXPECT_EQ(yearEnd(), "2012-12-31");
    }
}

// A report that cannot be written whole (here: the file may not grow past
// 2,048 bytes) leaves the previous report as it was, and nothing beside it.
TEST_F(CliTest, AReportThatFailsKeepsThePreviousOne) {
    const auto output = dir / "reports" / "tax.txt";
    fs::create_directories(output.parent_path());
    std::ofstream(output) << "Last year's report\n";
    const auto listing = testing::folderListing(output.parent_path());

    Outcome outcome =
        run({"report", "tax", "--output", output.string()}, "trap '' XFSZ; ulimit -f 4; ");

    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_EQ(outcome.out.find("Wrote the report"), std::string::npos) << outcome.out;
    EXPECT_EQ(readFile(output), "Last year's report\n");
    EXPECT_EQ(testing::folderListing(output.parent_path()), listing);

    Outcome unlimited = run({"report", "tax", "--output", output.string()});
    EXPECT_EQ(unlimited.status, 0) << unlimited.err;
    EXPECT_EQ(readFile(output).rfind("Riverside Machine Works, Inc.", 0), 0u);
    EXPECT_EQ(testing::folderListing(output.parent_path()), listing);
}

}  // namespace
}  // namespace czx
