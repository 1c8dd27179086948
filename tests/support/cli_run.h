#pragma once
// czxdprn-cli run end to end from a test, on copies of the built company
// files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/testing.h"

namespace czx::testing {

// What a run of the tool left: its exit status (-1 when it did not exit)
// and what it wrote to its standard output and error.
struct CliOutcome {
    int status = -1;
    std::string out, err;
};

// A test on copies of czxdprnd.mdb and czxblank.mdb in data(), the folder
// the tool is run on.
class CliCompany : public ::testing::Test {
  protected:
    void SetUp() override;

    // Runs the tool, each argument passed as it is; `limits` are shell
    // commands run before it (ulimit ...).
    CliOutcome run(const std::vector<std::string>& arguments, const std::string& limits = "");

    std::filesystem::path data() const { return dir / "data"; }

    TempDir dir;
};

}  // namespace czx::testing
