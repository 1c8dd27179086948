#include "tests/support/testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace czx::testing {

RecordingReporter::RecordingReporter() {
    trail::setReporter(this);
}
RecordingReporter::~RecordingReporter() {
    trail::setReporter(nullptr);
}

TempDir::TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("czx-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string sourceFile(const std::string& relativePath) {
    std::ifstream in(std::string(CZX_SOURCE_DIR) + "/" + relativePath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path builtDataFile(const std::string& name) {
    return std::filesystem::path(CZX_DATA_BUILD_DIR) / name;
}

Asset makeAsset(const std::string& method, const std::string& life, double cost,
                const std::string& placed, const std::string& yrpis) {
    Asset a;
    a.description = method + " " + life;
    a.methodTax = method;
    a.lifeTax = life;
    a.methodBook = "SL - Book";
    a.lifeBook = life;
    a.costTax = cost;
    a.costBook = cost;
    a.sec179 = 0.0;
    a.bonus = 0.0;
    a.itcAdjustment = 0.0;
    a.salvageTax = 0.0;
    a.salvageBook = 0.0;
    a.priorAccumTax = 0.0;
    a.priorAccumBook = 0.0;
    a.currentTax = 0.0;
    a.currentBook = 0.0;
    a.busUseTax = 1.0;
    a.busUseBook = 1.0;
    a.placedInService = parseIsoDate(placed);
    a.yrpis = parseIsoDate(yrpis);
    a.assetChanged = true;
    return a;
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> folderListing(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace czx::testing

// ---- golden files ----------------------------------------------------------

namespace czx::testing {
namespace {

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    if (!text.empty() && text.back() != '\n') lines.back() += "  (no newline at end)";
    return lines;
}

// The first block of differing lines, in the style of a unified diff: two
// lines of context around it, "-" the golden file's lines, "+" the produced
// ones, matched by their longest common subsequence; at most 20 lines.
std::string firstDifference(const std::string& expected, const std::string& produced) {
    const auto want = textLines(expected), got = textLines(produced);
    size_t start = 0;
    while (start < want.size() && start < got.size() && want[start] == got[start]) ++start;
    if (start == want.size() && start == got.size()) return "";
    const size_t n = want.size() - start, m = got.size() - start;
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (size_t i = n; i-- > 0;)
        for (size_t j = m; j-- > 0;)
            common[i][j] = want[start + i] == got[start + j]
                               ? common[i + 1][j + 1] + 1
                               : std::max(common[i + 1][j], common[i][j + 1]);
    const size_t before = std::min<size_t>(start, 2);
    std::ostringstream diff;
    diff << "@@ line " << start + 1 << " @@\n";
    for (size_t i = start - before; i < start; ++i) diff << " " << want[i] << "\n";
    size_t i = 0, j = 0, shown = 0, after = 0;
    while ((i < n || j < m) && after < 2 && shown < 20) {
        if (i < n && j < m && want[start + i] == got[start + j]) {
            diff << " " << want[start + i++] << "\n";
            ++j;
            ++after;
        } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
            diff << "-" << want[start + i++] << "\n";
            after = 0;
        } else {
            diff << "+" << got[start + j++] << "\n";
            after = 0;
        }
        ++shown;
    }
    if (shown == 20) diff << "...\n";
    return diff.str();
}

}  // namespace

::testing::AssertionResult matchesGolden(const std::string& name, const std::string& produced) {
    const char* dir = std::getenv("CZX_GOLDEN_DIR");
    const std::filesystem::path file =
        std::filesystem::path(dir && *dir ? dir : std::string(CZX_SOURCE_DIR) + "/tests/golden") /
        name;
    const char* accept = std::getenv("CZX_GOLDEN_ACCEPT");
    if (accept && std::string(accept) == "1") {
        std::ofstream(file, std::ios::binary) << produced;
        return ::testing::AssertionSuccess();
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) return ::testing::AssertionFailure() << "no golden file " << file.string();
    std::stringstream expected;
    expected << in.rdbuf();
    const std::string difference = firstDifference(expected.str(), produced);
    if (difference.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the output differs from " << file.string() << " (review with scripts/golden):\n"
           << "--- " << name << " (golden)\n+++ " << name << " (produced)\n"
           << difference;
}

}  // namespace czx::testing
