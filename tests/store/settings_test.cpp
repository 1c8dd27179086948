#include "store/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/testing.h"

namespace czx {
namespace {

TEST(Settings, KeysSurviveAReopen) {
    testing::TempDir dir;
    {
        Settings s(dir / "conf" / "CZXDprn.conf");
        EXPECT_EQ(s.get(setting::kUpdateScreenHeight), "");
        s.set(setting::kUpdateScreenHeight, "8000");
        s.set(setting::kNewpath, "/srv/company a/");
    }
    Settings again(dir / "conf" / "CZXDprn.conf");
    EXPECT_EQ(again.get(setting::kUpdateScreenHeight), "8000");
    EXPECT_EQ(again.get(setting::kNewpath), "/srv/company a/");
    EXPECT_FALSE(again.has(setting::kShowSplash));
}

TEST(Settings, FirstStartSetsUpThePerUserDataFolder) {
    testing::TempDir dir;
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    Settings s(dir / "CZXDprn.conf");
    std::string path = prepareDataDirectory(s);
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(path, (dir / "data" / "CZXDprn").string() + "/");
    EXPECT_EQ(s.get(setting::kNewpath), path);
    EXPECT_EQ(s.get(setting::kShowSplash), "True");
    for (const char* name : {kCompanyFile, kCatalogueFile, kTemplateFile})
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(path) / name)) << name;
}

TEST(Settings, AChosenDataDirectoryIsKept) {
    testing::TempDir dir;
    Settings s(dir / "CZXDprn.conf");
    s.set(setting::kNewpath, (dir / "elsewhere").string());
    EXPECT_EQ(prepareDataDirectory(s), (dir / "elsewhere").string() + "/");
    EXPECT_FALSE(s.has(setting::kShowSplash));
}

// A folder holding the shipped company file (the one file the lookup checks).
void placeShippedFiles(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(testing::builtDataFile(kCompanyFile), folder / kCompanyFile);
}

TEST(Settings, ShippedFilesAreFoundInTheBuildTree) {
    testing::TempDir dir;
    placeShippedFiles(dir / "build" / "data");
    EXPECT_EQ(shippedDataDirectory(dir / "build" / "cli"), dir / "build" / "data");
}

TEST(Settings, ShippedFilesAreFoundUnderTheInstalledPrefixWhereverItIs) {
    for (const char* prefix : {"usr", "opt/moved/elsewhere", "home/user/.local"}) {
        testing::TempDir dir;
        const auto root = dir / prefix;
        placeShippedFiles(root / "share" / "czxdprn");
        std::filesystem::create_directories(root / "bin");
        EXPECT_EQ(shippedDataDirectory(root / "bin"), root / "share" / "czxdprn") << prefix;
    }
}

TEST(Settings, TheBuildTreeComesBeforeAnInstalledCopy) {
    testing::TempDir dir;
    placeShippedFiles(dir / "data");
    placeShippedFiles(dir / "share" / "czxdprn");
    EXPECT_EQ(shippedDataDirectory(dir / "bin"), dir / "data");
}

TEST(Settings, WithoutShippedFilesNearbyTheBuiltForPrefixIsUsed) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir / "share" / "czxdprn");
    EXPECT_EQ(shippedDataDirectory(dir / "bin"), std::filesystem::path(CZX_SHARE_DIR));
}

}  // namespace
}  // namespace czx
