// Save Company To Disk, Copy Company From Disk (all three file layouts) and
// Delete All Assets.
#include "store/company_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <map>
#include <regex>

#include "store/assets.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

namespace fs = std::filesystem;
using testing::builtDataFile;
using testing::companySnapshot;
using testing::groupNames;
using testing::makeCompany;
using testing::makeCompanyFile;
using testing::readFile;
using testing::Rows;
using testing::sourceFile;
using testing::tableRows;
using testing::TempDir;

// A company file of `layout` as an earlier version wrote it, holding "Old
// Shop", three assets and, when asked, the groups Computers and Vehicles.
// The newer columns are filled wherever the layout has them. Earlier
// versions did not declare the yes/no columns NOT NULL: they are left empty,
// but for the truck bonus of the first two assets.
fs::path makeSourceFile(const fs::path& file, FileLayout layout, bool withGroups = true) {
    Connection db = Connection::create(file);
    db.execute("PRAGMA synchronous = OFF");
    db.execute(
        std::regex_replace(sourceFile("data/schema.sql"), std::regex(" NOT NULL DEFAULT 0"), ""));
    if (layout != FileLayout::Current)
        db.execute("ALTER TABLE assets DROP COLUMN [Truck & Van Bonus - Tax]");
    if (layout == FileLayout::Oldest)
        db.execute(
            "ALTER TABLE assets DROP COLUMN [FirstYR30%Deduction]; "
            "ALTER TABLE assets DROP COLUMN [Post30%DeductionBasis]; DROP TABLE Version");
    if (!withGroups) db.execute("DROP TABLE groups");
    db.execute(
        "INSERT INTO Defaults (companynumber, Name, YearEnd, [Regular federal]) "
        "VALUES (1, 'Old Shop', '2004-12-31', 1)");
    if (withGroups) db.execute("INSERT INTO groups VALUES ('Computers'), ('Vehicles')");
    std::string columns =
        "companynumber, groupname, [Asset Description], [Date Placed in Service], YRPIS, "
        "[Dprn Method - Tax], [Dprn Life - Tax], [Asset Cost - Tax], "
        "[Prior Accumulated Dprn - Tax], [Current Dprn - Tax], [Salvage Value - Tax]";
    std::string values =
        "1, 'Vehicles', ?, '2003-03-15', '2003-12-31', 'MACRS', '5', 20000, 5000, 1250.5, 700";
    if (layout != FileLayout::Oldest) {
        columns += ", [FirstYR30%Deduction], [Post30%DeductionBasis]";
        values += ", 6000, 14000";
    }
    if (layout == FileLayout::Current) {
        columns += ", [Truck & Van Bonus - Tax]";
        values += ", ?";
    }
    for (std::string description : {"Shop building", "Delivery truck", "Drill press"}) {
        std::vector<Value> bound{Value(description)};
        if (layout == FileLayout::Current)
            bound.push_back(description == "Drill press" ? Value{} : Value(std::int64_t{1}));
        db.execute("INSERT INTO assets (" + columns + ") VALUES (" + values + ")", bound);
    }
    return file;
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

// A company database, in `file` or else in memory, holding "Current Co"
// with two assets of its own, one asset of company 2, and two groups.
Connection makeTargetCompany(const fs::path& file = {}) {
    Connection db = file.empty() ? makeCompany("Current Co") : makeCompanyFile(file, "Current Co");
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

// Every file and folder under `root`: its kind, and a regular file's bytes.
std::map<std::string, std::string> treeSnapshot(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const auto name = fs::relative(entry.path(), root).string();
        const auto kind = entry.symlink_status().type();
        if (kind == fs::file_type::regular)
            tree[name] = "file:" + readFile(entry.path());
        else if (kind == fs::file_type::symlink)
            tree[name] = "link:" + fs::read_symlink(entry.path()).string();
        else
            tree[name] = "kind " + std::to_string(static_cast<int>(kind));
    }
    return tree;
}

// ---- copy company from disk ------------------------------------------------

// Each layout is recognised and copied, empty yes/no columns as No; the
// source's groups, when it has them, are appended to the group list, else
// the list is left alone.
TEST(CopyCompany, RecognisesAndCopiesEachLayout) {
    const struct {
        FileLayout layout;
        bool withGroups;
        Money bonus, post30Basis;
        bool truck;
    } cases[] = {
        {FileLayout::Oldest, true, std::nullopt, std::nullopt, false},
        {FileLayout::Oldest, false, std::nullopt, std::nullopt, false},
        {FileLayout::Middle, true, 6000.0, 14000.0, false},
        {FileLayout::Current, true, 6000.0, 14000.0, true},
        {FileLayout::Current, false, 6000.0, 14000.0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(layoutName(c.layout)) + (c.withGroups ? "" : ", no groups"));
        TempDir dir;
        auto source = makeSourceFile(dir / "source.mdb", c.layout, c.withGroups);
        Connection db = makeTargetCompany();

        CompanyFileInfo info = inspectCompanyFile(source);
        EXPECT_EQ(info.layout, c.layout);
        EXPECT_EQ(info.hasGroups, c.withGroups);
        EXPECT_EQ(info.name, "Old Shop");
        EXPECT_EQ(info.yearEnd, parseIsoDate("2004-12-31"));

        CopyResult result = copyCompanyFromDisk(db, source);
        EXPECT_EQ(result.layout, c.layout);
        EXPECT_EQ(result.assets, 3);
        EXPECT_EQ(result.groupsCopied, c.withGroups);
        EXPECT_EQ(result.groups, c.withGroups ? 2 : 0);
        std::vector<std::string> groups{"Buildings", "Computers"};
        if (c.withGroups) groups.insert(groups.end(), {"Computers", "Vehicles"});
        EXPECT_EQ(groupNames(db), groups);

        Company company = readCompany(db);
        EXPECT_EQ(company.name, "Old Shop");
        EXPECT_EQ(company.yearEnd, parseIsoDate("2004-12-31"));
        EXPECT_TRUE(company.regularFederal);
        EXPECT_FALSE(company.book);  // an empty yes/no column means No
        EXPECT_FALSE(company.midQrtYRTax);

        std::vector<Asset> assets = assetsOf(db);
        ASSERT_EQ(assets.size(), 4u);  // company 2's asset stays
        EXPECT_EQ(assets[0].companyNumber, 2);
        for (size_t i = 1; i < assets.size(); ++i) {
            const Asset& a = assets[i];
            EXPECT_EQ(a.companyNumber, 1);
            // The columns every layout has; the round trip of a save checks
            // every column of the current layout.
            EXPECT_EQ(a.groupName, "Vehicles");
            EXPECT_EQ(a.placedInService, parseIsoDate("2003-03-15"));
            EXPECT_EQ(a.currentTax, Money(1250.5));
            EXPECT_EQ(a.salvageTax, Money(700.0));
            EXPECT_EQ(a.bonus, c.bonus);
            EXPECT_EQ(a.post30Basis, c.post30Basis);
            EXPECT_EQ(a.truckVanBonus, c.truck && i < 3);
            for (bool yes :
                 {a.listedProperty, a.passengerAuto, a.bookOverride, a.taxOverride, a.assetChanged})
                EXPECT_FALSE(yes);
        }
        EXPECT_EQ(assets[1].description, "Shop building");
        EXPECT_EQ(assets[3].description, "Drill press");
        EXPECT_EQ(attachedFiles(db), 1);
    }
}

// The copy deletes company 1 before it inserts. What is no company file, a
// file without exactly one company (the blank template holds none) and the
// company's own file are refused before anything is deleted, and a failure
// at any later step gives the company back exactly as it was.
TEST(CopyCompany, ARefusedOrFailedCopyChangesNothing) {
    TempDir dir;
    Connection db = makeTargetCompany(dir / "czxdprnd.mdb");
    std::ofstream(dir / "notes.mdb") << "this is not a database\n";
    Connection::create(dir / "empty.mdb").execute("CREATE TABLE other (x)");
    auto source = [&](const std::string& name, const std::string& change) {
        makeSourceFile(dir / name, FileLayout::Current);
        if (!change.empty()) Connection::open(dir / name).execute(change);
        return dir / name;
    };
    const auto before = companySnapshot(db);
    const struct {
        fs::path source;
        const char* companyTrigger;  // run on the company database first
        std::string message;         // the end of the refusal, when it is told exactly
    } cases[] = {
        {dir / "missing.mdb", nullptr, ""},
        {dir / "notes.mdb", nullptr, ""},
        {dir / "empty.mdb", nullptr, ""},
        {dir / "czxdprnd.mdb", nullptr, ""},
        {source("none.mdb", "DELETE FROM Defaults"), nullptr, " holds no company."},
        {source("two.mdb", "INSERT INTO Defaults (companynumber, Name) VALUES (2, 'Second')"),
         nullptr, " holds 2 companies; a company file holds one."},
        {builtDataFile("czxblank.mdb"), nullptr, " holds no company."},
        {source("refused.mdb", ""),
         "CREATE TRIGGER refuse BEFORE INSERT ON assets WHEN new.[Asset Description] = "
         "'Drill press' BEGIN SELECT RAISE(ABORT, 'disk full'); END",
         ""},
        {source("groups.mdb",
                "DROP TABLE groups; CREATE TABLE groups (name TEXT); "
                "INSERT INTO groups VALUES ('x')"),
         nullptr, ""},
        {source("column.mdb", "ALTER TABLE assets DROP COLUMN [Salvage Value - Tax]"), nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.string());
        if (c.companyTrigger) db.execute(c.companyTrigger);
        try {
            copyCompanyFromDisk(db, c.source);
            ADD_FAILURE() << "copied";
        } catch (const Error& e) {
            if (!c.message.empty()) {
                EXPECT_EQ(std::string(e.what()), "The file " + c.source.string() + c.message);
            }
        }
        db.execute("DROP TRIGGER IF EXISTS refuse");
        EXPECT_EQ(companySnapshot(db), before);
        EXPECT_FALSE(db.inTransaction());
        EXPECT_EQ(attachedFiles(db), 1);
    }
    EXPECT_FALSE(fs::exists(dir / "missing.mdb"));
}

// ---- save company to disk --------------------------------------------------

// The save replaces an existing file by a copy of the template holding the
// company's row and its assets, every column as stored, and no groups; the
// saved file copies back to the same assets.
TEST(SaveCompany, WritesTheCompanyIntoACopyOfTheTemplateThatCopiesBack) {
    TempDir dir;
    const std::string name = "O'Brien's Tool & Die";
    Connection db = makeCompanyFile(dir / "czxdprnd.mdb", name, "2012-12-31");
    for (const char* d : {"Press", "Lathe", "Truck"}) {
        Asset a;
        a.description = d;
        insertAsset(db, a);
    }
    // Every other column of the company's assets holds a value of its own.
    const auto columns = db.columnNames("assets");
    for (size_t i = 2; i < columns.size(); ++i)
        if (columns[i] != "Asset Description")
            db.execute("UPDATE assets SET " + bracket(columns[i]) + " = " + std::to_string(i) +
                       " + rowid WHERE companynumber = 1");
    Asset other;
    other.companyNumber = 2;
    other.description = "Not this company's";
    insertAsset(db, other);
    db.execute("INSERT INTO groups VALUES ('Shop')");
    const auto target = makeSourceFile(dir / "saved.mdb", FileLayout::Middle);

    EXPECT_EQ(saveCompanyToDisk(db, name, builtDataFile("czxblank.mdb"), target), 3);

    CompanyFileInfo info = inspectCompanyFile(target);
    EXPECT_EQ(info.layout, FileLayout::Current);
    EXPECT_EQ(info.name, name);
    EXPECT_EQ(info.yearEnd, parseIsoDate("2012-12-31"));
    {
        Connection saved = Connection::open(target);
        EXPECT_EQ(tableRows(saved, "Defaults"), tableRows(db, "Defaults"));
        EXPECT_TRUE(groupNames(saved).empty());  // the template's groups
    }
    EXPECT_EQ(testing::folderListing(dir.path()),
              (std::vector<std::string>{"czxdprnd.mdb", "saved.mdb"}));

    // Copied back: the same values in every column but the key.
    Connection back = makeCompany("Someone Else");
    EXPECT_EQ(copyCompanyFromDisk(back, target).assets, 3);
    EXPECT_EQ(readCompany(back).name, name);
    auto withoutKeys = [](Rows rows) {
        for (auto& row : rows) row.erase(row.begin());
        return rows;
    };
    Rows original = withoutKeys(tableRows(db, "assets"));
    original.pop_back();  // company 2's asset
    EXPECT_EQ(withoutKeys(tableRows(back, "assets")), original);
}

// A save replaces its target whole. Targets the program lives on are
// refused under any name, and so is anything that is not a regular file. A
// save that fails (a folder that is a file, a template without an asset
// table, a company name that matches no company) keeps the file it would
// have replaced. Nothing is written and nothing is left behind.
TEST(SaveCompany, RefusedAndFailedSavesKeepEveryFile) {
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
    std::ofstream(dir / "reports") << "a file where the folder should be\n";
    makeSourceFile(dir / "saved.mdb", FileLayout::Middle);
    Connection::create(dir / "broken.mdb")
        .execute(sourceFile("data/schema.sql") + "\nDROP TABLE assets;");
    const auto before = treeSnapshot(dir.path());
    const std::string own = "is the open company's own file", blank = "data/czxblank.mdb";
    const struct {
        const char* target;        // relative to the test folder
        std::string templateFile;  // relative to the test folder
        const char* refusal;       // null: no refusal, a failure
        std::string company = "Current Co";
    } cases[] = {
        {"data/czxdprnd.mdb", blank, own.c_str()},
        {"data/reports/../czxdprnd.mdb", blank, own.c_str()},
        {"link.mdb", blank, own.c_str()},
        {"hard.mdb", blank, own.c_str()},
        {"data/czxblank.mdb", blank, "is the blank template"},
        {"data/czxblank.mdb", "shipped/czxblank.mdb", "is the blank template"},
        {"data/czxdmthd.mdb", blank, "is the program's method catalogue"},
        {"shipped/czxdmthd.mdb", "shipped/czxblank.mdb", "is the program's method catalogue"},
        {"shipped/czxdprnd.mdb", "shipped/czxblank.mdb", "is the program's company database"},
        {"folder.mdb", blank, "is not a regular file"},
        {"pipe.mdb", blank, "is not a regular file"},
        {"reports/saved.mdb", blank, nullptr},
        {"saved.mdb", "broken.mdb", nullptr},
        // Quoted into SQL text, this name would have matched every row.
        {"saved.mdb", blank, nullptr, "x' OR '1'='1"},
        {"new.mdb", blank, nullptr, "x' OR '1'='1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " from " + c.templateFile + " for " + c.company);
        try {
            saveCompanyToDisk(db, c.company, dir / c.templateFile, dir / c.target);
            ADD_FAILURE() << "saved";
        } catch (const Error& e) {
            if (c.refusal) {
                EXPECT_NE(std::string(e.what()).find((dir / c.target).string() + " " + c.refusal),
                          std::string::npos)
                    << e.what();
            }
        }
        EXPECT_EQ(treeSnapshot(dir.path()), before);
        EXPECT_EQ(attachedFiles(db), 1);
        EXPECT_FALSE(db.inTransaction());
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
    Connection db = makeTargetCompany();
    auto defaults = tableRows(db, "Defaults");

    EXPECT_EQ(deleteAllAssets(db), 3);

    EXPECT_TRUE(tableRows(db, "assets").empty());
    EXPECT_EQ(tableRows(db, "Defaults"), defaults);
    EXPECT_EQ(groupNames(db), (std::vector<std::string>{"Buildings", "Computers"}));
}

}  // namespace
}  // namespace czx
