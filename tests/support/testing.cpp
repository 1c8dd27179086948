#include "tests/support/testing.h"

#include <fstream>
#include <random>
#include <sstream>

namespace czx::testing {

RecordingReporter::RecordingReporter() { trail::setReporter(this); }
RecordingReporter::~RecordingReporter() { trail::setReporter(nullptr); }

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

}  // namespace czx::testing
