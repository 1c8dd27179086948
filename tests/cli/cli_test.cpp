// The command-line tool end to end on a copy of the sample company:
// depreciate, report, close the year, save, delete and copy back, and how
// each failure is told. Whole outputs are held in golden files under
// tests/golden.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "store/assets.h"
#include "store/database.h"
#include "tests/support/cli_run.h"

namespace czx {
namespace {

namespace fs = std::filesystem;
using testing::builtDataFile;
using Outcome = testing::CliOutcome;
using testing::matchesGolden;
using testing::readFile;

class CliTest : public testing::CliCompany {
  protected:
    Connection company() { return Connection::open(data() / "czxdprnd.mdb"); }
    std::string companyBytes() { return readFile(data() / "czxdprnd.mdb"); }
    // The total of `expression` over the assets of the company file.
    double total(const std::string& expression) {
        Connection db = company();
        Statement query(db, "SELECT total(" + expression + ") FROM assets");
        query.step();
        return query.columnDouble(0);
    }
};

// The first run computes every asset of the sample; a second run finds no
// asset changed since, computes none and keeps the totals; --all computes
// every asset again, to the same amounts.
TEST_F(CliTest, DepreciatesTheSampleCompany) {
    Outcome first = run({"depreciate"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "");
    EXPECT_TRUE(matchesGolden("cli-depreciate-sample.txt", first.out));
    EXPECT_EQ(total("[Current Dprn - Tax] IS NULL OR [Current Dprn - Book] IS NULL OR "
                    "[Cost Less ITC Adj] IS NULL OR assetchng <> 0"),
              0);

    auto totals = [](const std::string& out) { return out.substr(out.find("; tax")); };
    Outcome second = run({"depreciate"});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("Tax pass computed 0 assets, book pass computed 0 assets;"),
              std::string::npos)
        << second.out;
    EXPECT_EQ(totals(second.out), totals(first.out));

    Outcome all = run({"depreciate", "--all"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, first.out);
}

TEST_F(CliTest, DepreciateReportAndCloseTheSampleYear) {
    ASSERT_EQ(run({"depreciate", "--all"}).status, 0);
    const auto csvFile = dir / "tax.csv";
    Outcome written = run(
        {"report", "tax", "--format", "csv", "--output", csvFile.string(), "--as-of", "1/15/2013"});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "Wrote the report to " + csvFile.string() + ".\n");
    const std::string csv = readFile(csvFile);
    EXPECT_TRUE(matchesGolden("cli-report-tax-sample-2012.csv", csv));
    for (const char* kind : {"tax", "book"}) {
        Outcome text = run({"report", kind, "--as-of", "1/15/2013"});
        EXPECT_EQ(text.status, 0) << text.err;
        EXPECT_TRUE(
            matchesGolden("cli-report-" + std::string(kind) + "-sample-2012.txt", text.out));
    }

    // Without --yes the question is shown and nothing changes.
    const double accumulated = total("[Prior Accumulated Dprn - Tax]");
    const double current = total("[Current Dprn - Tax]");
    ASSERT_GT(current, 0);
    const std::string before = companyBytes();
    Outcome declined = run({"close-year"});
    EXPECT_EQ(declined.status, 1);
    EXPECT_TRUE(matchesGolden("cli-close-year-unconfirmed.txt", declined.out));
    EXPECT_TRUE(companyBytes() == before) << "the company file changed";

    Outcome closed = run({"close-year", "--yes"});
    ASSERT_EQ(closed.status, 0) << closed.err;
    EXPECT_TRUE(matchesGolden("cli-close-year.txt", closed.out));

    // The year's depreciation is now accumulated, and the current is zero.
    Outcome after = run({"report", "tax", "--format", "csv", "--as-of", "1/15/2014"});
    ASSERT_EQ(after.status, 0) << after.err;
    EXPECT_TRUE(matchesGolden("cli-report-tax-sample-2013.csv", after.out));
    EXPECT_NEAR(total("[Prior Accumulated Dprn - Tax]"), accumulated + current, 0.005);
    EXPECT_EQ(total("abs([Current Dprn - Tax])"), 0);
}

TEST_F(CliTest, SaveDeleteAndCopyBack) {
    const double assets = total("1");
    ASSERT_GT(assets, 0);
    const auto saved = dir / "O'Neil copy.mdb";

    Outcome save = run({"save-company", saved.string()});
    ASSERT_EQ(save.status, 0) << save.err;
    {
        Connection file = Connection::open(saved);
        EXPECT_EQ(readCompany(file).name, "Riverside Machine Works, Inc.");
    }

    Outcome refused = run({"delete-all-assets"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(matchesGolden("cli-delete-all-assets-unconfirmed.txt", refused.out));
    EXPECT_EQ(total("1"), assets);

    Outcome deleted = run({"delete-all-assets", "--yes"});
    ASSERT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(total("1"), 0);

    Outcome copied = run({"copy-company", saved.string()});
    ASSERT_EQ(copied.status, 0) << copied.err;
    EXPECT_NE(copied.out.find("current layout"), std::string::npos) << copied.out;
    EXPECT_EQ(total("1"), assets);
}

TEST_F(CliTest, HelpAndVersion) {
    Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(matchesGolden("cli-help.txt", help.out));
    Outcome version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(matchesGolden("cli-version.txt", version.out));
}

// A wrong command line exits 2, a command that could not do its work 1
// (a company database that cannot be opened is such a failure); both say
// why on standard error and change nothing.
TEST_F(CliTest, FailuresAndWrongCommandLines) {
    const std::string nowhere = (dir / "nowhere").string(), letter = (dir / "letter").string();
    fs::create_directories(letter);
    std::ofstream(letter + "/czxdprnd.mdb")
        << "A letter, not a database, long enough for a header.";
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* says = "";
    } cases[] = {
        {{"report"}, 2},
        {{"report", "payroll"}, 2},
        {{"report", "tax", "--format", "pdf"}, 2},
        {{"report", "tax", "--as-of", "2013-01-15"}, 2},
        {{"save-company"}, 2},
        {{"close-year", "--force"}, 2},
        {{"depreciate", "--everything"}, 2},
        {{"no-such-command"}, 2},
        {{}, 2},
        {{"--data", nowhere, "depreciate"}, 1, "cannot open the company database"},
        {{"--data", letter, "depreciate"}, 1, "cannot open the company database"},
    };
    const std::string before = companyBytes();
    for (const auto& c : cases) {
        Outcome outcome = run(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.back());
        EXPECT_EQ(outcome.status, c.status) << outcome.err;
        EXPECT_FALSE(outcome.err.empty());
        EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
    }
    EXPECT_TRUE(companyBytes() == before) << "the company file changed";
    EXPECT_FALSE(fs::exists(nowhere));
}

// Each command's failure (a row refused by a trigger, a commit refused while
// another program reads the company, a file that cannot be read or written)
// is reported under the procedure of the desktop command it stands for,
// exits 1, prints nothing as done and changes nothing.
TEST_F(CliTest, FailuresAreReportedUnderTheDesktopsProcedures) {
    const std::string refuse = "CREATE TRIGGER refuse BEFORE ";
    const std::string locked = " ON assets BEGIN SELECT RAISE(ABORT, 'the assets are locked'); END";
    const std::string data = (dir / "data").string(), nowhere = (dir / "no folder").string();
    const struct {
        std::vector<std::string> arguments;
        std::string companyChange;  // SQL run on the company first; "read": another
                                    // program holds a read transaction on it
        std::string reported;       // the procedure; a failure in a step of the
                                    // run is reported after it, the others within it
    } cases[] = {
        // clang-format off
        {{"depreciate", "--all"}, refuse + "UPDATE" + locked, "\nCalcform.mnuDeprAssets_Click"},
        {{"depreciate"}, "read", "within:\nCalcform.mnuDeprAssets_Click"},
        {{"close-year", "--yes"}, refuse + "UPDATE" + locked, "within:\nCalcform.mnuCloseYR_Click"},
        {{"close-year", "--yes"}, "read", "within:\nCalcform.mnuCloseYR_Click"},
        {{"delete-all-assets", "--yes"}, refuse + "DELETE" + locked, "within:\nCalcform.mnuDelete_Click"},
        {{"save-company", data + "/czxdprnd.mdb"}, "", "within:\nSavefrm.Copycmd_Click"},
        {{"copy-company", data + "/missing.mdb"}, "", "within:\nCopyfrm.Form_Load"},
        {{"copy-company", data + "/czxblank.mdb"}, "", "within:\nCopyfrm.Copy"},
        {{"report", "tax", "--output", nowhere + "/tax.txt"}, "", "within:\nCalcform.mnuTaxReport_Click"},
        {{"report", "book", "--output", nowhere + "/book.txt"}, "", "within:\nCalcform.mnuBookReport_Click"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front() + (c.companyChange == "read" ? " while read" : ""));
        fs::copy_file(builtDataFile("czxdprnd.mdb"), dir / "data" / "czxdprnd.mdb",
                      fs::copy_options::overwrite_existing);
        Connection other = company();
        const bool read = c.companyChange == "read";
        if (!read && !c.companyChange.empty()) other.execute(c.companyChange);
        // Read before the read transaction: closing a file drops the
        // process's locks on it.
        const std::string before = companyBytes();
        std::optional<Statement> reading;
        if (read) {
            other.execute("BEGIN");
            reading.emplace(other, "SELECT count(*) FROM assets");
            ASSERT_TRUE(reading->step());
        }

        Outcome outcome = run(c.arguments);

        if (read) {
            reading.reset();
            other.execute("COMMIT");
        }
        EXPECT_EQ(outcome.status, 1) << outcome.out << outcome.err;
        EXPECT_NE(outcome.err.find(c.reported + "\n"), std::string::npos) << outcome.err;
        if (read) {
            EXPECT_NE(outcome.err.find("database is locked"), std::string::npos);
        }
        EXPECT_EQ(outcome.err.find("czxdprn-cli."), std::string::npos) << outcome.err;
        for (const char* done :
             {"Tax pass computed", "Closed", "Deleted", "Saved", "Copied", "Wrote the report"})
            EXPECT_EQ(outcome.out.find(done), std::string::npos) << outcome.out;
        EXPECT_TRUE(companyBytes() == before) << "the company file changed";
    }
}

// A report that cannot be written whole (here: the file may not grow past
// 2,048 bytes, as on a full disk) leaves the previous report as it was, and
// nothing beside it.
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

// The register goes out and comes back in: a file with a wrong row imports
// nothing and says why on standard error; the dry run writes nothing.
TEST_F(CliTest, ExportAndImportTheRegister) {
    const auto file = dir / "register.csv";
    Outcome exported = run({"export", file.string()});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "Exported 30 assets to " + file.string() + ".\n");
    EXPECT_EQ(readFile(file).rfind("companynumber,groupname,Asset Description,", 0), 0u);

    const auto bad = dir / "bad.csv";
    std::ofstream(bad) << "Asset Description,Date Placed in Service,Dprn Method - Tax,"
                          "Dprn Life - Tax,Asset Cost - Tax,groupname\n"
                          "Drill,2012-02-30,MACRS,7,500,Tools\n";
    const std::string before = companyBytes();
    Outcome refused = run({"import", bad.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "line 2, column Date Placed in Service: \"2012-02-30\" is not a date (YYYY-MM-DD "
              "or M/D/YYYY)\n"
              "line 2, column groupname: no group is named \"Tools\"\n"
              "Nothing was imported. (--create-groups creates the groups the list lacks.)\n");
    Outcome dry = run({"import", file.string(), "--dry-run"});
    EXPECT_EQ(dry.out, "Checked 30 assets: they can be imported, nothing was written.\n");
    EXPECT_TRUE(companyBytes() == before) << "the company file changed";

    Outcome imported = run({"import", file.string()});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "Imported 30 assets.\n");
    EXPECT_EQ(total("1"), 60);
}

}  // namespace
}  // namespace czx
