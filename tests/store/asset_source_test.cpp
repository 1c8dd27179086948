// The asset screen's walk over a company's assets: browse order, changes
// stored when the source moves on, new assets, deletions, bookmarks,
// and mistakes. A stored value the typed row cannot hold is kept by the
// repository (its test) and shown by the asset screen (the desktop's test).
#include "store/asset_source.h"

#include <gtest/gtest.h>

#include "store/columns.h"
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

class AssetSourceTest : public ::testing::Test {
  protected:
    std::string description() { return asText(rows.get(col::Description)); }
    std::string stored(std::string_view column, const std::string& where) {
        auto q = db.prepare("SELECT " + bracket(column) + " FROM assets WHERE " + where);
        return q.step() ? asText(q.column(0)) : "<none>";
    }
    std::string stored(const std::string& where) { return stored(col::Description, where); }

    Connection db = companyWithAssets();
    AssetSource rows{db, 1};
};

TEST_F(AssetSourceTest, WalksTheCompanysAssets) {
    EXPECT_EQ(rows.count(), 3);
    EXPECT_EQ(rows.absolutePosition(), 1);
    std::vector<std::string> seen;
    for (; !rows.eof(); rows.moveNext()) seen.push_back(description());
    EXPECT_EQ(seen, (std::vector<std::string>{"Lathe", "Press", "Truck"}));
    EXPECT_EQ(rows.absolutePosition(), 0);
    rows.moveLast();
    EXPECT_EQ(description(), "Truck");
    for (int i = 0; i < 3; ++i) rows.movePrevious();
    EXPECT_TRUE(rows.bof());
    rows.setAbsolutePosition(2);
    EXPECT_EQ(description(), "Press");
    Bookmark mark = rows.bookmark();
    rows.moveLast();
    rows.setBookmark(mark);
    EXPECT_EQ(description(), "Press");
    EXPECT_THROW(rows.setBookmark(3), Error);  // the other company's asset is not walked
}

// A change is stored when the source moves off the asset; a cancelled
// change, or a cancelled new asset, leaves nothing behind.
TEST_F(AssetSourceTest, AChangeIsStoredWhenTheSourceMovesOffTheAssetUnlessCancelled) {
    rows.set(col::Description, std::string("Lathe, rebuilt"));
    EXPECT_EQ(description(), "Lathe, rebuilt");  // the asset shows it at once
    EXPECT_EQ(stored("rowid = 1"), "Lathe");     // not stored yet
    rows.moveNext();
    EXPECT_EQ(stored("rowid = 1"), "Lathe, rebuilt");
    rows.set(col::Description, std::string("Scrap"));
    rows.cancelUpdate();
    EXPECT_EQ(description(), "Press");
    rows.moveNext();
    EXPECT_EQ(stored("rowid = 2"), "Press");
    rows.addNew();
    rows.set(col::Description, std::string("Never"));
    rows.cancelUpdate();
    EXPECT_FALSE(rows.adding());
    EXPECT_EQ(description(), "Truck");
    EXPECT_EQ(rows.count(), 3);
    EXPECT_EQ(stored("[Asset Description] = 'Never'"), "<none>");
}

TEST_F(AssetSourceTest, TellsWhetherWhatWasSetChangesTheFile) {
    EXPECT_FALSE(rows.changesValues());
    // The values the asset already holds: nothing would change.
    rows.set(col::Description, std::string("Lathe"));
    rows.set(col::CostTax, 1000.0);
    EXPECT_FALSE(rows.changesValues());
    rows.set(col::CostTax, 1000.5);
    EXPECT_TRUE(rows.changesValues());
    rows.set(col::CostTax, 1000.0);
    rows.set(col::Description, std::string("Lathe, rebuilt"));
    EXPECT_TRUE(rows.changesValues());
    rows.cancelUpdate();
    EXPECT_FALSE(rows.changesValues());
    rows.addNew();
    EXPECT_TRUE(rows.changesValues());
}

// Storing what was set reaches the file even when the asset held it already
// (a file another program holds is reported then); a move with nothing set
// writes nothing.
TEST_F(AssetSourceTest, WhatWasSetIsWrittenEvenWhenTheAssetHeldIt) {
    db.execute(
        "CREATE TABLE writes (asset INTEGER);"
        "CREATE TRIGGER counted AFTER UPDATE ON assets BEGIN "
        "INSERT INTO writes VALUES (new.rowid); END");
    auto writes = [&] {
        auto q = db.prepare("SELECT group_concat(asset) FROM writes");
        return q.step() ? asText(q.column(0)) : std::string();
    };
    rows.moveNext();
    EXPECT_EQ(writes(), "");
    rows.set(col::Description, std::string("Press"));
    EXPECT_FALSE(rows.changesValues());
    rows.moveNext();
    EXPECT_EQ(writes(), "2");
    EXPECT_EQ(stored("rowid = 2"), "Press");
}

// A new asset shows only what was typed into it; it goes last once stored.
TEST_F(AssetSourceTest, AddNewInsertsOnUpdateAndDeleteRemovesAtOnce) {
    rows.addNew();
    EXPECT_TRUE(isNull(rows.get(col::CompanyNumber)));
    EXPECT_TRUE(isNull(rows.get(col::CostTax)));
    rows.set(col::CompanyNumber, std::int64_t{1});
    rows.set(col::Description, std::string("Forklift"));
    EXPECT_EQ(description(), "Forklift");
    rows.update();
    EXPECT_FALSE(rows.adding());
    EXPECT_EQ(rows.count(), 4);
    EXPECT_EQ(rows.absolutePosition(), 4);
    EXPECT_EQ(description(), "Forklift");
    EXPECT_EQ(stored("[Asset Description] = 'Forklift'"), "Forklift");

    rows.moveFirst();
    rows.deleteCurrent();
    EXPECT_EQ(stored("rowid = 1"), "<none>");
    EXPECT_EQ(rows.count(), 3);
    EXPECT_EQ(description(), "Press");  // stands on the asset that followed
}

TEST_F(AssetSourceTest, RequerySeesStatementsExecutedMeanwhile) {
    db.execute("INSERT INTO assets (companynumber, [Asset Description]) VALUES (1, 'Crane')");
    EXPECT_EQ(rows.count(), 3);  // the source keeps the keys it read
    rows.requery();
    EXPECT_EQ(rows.count(), 4);
    rows.moveLast();
    EXPECT_EQ(description(), "Crane");
}

// An asset deleted underneath reads as no asset, and the source moves on.
TEST_F(AssetSourceTest, AnAssetDeletedMeanwhileIsNoCurrentAsset) {
    db.execute("DELETE FROM assets WHERE rowid = 2");
    rows.moveNext();
    EXPECT_FALSE(rows.hasCurrent());
    EXPECT_THROW(rows.get(col::Description), Error);
    rows.moveNext();
    EXPECT_EQ(description(), "Truck");
}

TEST_F(AssetSourceTest, MistakesAreErrorsNotCrashes) {
    EXPECT_THROW(rows.get("Asset Colour"), Error);
    EXPECT_THROW(rows.set("Asset Colour", std::int64_t{1}), Error);
    AssetSource none(db, 9);
    EXPECT_EQ(none.count(), 0);
    EXPECT_TRUE(none.bof());
    EXPECT_TRUE(none.eof());
    EXPECT_THROW(none.get(col::Description), Error);
    EXPECT_THROW(none.set(col::Description, std::string("x")), Error);
    EXPECT_THROW(none.deleteCurrent(), Error);
    EXPECT_THROW(none.bookmark(), Error);
}

}  // namespace
}  // namespace czx
