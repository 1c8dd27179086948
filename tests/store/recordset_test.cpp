// Record sets: walking a query's rows, changes stored when the set moves on,
// new rows, deletions, bookmarks and mistakes.
#include "store/recordset.h"

#include <gtest/gtest.h>

#include "tests/store/company_db.h"

namespace czx {
namespace {

Connection companyWithAssets() {
    Connection db = testing::makeCompany();
    db.execute(
        "INSERT INTO assets (companynumber, [Asset Description], [Asset Cost - Tax]) VALUES "
        "(1, 'Lathe', 1000), (1, 'Press', 2000), (2, 'Other company', 5), (1, 'Truck', 3000)");
    return db;
}

class RecordSetTest : public ::testing::Test {
  protected:
    std::string description() { return asText(rs.get("Asset Description")); }
    std::string stored(const std::string& where) {
        auto q = db.prepare("SELECT [Asset Description] FROM assets WHERE " + where);
        return q.step() ? q.columnText(0) : "<none>";
    }

    Connection db = companyWithAssets();
    RecordSet rs{db, "select * from assets where companynumber =1"};
};

TEST_F(RecordSetTest, WalksTheSelectedRows) {
    EXPECT_EQ(rs.count(), 3);
    EXPECT_EQ(rs.absolutePosition(), 1);
    std::vector<std::string> seen;
    for (; !rs.eof(); rs.moveNext()) seen.push_back(description());
    EXPECT_EQ(seen, (std::vector<std::string>{"Lathe", "Press", "Truck"}));
    EXPECT_EQ(rs.absolutePosition(), 0);
    rs.moveLast();
    EXPECT_EQ(description(), "Truck");
    for (int i = 0; i < 3; ++i) rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    rs.setAbsolutePosition(2);
    EXPECT_EQ(description(), "Press");
    rs.move(-1);
    EXPECT_EQ(description(), "Lathe");
    rs.moveNext();
    Bookmark mark = rs.bookmark();
    rs.moveLast();
    rs.setBookmark(mark);
    EXPECT_EQ(description(), "Press");
    EXPECT_THROW(rs.setBookmark(3), Error);  // the other company's row is not in the set
}

// A change is stored when the set moves off the row; a cancelled change, or
// a cancelled new row, leaves nothing behind.
TEST_F(RecordSetTest, AChangeIsStoredWhenTheSetMovesOffTheRowUnlessCancelled) {
    rs.set("Asset Description", std::string("Lathe, rebuilt"));
    EXPECT_EQ(description(), "Lathe, rebuilt");  // the row shows it at once
    EXPECT_EQ(stored("rowid = 1"), "Lathe");     // not stored yet
    rs.moveNext();
    EXPECT_EQ(stored("rowid = 1"), "Lathe, rebuilt");
    rs.set("Asset Description", std::string("Scrap"));
    rs.cancelUpdate();
    rs.moveNext();
    EXPECT_EQ(stored("rowid = 2"), "Press");
    rs.addNew();
    rs.set("Asset Description", std::string("Never"));
    rs.cancelUpdate();
    EXPECT_EQ(rs.count(), 3);
    EXPECT_EQ(stored("[Asset Description] = 'Never'"), "<none>");
}

TEST_F(RecordSetTest, TellsWhetherPendingChangesHoldNewValues) {
    EXPECT_FALSE(rs.changesValues());
    // The values the row already holds: pending, but nothing would change.
    rs.set("Asset Description", std::string("Lathe"));
    rs.set("Asset Cost - Tax", 1000.0);
    EXPECT_TRUE(rs.changed());
    EXPECT_FALSE(rs.changesValues());
    rs.set("Asset Cost - Tax", 1000.5);
    EXPECT_TRUE(rs.changesValues());
    rs.set("Asset Cost - Tax", 1000.0);
    rs.set("Asset Description", Value{});
    EXPECT_TRUE(rs.changesValues());
    rs.cancelUpdate();
    rs.addNew();
    EXPECT_TRUE(rs.changesValues());
}

TEST_F(RecordSetTest, AddNewInsertsOnUpdateAndDeleteRemovesAtOnce) {
    rs.addNew();
    rs.set("companynumber", std::int64_t{1});
    rs.set("Asset Description", std::string("Forklift"));
    rs.update();
    EXPECT_EQ(rs.count(), 4);
    EXPECT_EQ(description(), "Forklift");
    EXPECT_EQ(stored("[Asset Description] = 'Forklift'"), "Forklift");

    rs.moveFirst();
    rs.deleteCurrent();
    EXPECT_EQ(stored("rowid = 1"), "<none>");
    EXPECT_EQ(rs.count(), 3);
    EXPECT_EQ(description(), "Press");  // stands on the row that followed
}

TEST_F(RecordSetTest, RequerySeesStatementsExecutedMeanwhile) {
    db.execute("INSERT INTO assets (companynumber, [Asset Description]) VALUES (1, 'Crane')");
    EXPECT_EQ(rs.count(), 3);  // a static set keeps its rows
    rs.requery();
    EXPECT_EQ(rs.count(), 4);
    rs.moveLast();
    EXPECT_EQ(description(), "Crane");
}

TEST_F(RecordSetTest, MistakesAreErrorsNotCrashes) {
    EXPECT_THROW(rs.get("Asset Colour"), StoreError);
    EXPECT_THROW(rs.set("Asset Colour", std::int64_t{1}), StoreError);
    EXPECT_THROW(RecordSet(db, "select [Asset Colour] from assets"), StoreError);
    RecordSet empty(db, "select * from assets where companynumber =9");
    EXPECT_EQ(empty.count(), 0);
    EXPECT_TRUE(empty.bof());
    EXPECT_TRUE(empty.eof());
    EXPECT_THROW(empty.get("Asset Description"), Error);
    EXPECT_THROW(empty.deleteCurrent(), Error);
}

}  // namespace
}  // namespace czx
