// czxdprn-cli report 4562 on a copy of the sample company: refused before
// the run, the whole worksheet after it (a golden file), and the options
// that move lines 12 and 13.
#include <gtest/gtest.h>

#include "tests/support/cli_run.h"

namespace czx {
namespace {

using Report4562 = testing::CliCompany;

TEST_F(Report4562, RefusedBeforeTheRunThenWrittenLineByLine) {
    testing::CliOutcome refused = run({"report", "4562"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              "czxdprn-cli: 30 assets have changed since the last depreciation run. Depreciate "
              "first, then print the Form 4562 worksheet.\n");

    ASSERT_EQ(run({"depreciate"}).status, 0);
    testing::CliOutcome text = run({"report", "4562"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(testing::matchesGolden("cli-report-4562-sample-2012.txt", text.out));

    // The sample elects 112,800: line 12 is the smaller of 112,800 + 2,500
    // and 100,000; line 13 carries 115,300 - 100,000 = 15,300 forward.
    const auto csv = dir / "4562.csv";
    testing::CliOutcome limited = run({"report", "4562", "--carryover", "2,500", "--income-limit",
                                       "100000", "--format", "csv", "--output", csv.string()});
    EXPECT_EQ(limited.status, 0) << limited.err;
    const std::string rows = testing::readFile(csv);
    EXPECT_EQ(rows.substr(0, rows.find('\n')),
              "Line,Row,Description,Date Placed in Service,Business Use %,Cost,Basis for "
              "Depreciation,Recovery Period,Convention,Method,Deduction,Section 179 "
              "Elected,Amount");
    for (const char* row : {"\n12,Line,Section 179 expense deduction (the smaller of lines 9 + "
                            "10 and line 11),,,,,,,,,,100000.00\n",
                            "\n13,Line,Carryover of disallowed deduction to next year (lines 9 "
                            "+ 10 less line 12),,,,,,,,,,15300.00\n"})
        EXPECT_NE(rows.find(row), std::string::npos) << row;

    EXPECT_EQ(run({"report", "4562", "--carryover", "-5"}).status, 2);
}

}  // namespace
}  // namespace czx
