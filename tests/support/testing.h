#pragma once
// Helpers shared by the tests: capturing feedback and error reports, and
// fresh company databases.
#include <filesystem>
#include <string>
#include <vector>

#include "base/dates.h"
#include "base/feedback.h"
#include "base/trail.h"
#include "store/database.h"
#include "store/records.h"

namespace czx::testing {

inline Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

// Collects the messages the engine reports.
class RecordingFeedback : public Feedback {
  public:
    void message(std::string_view text) override { messages.emplace_back(text); }
    void progress(int) override {}
    std::vector<std::string> messages;
};

// Collects error reports while alive; restores standard error on destruction.
class RecordingReporter : public ErrorReporter {
  public:
    RecordingReporter();
    ~RecordingReporter() override;
    void showErrorReport(const std::string& text) override { reports.push_back(text); }
    std::vector<std::string> reports;
};

// A fresh temporary directory, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// The text of a file of the source tree, for example "data/schema.sql".
std::string sourceFile(const std::string& relativePath);
// The path of a database file built into build/data ("czxdprnd.mdb" ...).
std::filesystem::path builtDataFile(const std::string& name);

// The whole of a file, byte for byte ("" when it cannot be read).
std::string readFile(const std::filesystem::path& file);

// The names of the entries of a folder, sorted.
std::vector<std::string> folderListing(const std::filesystem::path& folder);

// An asset of company 1 with both dates, flagged for the next run.
Asset makeAsset(const std::string& method, const std::string& life, double cost,
                const std::string& placed, const std::string& yrpis);

}  // namespace czx::testing

// ---- golden files ----------------------------------------------------------
// A golden file holds a whole expected output (a report, what the command-line
// tool prints) in tests/golden/<name>. `matchesGolden` compares the produced
// text with it and, on a difference, shows the first differing lines in the
// style of a unified diff. Two environment variables serve scripts/golden:
//   CZX_GOLDEN_DIR=DIR   read and write the golden files in DIR instead
//   CZX_GOLDEN_ACCEPT=1  write the produced text as the golden file and pass
namespace testing {
class AssertionResult;  // GoogleTest's
}  // namespace testing

namespace czx::testing {

::testing::AssertionResult matchesGolden(const std::string& name, const std::string& produced);

}  // namespace czx::testing
