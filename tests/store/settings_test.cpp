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
        s.set(setting::kInstructionsCopy, "/home/ann/Downloads/i4562 (2012).pdf");
    }
    Settings again(dir / "conf" / "CZXDprn.conf");
    EXPECT_EQ(again.get(setting::kUpdateScreenHeight), "8000");
    EXPECT_EQ(again.get(setting::kNewpath), "/srv/company a/");
    EXPECT_EQ(again.get(setting::kInstructionsCopy), "/home/ann/Downloads/i4562 (2012).pdf");
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

// Where the shipped files are looked for, from the folder of the program:
// the build tree first, then the installed prefix wherever it was moved,
// else the prefix the program was built for.
TEST(Settings, ShippedFilesAreFoundNearTheProgram) {
    const struct {
        const char* program;
        std::vector<const char*> shippedIn;  // folders holding the company file
        const char* found;                   // null: the built-for prefix
    } cases[] = {
        {"build/cli", {"build/data"}, "build/data"},
        {"usr/bin", {"usr/share/czxdprn"}, "usr/share/czxdprn"},
        {"opt/moved/elsewhere/bin",
         {"opt/moved/elsewhere/share/czxdprn"},
         "opt/moved/elsewhere/share/czxdprn"},
        {"bin", {"data", "share/czxdprn"}, "data"},
        {"bin", {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        testing::TempDir dir;
        std::filesystem::create_directories(dir / c.program);
        std::filesystem::create_directories(dir / "share" / "czxdprn");
        for (const char* folder : c.shippedIn) {
            std::filesystem::create_directories(dir / folder);
            std::filesystem::copy_file(testing::builtDataFile(kCompanyFile),
                                       dir / folder / kCompanyFile);
        }
        EXPECT_EQ(shippedDataDirectory(dir / c.program),
                  c.found ? dir / c.found : std::filesystem::path(CZX_SHARE_DIR));
    }
}

}  // namespace
}  // namespace czx
