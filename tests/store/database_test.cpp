#include "store/database.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/testing.h"

namespace czx {
namespace {

TEST(Connection, AFileThatIsNotADatabaseFailsToOpenAndSaysWhich) {
    testing::TempDir dir;
    auto file = dir / "notes.mdb";
    std::ofstream(file) << "This is a letter, not a database. It is long enough to have a header.";
    try {
        Connection::open(file);
        FAIL() << "opened a text file";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.file(), file.string());
        EXPECT_NE(std::string(e.what()).find("not a database"), std::string::npos) << e.what();
    }
}

TEST(Connection, AMissingFileIsNotCreatedByOpening) {
    testing::TempDir dir;
    EXPECT_THROW(Connection::open(dir / "czxdprnd.mdb"), StoreError);
    EXPECT_FALSE(std::filesystem::exists(dir / "czxdprnd.mdb"));
}

TEST(Connection, ABadStatementNamesTheStatementAndTheFile) {
    testing::TempDir dir;
    auto db = testing::createCompany(dir / "c.mdb", "2012-12-31");
    try {
        db.execute("UPDATE assets SET [No Such Column] = 1");
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.statement(), "UPDATE assets SET [No Such Column] = 1");
        EXPECT_NE(e.file().find("c.mdb"), std::string::npos);
    }
}

TEST(Connection, TranslatesDeleteStar) {
    EXPECT_EQ(translateStatement("DELETE * from assets"), "DELETE FROM assets");
    EXPECT_EQ(translateStatement("delete  *  FROM groups where 1"), "DELETE FROM groups where 1");
    EXPECT_EQ(translateStatement("DELETE FROM assets WHERE companynumber = 1"),
              "DELETE FROM assets WHERE companynumber = 1");
    testing::TempDir dir;
    auto db = testing::createCompany(dir / "c.mdb", "2012-12-31");
    db.execute("INSERT INTO assets (companynumber) VALUES (1), (1)");
    db.execute("DELETE * from assets");
    auto count = db.prepare("SELECT count(*) FROM assets");
    count.step();
    EXPECT_EQ(count.columnInt(0), 0);
}

TEST(Connection, InsertIntoAnotherFileGoesThroughAttach) {
    testing::TempDir dir;
    auto source = testing::createCompany(dir / "source.mdb", "2012-12-31");
    auto target = testing::createCompany(dir / "it's here.mdb", "2011-12-31");
    source.execute("INSERT INTO assets (companynumber, [Asset Description]) VALUES (1, 'Lathe')");
    // The path holds an apostrophe, written twice inside the quotes.
    std::string path = (dir / "it's here.mdb").string();
    std::string doubled;
    for (char c : path) doubled += c == '\'' ? std::string("''") : std::string(1, c);
    source.execute("INSERT INTO assets IN '" + doubled +
                   "' 'Access' SELECT [companynumber],[Asset Description] from assets where "
                   "companynumber =1");
    {
        auto copied = Connection::open(path);
        auto q = copied.prepare("SELECT [Asset Description] FROM assets");
        ASSERT_TRUE(q.step());
        EXPECT_EQ(q.columnText(0), "Lathe");
    }
    // Detached afterwards: a second copy attaches the file again.
    source.execute("INSERT INTO Defaults IN '" + doubled +
                   "' 'Access' SELECT * from Defaults where companynumber =1");
    auto copied = Connection::open(path);
    auto q = copied.prepare("SELECT count(*) FROM Defaults");
    ASSERT_TRUE(q.step());
    EXPECT_EQ(q.columnInt(0), 2);  // its own company and the copied one
}

TEST(Connection, SchemaQueriesListTablesAndColumns) {
    testing::TempDir dir;
    auto db = testing::createCompany(dir / "c.mdb", "2012-12-31");
    EXPECT_EQ(db.tableNames(),
              (std::vector<std::string>{"Defaults", "Version", "assets", "groups"}));
    auto columns = db.columnNames("assets");
    ASSERT_EQ(columns.size(), 37u);  // the key and the 36 asset columns
    EXPECT_EQ(columns[1], "companynumber");
    EXPECT_EQ(columns.back(), "Truck & Van Bonus - Tax");
    EXPECT_TRUE(db.hasTable("version"));
    EXPECT_FALSE(db.hasTable("Versions"));
}

TEST(Transaction, RollsBackUnlessCommitted) {
    testing::TempDir dir;
    auto db = testing::createCompany(dir / "c.mdb", "2012-12-31");
    {
        Transaction t(db);
        db.execute("INSERT INTO groups VALUES ('Lost')");
    }
    {
        Transaction t(db);
        db.execute("INSERT INTO groups VALUES ('Kept')");
        t.commit();
    }
    auto q = db.prepare("SELECT group_concat(groupname) FROM groups");
    q.step();
    EXPECT_EQ(q.columnText(0), "Kept");
}

}  // namespace
}  // namespace czx
