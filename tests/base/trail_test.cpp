#include "base/trail.h"

#include <gtest/gtest.h>

#include "tests/support/testing.h"

namespace czx {
namespace {

const std::string kDashes(134, '-');

TEST(ErrorTrail, ReportNamesTheLastThreeProceduresEntered) {
    trail::clear();
    trail::enter("frmMain.Form_Load");
    // The first procedure: no block of previous ones.
    EXPECT_EQ(trail::reportText(AppIdentity{"CZX Depreciation", 1, 2, 5}, "File not found", 53),
              "ERROR REPORT\r\n\r\nCZX Depreciation  Version 1.25\r\n" + kDashes +
                  "\r\n\r\nAn error occurred within:\r\nfrmMain.Form_Load\r\n\r\n"
                  "File not found (53)\r\n\r\n");
    for (const char* name : {"Calcform.DeprAssetsTax", "Calcform.ServiceCalc",
                             "Calcform.TaxDeprnMethSelector", "Calcform.CalcMACRS"})
        trail::enter(name);
    std::string text = trail::reportText(AppIdentity{"T", 1, 0, 0}, "Division by zero", 11);
    EXPECT_NE(text.find("An error occurred within:\r\nCalcform.CalcMACRS\r\n\r\n"
                        "Division by zero (11)\r\n\r\n"
                        "Previous sections called:\r\nCalcform.TaxDeprnMethSelector\r\n"
                        "Calcform.ServiceCalc\r\n\r\n" +
                        kDashes + "\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("DeprAssetsTax"), std::string::npos);
}

TEST(ErrorTrail, AFailureEndsThatProcedureOnlyAndTheCallerGoesOn) {
    testing::RecordingReporter reporter;
    trail::clear();
    std::vector<std::string> steps;
    bool outer = procedure("Calcform.DeprAssetsTax", [&] {
        steps.push_back("before");
        bool inner = procedure("Calcform.CalcSLBook", [&] {
            throw Error(errors::kDivisionByZero, "Division by zero");
            steps.push_back("never");
        });
        steps.push_back(inner ? "inner ok" : "inner failed");
    });
    EXPECT_TRUE(outer);
    EXPECT_EQ(steps, (std::vector<std::string>{"before", "inner failed"}));
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find("Calcform.CalcSLBook\r\n\r\nDivision by zero (11)"),
              std::string::npos);
    EXPECT_NE(reporter.reports[0].find("Previous sections called:\r\nCalcform.DeprAssetsTax"),
              std::string::npos);
}

TEST(ErrorTrail, AnyExceptionIsReportedWithANumber) {
    testing::RecordingReporter reporter;
    procedure("Module.Standard", [] { throw std::runtime_error("something broke"); });
    procedure("Module.Unknown", [] { throw 42; });
    ASSERT_EQ(reporter.reports.size(), 2u);
    EXPECT_NE(reporter.reports[0].find("something broke (51)"), std::string::npos);
    EXPECT_NE(reporter.reports[1].find("Unknown error (51)"), std::string::npos);
}

}  // namespace
}  // namespace czx
