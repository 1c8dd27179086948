#include "store/database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <functional>

#include "tests/store/company_db.h"

namespace czx {
namespace {

using testing::groupNames;

// A failure names the file and the statement. Opening neither creates a
// missing file nor takes a file that is no database.
TEST(Connection, FailuresNameTheFileAndTheStatement) {
    testing::TempDir dir;
    std::ofstream(dir / "notes.mdb")
        << "This is a letter, not a database, long enough for a header.";
    for (const char* name : {"notes.mdb", "czxdprnd.mdb"}) {
        SCOPED_TRACE(name);
        try {
            Connection::open(dir / name);
            ADD_FAILURE() << "opened";
        } catch (const StoreError& e) {
            EXPECT_EQ(e.file(), (dir / name).string());
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "czxdprnd.mdb"));
    auto db = testing::makeCompanyFile(dir / "c.mdb");
    try {
        db.execute("UPDATE assets SET [No Such Column] = 1");
        ADD_FAILURE() << "ran";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.statement(), "UPDATE assets SET [No Such Column] = 1");
        EXPECT_EQ(e.file(), (dir / "c.mdb").string());
    }
}

// A file that can grow by a few pages only: SQLite answers a write beyond
// them as it answers a full disk.
void limitGrowth(Connection& db) {
    Statement pages(db, "PRAGMA page_count");
    pages.step();
    db.execute("PRAGMA max_page_count = " + std::to_string(pages.columnInt(0) + 2));
}

// Writes rows of 2,000 bytes, one statement each, until one fails.
void fillOneRowAtATime(Connection& db) {
    Statement insert(db, "INSERT INTO groups VALUES (?)");
    const std::string row(2000, 'x');
    for (int i = 0; i < 1000; ++i) insert.bind(1, std::string_view(row)).run();
}

// Fills the file with one statement that copies many rows; SQLite keeps
// the transaction when such a statement fails on a full disk.
void fillWithOneStatement(Connection& db) {
    db.execute(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
        "INSERT INTO groups SELECT printf('%.2000c', 'x') FROM n");
}

// Which failures end a transaction, and how each is told. After a failure
// that ended it, no statement may run outside it: the next one and the
// commit throw the same failure, and nothing of the transaction is kept.
TEST(Transaction, AFailureThatEndsItIsToldPlainlyAndNothingRunsAfterIt) {
    const struct {
        const char* name;
        bool limitGrowth;
        const char* trigger;
        std::function<void(Connection&)> fail;
        int code;
        std::string message;  // "<file>" stands for the file's name
        bool ends;
    } cases[] = {
        {"full disk, SQLite drops the transaction", true, nullptr, fillOneRowAtATime, SQLITE_FULL,
         "The disk is full: the changes to <file> were not saved.", true},
        {"full disk, SQLite keeps the transaction", true, nullptr, fillWithOneStatement,
         SQLITE_FULL, "The disk is full: the changes to <file> were not saved.", true},
        {"a trigger rolls the transaction back", false,
         "CREATE TRIGGER refuse BEFORE INSERT ON groups WHEN new.groupname = 'Bad' "
         "BEGIN SELECT RAISE(ROLLBACK, 'the group list is locked'); END",
         [](Connection& db) { db.execute("INSERT INTO groups VALUES ('Bad')"); }, SQLITE_CONSTRAINT,
         "the group list is locked: the changes to <file> were undone.", true},
        {"a refused row keeps the transaction", false,
         "CREATE TRIGGER refuse BEFORE INSERT ON groups WHEN new.groupname = 'Bad' "
         "BEGIN SELECT RAISE(ABORT, 'no such group'); END",
         [](Connection& db) { db.execute("INSERT INTO groups VALUES ('Bad')"); }, SQLITE_CONSTRAINT,
         "no such group [statement: INSERT INTO groups VALUES ('Bad')] [file: <file>]", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        auto db = testing::makeCompanyFile(dir / "c.mdb", "Test Company", "2012-12-31");
        if (c.trigger) db.execute(c.trigger);
        if (c.limitGrowth) limitGrowth(db);
        std::string expected = c.message;
        expected.replace(expected.find("<file>"), 6, db.file());
        {
            Transaction transaction(db);
            db.execute("INSERT INTO groups VALUES ('Before')");
            try {
                c.fail(db);
                FAIL() << "the failing statement succeeded";
            } catch (const StoreError& e) {
                EXPECT_EQ(e.code(), c.code);
                EXPECT_EQ(e.what(), expected);
                EXPECT_EQ(e.file(), db.file());
            }
            EXPECT_EQ(db.inTransaction(), !c.ends);
            if (c.ends) {
                try {
                    db.execute("INSERT INTO groups VALUES ('After')");
                    FAIL() << "a statement ran outside the transaction";
                } catch (const StoreError& e) {
                    EXPECT_EQ(e.what(), expected);
                }
                EXPECT_THROW(transaction.commit(), StoreError);
            } else {
                db.execute("INSERT INTO groups VALUES ('After')");
                transaction.commit();
            }
        }
        EXPECT_FALSE(db.inTransaction());
        const std::vector<std::string> kept =
            c.ends ? std::vector<std::string>{} : std::vector<std::string>{"Before", "After"};
        EXPECT_EQ(groupNames(db), kept);
        // The connection works normally once the transaction is over.
        db.execute("PRAGMA max_page_count = 1000000");
        db.execute("INSERT INTO groups VALUES ('Later')");
        EXPECT_EQ(groupNames(db).back(), "Later");
    }
}

// A statement that fills the disk outside a transaction is undone by SQLite
// and says so in the same words.
TEST(Connection, AFullDiskIsToldPlainlyOutsideATransactionToo) {
    testing::TempDir dir;
    auto db = testing::makeCompanyFile(dir / "c.mdb", "Test Company", "2012-12-31");
    limitGrowth(db);
    try {
        fillWithOneStatement(db);
        FAIL() << "the file grew past its limit";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.code(), SQLITE_FULL);
        EXPECT_EQ(e.what(), "The disk is full: the changes to " + db.file() + " were not saved.");
        EXPECT_NE(e.statement().find("INSERT INTO groups"), std::string::npos);
    }
    EXPECT_TRUE(groupNames(db).empty());
}

// The write lock is taken when the transaction begins: a second writer is
// turned away at its start instead of after it has read what it will write.
TEST(Transaction, TakesTheWriteLockWhenItBegins) {
    testing::TempDir dir;
    auto first = testing::makeCompanyFile(dir / "c.mdb", "Test Company", "2012-12-31");
    auto second = Connection::open(dir / "c.mdb");
    second.execute("PRAGMA busy_timeout = 50");
    Transaction writing(first);
    try {
        Transaction waiting(second);
        FAIL() << "two write transactions began on one file";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.code(), SQLITE_BUSY);
        EXPECT_EQ(e.statement(), "BEGIN IMMEDIATE");
    }
    EXPECT_FALSE(second.inTransaction());
}

}  // namespace
}  // namespace czx
