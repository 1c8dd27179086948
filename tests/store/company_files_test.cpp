// Save Company To Disk, Copy Company From Disk (all three file layouts) and
// Delete All Assets.
#include "store/company_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "store/assets.h"
#include "store/columns.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

namespace fs = std::filesystem;
using testing::builtDataFile;
using testing::companySnapshot;
using testing::makeCompanyFile;
using testing::Rows;
using testing::sourceFile;
using testing::tableRows;
using testing::TempDir;

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Removes every line of `sql` that contains `needle`.
void dropLines(std::string& sql, const std::string& needle) {
    std::istringstream in(sql);
    std::string line, kept;
    while (std::getline(in, line))
        if (line.find(needle) == std::string::npos) kept += line + "\n";
    sql = kept;
}

// Removes the statement that starts with `start`, up to its closing ");".
void dropStatement(std::string& sql, const std::string& start) {
    auto begin = sql.find(start);
    ASSERT_NE(begin, std::string::npos) << start;
    auto end = sql.find(");", begin);
    sql.erase(begin, end + 2 - begin);
}

// The schema of a company file written by an earlier version: today's
// schema without the columns that layout did not have, without `Version`
// for the oldest layout, and without `groups` when asked.
std::string olderSchema(FileLayout layout, bool withGroups) {
    std::string sql = sourceFile("data/schema.sql");
    if (layout != FileLayout::Current) dropLines(sql, "[Truck & Van Bonus - Tax]");
    if (layout == FileLayout::Oldest) {
        dropLines(sql, "[FirstYR30%Deduction]");
        dropLines(sql, "[Post30%DeductionBasis]");
        dropStatement(sql, "CREATE TABLE Version");
        dropLines(sql, "INSERT INTO Version");
    }
    if (!withGroups) dropStatement(sql, "CREATE TABLE groups");
    // Dropping the last column of a table leaves a comma before ");".
    return std::regex_replace(sql, std::regex(",\\s*\\n\\);"), "\n);");
}

// A company file of `layout` holding "Old Shop" and three assets; the
// newer columns are filled wherever the layout has them.
fs::path makeSourceFile(const fs::path& file, FileLayout layout, bool withGroups = true,
                        const std::vector<std::string>& groups = {"Buildings", "Vehicles"}) {
    Connection db = Connection::create(file);
    db.execute("PRAGMA synchronous = OFF");
    db.execute(olderSchema(layout, withGroups));
    db.execute(
        "INSERT INTO Defaults (companynumber, Name, YearEnd, [Regular federal], Book) "
        "VALUES (1, 'Old Shop', '2004-12-31', 1, 0)");
    if (withGroups)
        for (const auto& g : groups) db.execute("INSERT INTO groups VALUES (?)", {Value(g)});
    const bool bonusColumns = layout != FileLayout::Oldest;
    const bool truckColumn = layout == FileLayout::Current;
    const char* descriptions[] = {"Shop building", "Delivery truck", "Drill press"};
    for (int i = 0; i < 3; ++i) {
        std::string columns =
            "companynumber, groupname, [Asset Description], [Date Placed in Service], YRPIS, "
            "[Dprn Method - Tax], [Dprn Life - Tax], [Asset Cost - Tax], "
            "[Prior Accumulated Dprn - Tax], [Current Dprn - Tax], [Salvage Value - Tax], "
            "assetchng";
        std::string values =
            "1, 'Vehicles', ?, '2003-03-15', '2003-12-31', 'MACRS', '5', "
            "20000, 5000, 1250.5, 700, 0";
        if (bonusColumns) {
            columns += ", [FirstYR30%Deduction], [Post30%DeductionBasis]";
            values += ", 6000, 14000";
        }
        if (truckColumn) {
            columns += ", [Truck & Van Bonus - Tax]";
            values += ", 1";
        }
        db.execute("INSERT INTO assets (" + columns + ") VALUES (" + values + ")",
                   {Value(std::string(descriptions[i]))});
    }
    return file;
}

std::vector<std::string> groupNames(Connection& db) {
    std::vector<std::string> names;
    Statement query(db, "SELECT groupname FROM groups ORDER BY rowid");
    while (query.step()) names.push_back(query.columnText(0));
    return names;
}

std::vector<Asset> assetsOf(Connection& db) {
    std::vector<Asset> all;
    Statement keys(db, "SELECT rowid FROM assets ORDER BY rowid");
    std::vector<std::int64_t> rows;
    while (keys.step()) rows.push_back(keys.columnInt(0));
    for (auto row : rows) all.push_back(readAsset(db, row));
    return all;
}

int attachedFiles(Connection& db) {
    Statement query(db, "SELECT count(*) FROM pragma_database_list");
    query.step();
    return static_cast<int>(query.columnInt(0));
}

// A company database holding "Current Co" with two assets of its own, one
// asset of company 2, and two groups.
Connection makeTargetCompany(const fs::path& file) {
    Connection db = makeCompanyFile(file, "Current Co", "2012-12-31");
    for (const char* d : {"Current lathe", "Current mill"}) {
        Asset a;
        a.description = d;
        a.costTax = 1000.0;
        insertAsset(db, a);
    }
    Asset other;
    other.companyNumber = 2;
    other.description = "Company two's asset";
    insertAsset(db, other);
    db.execute("INSERT INTO groups VALUES ('Buildings'), ('Computers')");
    return db;
}

// ---- column lists ----------------------------------------------------------

TEST(AssetColumnList, CurrentLayoutListsAll36ColumnsInCopyOrder) {
    const std::string current =
        "[companynumber],[groupname],[Asset Description],[Date Placed in Service],"
        "[Date Disposed],[Dprn Method - Tax],[MidQrtAsset],[Dprn Life - Tax],"
        "[Dprn Method - Book],[Dprn Life - Book],[Asset Cost - Tax],[Asset Cost - Book],"
        "[SecOneSevenNine],[FirstYR30%Deduction],[PostSecBasis],[Post30%DeductionBasis],"
        "[Prior Accumulated Dprn - Tax],[Current Dprn - Tax],[Prior Accumulated Dprn - Book],"
        "[Current Dprn - Book],[YRPIS],[Business Use Percentage - Tax],"
        "[Business Use Percentage - Book],[Non Bus Dprn],[Prior Non Bus Accm Dprn],"
        "[Listed Property],[Passenger Automobile],[Line24eBasis],[Book Dprn Override],"
        "[Tax Dprn Override],[ITC Basis Adjustment],[Salvage Value - Book],"
        "[Cost Less ITC Adj],[assetchng],[Salvage Value - Tax],[Truck & Van Bonus - Tax]";
    EXPECT_EQ(assetColumnList(FileLayout::Current), current);

    std::string middle = current;
    middle.erase(middle.find(",[Truck & Van Bonus - Tax]"));
    EXPECT_EQ(assetColumnList(FileLayout::Middle), middle);

    std::string oldest = middle;
    for (std::string gone : {"[FirstYR30%Deduction],", "[Post30%DeductionBasis],"})
        oldest.erase(oldest.find(gone), gone.size());
    EXPECT_EQ(assetColumnList(FileLayout::Oldest), oldest);
}

// ---- copy company from disk ------------------------------------------------

TEST(CopyCompany, RecognisesAndCopiesEachLayout) {
    const struct {
        FileLayout layout;
        Money bonus;
        Money post30Basis;
        bool truck;
    } cases[] = {
        {FileLayout::Oldest, std::nullopt, std::nullopt, false},
        {FileLayout::Middle, 6000.0, 14000.0, false},
        {FileLayout::Current, 6000.0, 14000.0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(layoutName(c.layout));
        TempDir dir;
        auto source = makeSourceFile(dir / "source.mdb", c.layout);
        Connection db = makeTargetCompany(dir / "czxdprnd.mdb");

        CompanyFileInfo info = inspectCompanyFile(source);
        EXPECT_EQ(info.layout, c.layout);
        EXPECT_TRUE(info.hasGroups);
        EXPECT_EQ(info.name, "Old Shop");
        EXPECT_EQ(info.yearEnd, parseIsoDate("2004-12-31"));

        CopyResult result = copyCompanyFromDisk(db, source);
        EXPECT_EQ(result.layout, c.layout);
        EXPECT_EQ(result.assets, 3);

        Company company = readCompany(db);
        EXPECT_EQ(company.name, "Old Shop");
        EXPECT_EQ(company.yearEnd, parseIsoDate("2004-12-31"));
        EXPECT_TRUE(company.regularFederal);
        EXPECT_FALSE(company.book);

        std::vector<Asset> assets = assetsOf(db);
        ASSERT_EQ(assets.size(), 4u);  // company 2's asset stays
        EXPECT_EQ(assets[0].companyNumber, 2);
        for (size_t i = 1; i < assets.size(); ++i) {
            const Asset& a = assets[i];
            EXPECT_EQ(a.companyNumber, 1);
            EXPECT_EQ(a.groupName, "Vehicles");
            EXPECT_EQ(a.placedInService, parseIsoDate("2003-03-15"));
            EXPECT_EQ(a.yrpis, parseIsoDate("2003-12-31"));
            EXPECT_EQ(a.methodTax, "MACRS");
            EXPECT_EQ(a.lifeTax, "5");
            EXPECT_EQ(a.costTax, Money(20000.0));
            EXPECT_EQ(a.priorAccumTax, Money(5000.0));
            EXPECT_EQ(a.currentTax, Money(1250.5));
            EXPECT_EQ(a.salvageTax, Money(700.0));
            EXPECT_EQ(a.bonus, c.bonus);
            EXPECT_EQ(a.post30Basis, c.post30Basis);
            EXPECT_EQ(a.truckVanBonus, c.truck);
        }
        EXPECT_EQ(assets[1].description, "Shop building");
        EXPECT_EQ(assets[3].description, "Drill press");
        EXPECT_EQ(attachedFiles(db), 1);
    }
}

TEST(CopyCompany, AppendsTheSourceGroupsToTheExistingOnes) {
    TempDir dir;
    auto source =
        makeSourceFile(dir / "source.mdb", FileLayout::Current, true, {"Computers", "Vehicles"});
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");

    CopyResult result = copyCompanyFromDisk(db, source);

    EXPECT_TRUE(result.groupsCopied);
    EXPECT_EQ(result.groups, 2);
    EXPECT_EQ(groupNames(db),
              (std::vector<std::string>{"Buildings", "Computers", "Computers", "Vehicles"}));
}

TEST(CopyCompany, FileWithoutGroupsLeavesTheGroupListAlone) {
    for (FileLayout layout : {FileLayout::Oldest, FileLayout::Current}) {
        SCOPED_TRACE(layoutName(layout));
        TempDir dir;
        auto source = makeSourceFile(dir / "source.mdb", layout, false);
        Connection db = makeTargetCompany(dir / "czxdprnd.mdb");

        EXPECT_FALSE(inspectCompanyFile(source).hasGroups);
        CopyResult result = copyCompanyFromDisk(db, source);

        EXPECT_FALSE(result.groupsCopied);
        EXPECT_EQ(result.assets, 3);
        EXPECT_EQ(groupNames(db), (std::vector<std::string>{"Buildings", "Computers"}));
    }
}

// The copy deletes company 1 before it inserts; a failure at any later step
// must give the company back exactly as it was.
TEST(CopyCompany, FailureHalfWayLeavesTheCompanyDatabaseUnchanged) {
    const struct {
        const char* name;
        const char* companyTrigger;  // run on the company database
        const char* sourceChange;    // run on the source file
    } failures[] = {
        {"an asset row is refused",
         "CREATE TRIGGER refuse BEFORE INSERT ON assets "
         "WHEN new.[Asset Description] = 'Drill press' "
         "BEGIN SELECT RAISE(ABORT, 'disk full'); END",
         nullptr},
        {"the groups cannot be read", nullptr,
         "DROP TABLE groups; CREATE TABLE groups (name TEXT); INSERT INTO groups VALUES ('x')"},
        {"the source assets lack a column of their layout", nullptr,
         "ALTER TABLE assets DROP COLUMN [Salvage Value - Tax]"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        TempDir dir;
        auto source = makeSourceFile(dir / "source.mdb", FileLayout::Current);
        if (failure.sourceChange) Connection::open(source).execute(failure.sourceChange);
        Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
        if (failure.companyTrigger) db.execute(failure.companyTrigger);
        auto before = companySnapshot(db);

        EXPECT_THROW(copyCompanyFromDisk(db, source), Error);

        EXPECT_EQ(companySnapshot(db), before);
        EXPECT_EQ(readCompany(db).name, "Current Co");
        EXPECT_FALSE(db.inTransaction());
        EXPECT_EQ(attachedFiles(db), 1);
    }
}

TEST(CopyCompany, RefusesFilesThatAreNoCompanyAndChangesNothing) {
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    auto before = companySnapshot(db);
    {
        std::ofstream text(dir / "notes.mdb");
        text << "this is not a database\n";
    }
    Connection::create(dir / "empty.mdb").execute("CREATE TABLE other (x)");

    for (const char* name : {"missing.mdb", "notes.mdb", "empty.mdb", "czxdprnd.mdb"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(copyCompanyFromDisk(db, dir / name), Error);
        EXPECT_EQ(companySnapshot(db), before);
    }
    EXPECT_FALSE(fs::exists(dir / "missing.mdb"));
}

// The company is replaced by the file's one company; a file with none (the
// blank template) or several is refused before anything is deleted.
TEST(CopyCompany, RefusesAFileWithoutExactlyOneCompany) {
    const struct {
        const char* name;
        const char* change;  // run on the source file
        const char* message;
    } cases[] = {
        {"no company", "DELETE FROM Defaults", "holds no company."},
        {"two companies",
         "INSERT INTO Defaults (companynumber, Name, YearEnd) VALUES (2, 'Second', '2004-12-31')",
         "holds 2 companies; a company file holds one."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        auto source = makeSourceFile(dir / "source.mdb", FileLayout::Current);
        Connection::open(source).execute(c.change);
        Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
        auto before = companySnapshot(db);

        try {
            copyCompanyFromDisk(db, source);
            FAIL() << "copied";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "The file " + source.string() + " " + c.message);
        }

        EXPECT_EQ(companySnapshot(db), before);
        EXPECT_EQ(attachedFiles(db), 1);
    }
}

TEST(CopyCompany, RefusesTheBlankTemplate) {
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    auto before = companySnapshot(db);
    try {
        copyCompanyFromDisk(db, builtDataFile("czxblank.mdb"));
        FAIL() << "copied";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("holds no company."), std::string::npos) << e.what();
    }
    EXPECT_EQ(companySnapshot(db), before);
}

// Older layouts did not declare the yes/no columns NOT NULL, and files
// written by them hold empty ones: those mean No.
TEST(CopyCompany, ReadsEmptyYesNoColumnsOfOlderFilesAsNo) {
    for (FileLayout layout : {FileLayout::Oldest, FileLayout::Middle, FileLayout::Current}) {
        SCOPED_TRACE(layoutName(layout));
        TempDir dir;
        const auto source = dir / "source.mdb";
        {
            Connection old = Connection::create(source);
            old.execute(std::regex_replace(olderSchema(layout, true),
                                           std::regex(" NOT NULL DEFAULT 0"), ""));
            old.execute(
                "INSERT INTO Defaults (companynumber, Name, YearEnd, [Regular federal], Book, "
                "[Mid Qrt YR Tax]) VALUES (1, 'Old Shop', '2004-12-31', NULL, NULL, NULL)");
            std::string columns =
                "companynumber, [Asset Description], [Listed Property], "
                "[Passenger Automobile], [Book Dprn Override], "
                "[Tax Dprn Override], assetchng";
            std::string values = "1, 'Pickup', NULL, NULL, NULL, NULL, NULL";
            if (layout == FileLayout::Current) {
                columns += ", [Truck & Van Bonus - Tax]";
                values += ", NULL";
            }
            old.execute("INSERT INTO assets (" + columns + ") VALUES (" + values + ")");
        }
        Connection db = makeTargetCompany(dir / "czxdprnd.mdb");

        EXPECT_EQ(copyCompanyFromDisk(db, source).assets, 1);

        Company company = readCompany(db);
        EXPECT_EQ(company.name, "Old Shop");
        EXPECT_FALSE(company.regularFederal);
        EXPECT_FALSE(company.book);
        EXPECT_FALSE(company.midQrtYRTax);
        std::vector<Asset> assets = assetsOf(db);
        ASSERT_EQ(assets.size(), 2u);
        const Asset& a = assets[1];
        EXPECT_EQ(a.description, "Pickup");
        EXPECT_FALSE(a.listedProperty);
        EXPECT_FALSE(a.passengerAuto);
        EXPECT_FALSE(a.bookOverride);
        EXPECT_FALSE(a.taxOverride);
        EXPECT_FALSE(a.assetChanged);
        EXPECT_FALSE(a.truckVanBonus);
    }
}

// ---- save company to disk --------------------------------------------------

TEST(SaveCompany, WritesTheCompanyIntoACopyOfTheTemplate) {
    TempDir dir;
    const std::string name = "O'Brien's Tool & Die";
    Connection db = makeCompanyFile(dir / "czxdprnd.mdb", name, "2012-12-31");
    for (const char* d : {"Press", "Lathe", "Truck"}) {
        Asset a;
        a.description = d;
        a.groupName = "Shop";
        a.costTax = 1234.5;
        a.bonus = 100.0;
        a.truckVanBonus = true;
        a.placedInService = parseIsoDate("2011-04-01");
        insertAsset(db, a);
    }
    Asset other;
    other.companyNumber = 2;
    other.description = "Not this company's";
    insertAsset(db, other);
    db.execute("INSERT INTO groups VALUES ('Shop')");
    const auto target = dir / "saved.mdb";

    EXPECT_EQ(saveCompanyToDisk(db, name, builtDataFile("czxblank.mdb"), target), 3);

    CompanyFileInfo info = inspectCompanyFile(target);
    EXPECT_EQ(info.layout, FileLayout::Current);
    EXPECT_EQ(info.name, name);
    EXPECT_EQ(info.yearEnd, parseIsoDate("2012-12-31"));
    Connection saved = Connection::open(target);
    EXPECT_EQ(tableRows(saved, "Defaults"), tableRows(db, "Defaults"));
    std::vector<Asset> assets = assetsOf(saved);
    ASSERT_EQ(assets.size(), 3u);
    EXPECT_EQ(assets[0].description, "Press");
    EXPECT_EQ(assets[2].description, "Truck");
    EXPECT_EQ(assets[1].costTax, Money(1234.5));
    EXPECT_EQ(assets[1].bonus, Money(100.0));
    EXPECT_TRUE(assets[1].truckVanBonus);
    EXPECT_TRUE(groupNames(saved).empty());  // the template's groups
    EXPECT_EQ(testing::folderListing(dir.path()), (std::vector<std::string>{"czxdprnd.mdb", "saved.mdb"}));
}

TEST(SaveCompany, SavedFileCopiesBackUnchanged) {
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    auto before = assetsOf(db);
    saveCompanyToDisk(db, "Current Co", builtDataFile("czxblank.mdb"), dir / "saved.mdb");

    Connection other = makeCompanyFile(dir / "other.mdb", "Someone Else");
    copyCompanyFromDisk(other, dir / "saved.mdb");

    auto after = assetsOf(other);
    ASSERT_EQ(after.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(after[i].description, before[i].description);
        EXPECT_EQ(after[i].costTax, before[i].costTax);
    }
    EXPECT_EQ(readCompany(other).name, "Current Co");
}

TEST(SaveCompany, ReplacesAnExistingFile) {
    TempDir dir;
    const auto target = dir / "saved.mdb";
    {
        auto old = makeSourceFile(target, FileLayout::Current);
        (void)old;
    }
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");

    EXPECT_EQ(saveCompanyToDisk(db, "Current Co", builtDataFile("czxblank.mdb"), target), 2);

    Connection saved = Connection::open(target);
    EXPECT_EQ(readCompany(saved).name, "Current Co");
    EXPECT_EQ(tableRows(saved, "Defaults").size(), 1u);
    std::vector<Asset> assets = assetsOf(saved);
    ASSERT_EQ(assets.size(), 2u);
    EXPECT_EQ(assets[0].description, "Current lathe");
    EXPECT_TRUE(groupNames(saved).empty());
}

TEST(SaveCompany, TargetFolderThatCannotBeWrittenLeavesNothingBehind) {
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    {
        std::ofstream blocker(dir / "reports");
        blocker << "a file where the folder should be\n";
    }
    const auto listing = testing::folderListing(dir.path());

    EXPECT_THROW(saveCompanyToDisk(db, "Current Co", builtDataFile("czxblank.mdb"),
                                   dir / "reports" / "saved.mdb"),
                 Error);

    EXPECT_EQ(testing::folderListing(dir.path()), listing);
    EXPECT_EQ(fileBytes(dir / "reports"), "a file where the folder should be\n");
}

// A failure after the template is copied (here: a template without an
// asset table) must leave the file being replaced exactly as it was and no
// temporary file beside it.
TEST(SaveCompany, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    const auto target = dir / "saved.mdb";
    makeSourceFile(target, FileLayout::Middle);
    const auto oldBytes = fileBytes(target);
    const auto brokenTemplate = dir / "broken.mdb";
    {
        std::string sql = sourceFile("data/schema.sql");
        dropStatement(sql, "CREATE TABLE assets");
        dropLines(sql, "CREATE INDEX");
        Connection::create(brokenTemplate).execute(sql);
    }
    const auto listing = testing::folderListing(dir.path());

    EXPECT_THROW(saveCompanyToDisk(db, "Current Co", brokenTemplate, target), Error);

    EXPECT_EQ(fileBytes(target), oldBytes);
    EXPECT_EQ(testing::folderListing(dir.path()), listing);
    EXPECT_EQ(attachedFiles(db), 1);
    EXPECT_FALSE(db.inTransaction());
}

TEST(SaveCompany, UnknownCompanyNameWritesNothing) {
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    // Quoted into SQL text, this name would have matched every row.
    EXPECT_THROW(
        saveCompanyToDisk(db, "x' OR '1'='1", builtDataFile("czxblank.mdb"), dir / "saved.mdb"),
        Error);
    EXPECT_FALSE(fs::exists(dir / "saved.mdb"));
}

// Every file and folder under `root`: its kind, and a regular file's bytes.
std::map<std::string, std::string> treeSnapshot(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const auto name = fs::relative(entry.path(), root).string();
        const auto kind = entry.symlink_status().type();
        if (kind == fs::file_type::regular)
            tree[name] = "file:" + fileBytes(entry.path());
        else if (kind == fs::file_type::symlink)
            tree[name] = "link:" + fs::read_symlink(entry.path()).string();
        else
            tree[name] = "kind " + std::to_string(static_cast<int>(kind));
    }
    return tree;
}

// A save replaces its target whole. Targets the program lives on are
// refused under any name, and so is anything that is not a regular file;
// nothing is written, and nothing is left behind.
TEST(SaveCompany, RefusesTargetsThatWouldDestroyData) {
    const struct {
        const char* target;        // relative to the test folder
        const char* templateFile;  // relative to the test folder
        const char* refusal;
    } cases[] = {
        {"data/czxdprnd.mdb", "data/czxblank.mdb", "is the open company's own file"},
        {"data/reports/../czxdprnd.mdb", "data/czxblank.mdb", "is the open company's own file"},
        {"link.mdb", "data/czxblank.mdb", "is the open company's own file"},
        {"hard.mdb", "data/czxblank.mdb", "is the open company's own file"},
        {"data/czxblank.mdb", "data/czxblank.mdb", "is the blank template"},
        {"data/czxblank.mdb", "shipped/czxblank.mdb", "is the blank template"},
        {"data/czxdmthd.mdb", "data/czxblank.mdb", "is the program's method catalogue"},
        {"shipped/czxdmthd.mdb", "shipped/czxblank.mdb", "is the program's method catalogue"},
        {"shipped/czxdprnd.mdb", "shipped/czxblank.mdb", "is the program's company database"},
        {"folder.mdb", "data/czxblank.mdb", "is not a regular file"},
        {"pipe.mdb", "data/czxblank.mdb", "is not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        TempDir dir;
        fs::create_directories(dir / "data" / "reports");
        fs::create_directories(dir / "shipped");
        fs::create_directories(dir / "folder.mdb");
        ASSERT_EQ(::mkfifo((dir / "pipe.mdb").c_str(), 0600), 0);
        for (const char* name : {"czxdmthd.mdb", "czxblank.mdb", "czxdprnd.mdb"})
            fs::copy_file(builtDataFile(name), dir / "shipped" / name);
        for (const char* name : {"czxdmthd.mdb", "czxblank.mdb"})
            fs::copy_file(builtDataFile(name), dir / "data" / name);
        Connection db = makeTargetCompany(dir / "data" / "czxdprnd.mdb");
        fs::create_symlink(dir / "data" / "czxdprnd.mdb", dir / "link.mdb");
        fs::create_hard_link(dir / "data" / "czxdprnd.mdb", dir / "hard.mdb");
        const auto before = treeSnapshot(dir.path());

        try {
            saveCompanyToDisk(db, "Current Co", dir / c.templateFile, dir / c.target);
            FAIL() << "saved";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find((dir / c.target).string() + " " + c.refusal),
                      std::string::npos)
                << e.what();
        }

        EXPECT_EQ(treeSnapshot(dir.path()), before);
        EXPECT_EQ(readCompany(db).name, "Current Co");
        EXPECT_EQ(groupNames(db), (std::vector<std::string>{"Buildings", "Computers"}));
        EXPECT_EQ(attachedFiles(db), 1);
    }
}

// A killed save leaves its temporary file (and its journal) beside the
// target; the next save to that name removes the ones nobody is writing.
TEST(SaveCompany, RemovesTemporaryFilesAKilledSaveLeft) {
    using namespace std::chrono_literals;
    const struct {
        const char* name;
        std::chrono::minutes age;
        bool removed;
    } files[] = {
        {".saved.mdb.3141592653.tmp", 120min, true},
        {".saved.mdb.3141592653.tmp-journal", 120min, true},
        {".saved.mdb.27.tmp", 2min, true},
        {".saved.mdb.1618033988.tmp", 0min, false},  // a save writing it now
        {".other.mdb.3141592653.tmp", 120min, false},
        {".saved.mdb.draft.tmp", 120min, false},
        {"saved.mdb.3141592653.tmp", 120min, false},
        {".saved.mdb.3141592653.tmp.bak", 120min, false},
    };
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    const auto now = fs::file_time_type::clock::now();
    for (const auto& f : files) {
        std::ofstream(dir / f.name) << "left behind\n";
        fs::last_write_time(dir / f.name, now - f.age);
    }

    EXPECT_EQ(saveCompanyToDisk(db, "Current Co", builtDataFile("czxblank.mdb"), dir / "saved.mdb"),
              2);

    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(fs::exists(dir / f.name), !f.removed);
    }
    EXPECT_TRUE(fs::exists(dir / "saved.mdb"));
}

// ---- delete all assets -----------------------------------------------------

TEST(DeleteAllAssets, EmptiesTheAssetTableOnly) {
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    auto defaults = tableRows(db, "Defaults");

    EXPECT_EQ(deleteAllAssets(db), 3);

    EXPECT_TRUE(tableRows(db, "assets").empty());
    EXPECT_EQ(tableRows(db, "Defaults"), defaults);
    EXPECT_EQ(groupNames(db), (std::vector<std::string>{"Buildings", "Computers"}));
}

}  // namespace
}  // namespace czx
