#include "store/recordset.h"

#include <gtest/gtest.h>

#include "tests/support/testing.h"

namespace czx {
namespace {

class RecordSetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db.execute(
            "INSERT INTO assets (companynumber, [Asset Description], [Asset Cost - Tax]) VALUES "
            "(1, 'Lathe', 1000), (1, 'Press', 2000), (2, 'Other company', 5), (1, 'Truck', 3000)");
    }
    std::string description(RecordSet& rs) { return asText(rs.get("Asset Description")); }
    std::string stored(const std::string& where) {
        auto q = db.prepare("SELECT [Asset Description] FROM assets WHERE " + where);
        return q.step() ? q.columnText(0) : "<none>";
    }

    testing::TempDir dir;
    Connection db = testing::createCompany(dir / "c.mdb", "2012-12-31");
};

TEST_F(RecordSetTest, WalksTheSelectedRowsWithBeginAndEnd) {
    RecordSet rs(db, "select * from assets where companynumber =1");
    EXPECT_EQ(rs.count(), 3);
    EXPECT_EQ(rs.absolutePosition(), 1);
    std::vector<std::string> seen;
    for (; !rs.eof(); rs.moveNext()) seen.push_back(description(rs));
    EXPECT_EQ(seen, (std::vector<std::string>{"Lathe", "Press", "Truck"}));
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), 0);
    rs.moveLast();
    EXPECT_EQ(description(rs), "Truck");
    rs.movePrevious();
    rs.movePrevious();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    rs.setAbsolutePosition(2);
    EXPECT_EQ(description(rs), "Press");
    rs.move(-1);
    EXPECT_EQ(description(rs), "Lathe");
}

TEST_F(RecordSetTest, AChangeIsStoredWhenTheSetMovesOffTheRow) {
    RecordSet rs(db, "select * from assets where companynumber =1");
    rs.set("Asset Description", std::string("Lathe, rebuilt"));
    EXPECT_EQ(description(rs), "Lathe, rebuilt");  // the row shows it at once
    EXPECT_EQ(stored("rowid = 1"), "Lathe");       // not stored yet
    rs.moveNext();
    EXPECT_EQ(stored("rowid = 1"), "Lathe, rebuilt");
}

TEST_F(RecordSetTest, TellsWhetherPendingChangesHoldNewValues) {
    RecordSet rs(db, "select * from assets where companynumber =1");
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

TEST_F(RecordSetTest, CancelUpdateDropsPendingChanges) {
    RecordSet rs(db, "select * from assets where companynumber =1");
    rs.set("Asset Description", std::string("Scrap"));
    rs.cancelUpdate();
    rs.moveNext();
    EXPECT_EQ(stored("rowid = 1"), "Lathe");
}

TEST_F(RecordSetTest, BookmarksReturnToTheRow) {
    RecordSet rs(db, "select * from assets where companynumber =1");
    rs.moveNext();
    Bookmark mark = rs.bookmark();
    rs.moveLast();
    rs.setBookmark(mark);
    EXPECT_EQ(description(rs), "Press");
    EXPECT_THROW(rs.setBookmark(3), Error);  // the other company's row is not in the set
}

TEST_F(RecordSetTest, AddNewInsertsOnUpdateAndDeleteRemovesAtOnce) {
    RecordSet rs(db, "select * from assets where companynumber =1");
    rs.addNew();
    rs.set("companynumber", std::int64_t{1});
    rs.set("Asset Description", std::string("Forklift"));
    rs.update();
    EXPECT_EQ(rs.count(), 4);
    EXPECT_EQ(description(rs), "Forklift");
    EXPECT_EQ(stored("[Asset Description] = 'Forklift'"), "Forklift");

    rs.moveFirst();
    rs.deleteCurrent();
    EXPECT_EQ(stored("rowid = 1"), "<none>");
    EXPECT_EQ(rs.count(), 3);
    EXPECT_EQ(description(rs), "Press");  // stands on the row that followed
}

TEST_F(RecordSetTest, AddNewCancelledLeavesNothing) {
    RecordSet rs(db, "select * from assets where companynumber =1");
    rs.addNew();
    rs.set("Asset Description", std::string("Never"));
    rs.cancelUpdate();
    EXPECT_EQ(rs.count(), 3);
    EXPECT_EQ(stored("[Asset Description] = 'Never'"), "<none>");
}

TEST_F(RecordSetTest, RequerySeesStatementsExecutedMeanwhile) {
    RecordSet rs(db, "select * from assets where companynumber =1");
    db.execute("INSERT INTO assets (companynumber, [Asset Description]) VALUES (1, 'Crane')");
    EXPECT_EQ(rs.count(), 3);  // a static set keeps its rows
    rs.requery();
    EXPECT_EQ(rs.count(), 4);
    rs.moveLast();
    EXPECT_EQ(description(rs), "Crane");
}

TEST_F(RecordSetTest, AMissingColumnIsAnErrorNotACrash) {
    RecordSet rs(db, "select * from assets where companynumber =1");
    EXPECT_THROW(rs.get("Asset Colour"), StoreError);
    EXPECT_THROW(rs.set("Asset Colour", std::int64_t{1}), StoreError);
    EXPECT_THROW(RecordSet(db, "select [Asset Colour] from assets"), StoreError);
}

TEST_F(RecordSetTest, AnEmptySetHasNoCurrentRow) {
    RecordSet rs(db, "select * from assets where companynumber =9");
    EXPECT_EQ(rs.count(), 0);
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.get("Asset Description"), Error);
    EXPECT_THROW(rs.deleteCurrent(), Error);
}

TEST_F(RecordSetTest, PickerAndGroupQueriesWork) {
    db.execute("INSERT INTO groups VALUES ('Vehicles'), ('Buildings')");
    RecordSet ordered(db, "select groupname from groups Order by groupname");
    EXPECT_EQ(asText(ordered.get("groupname")), "Buildings");
    RecordSet picker(db, "select [groupname] from groups");
    EXPECT_EQ(picker.count(), 2);
    EXPECT_EQ(picker.columns(), std::vector<std::string>{"groupname"});
}

}  // namespace
}  // namespace czx
