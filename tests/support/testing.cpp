#include "tests/support/testing.h"

#include <algorithm>
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

Connection createCompany(const std::filesystem::path& file, const std::string& yearEnd,
                         bool regularFederal, bool book) {
    Connection connection = Connection::create(file);
    connection.execute(sourceFile("data/schema.sql"));
    connection.execute(
        "INSERT INTO Defaults (companynumber, Name, YearEnd, [Regular federal], Book, "
        "[Mid Qrt YR Tax]) VALUES (1, 'Test Company', ?, ?, ?, 0)",
        {Value(yearEnd), Value(std::int64_t{regularFederal}), Value(std::int64_t{book})});
    return connection;
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

std::vector<std::string> folderListing(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace czx::testing
